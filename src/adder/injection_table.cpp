#include "adder/injection_table.h"

namespace sumaris {
namespace {

struct RowText {
  std::string_view label;
  std::string_view name;
  const char* box0;
  const char* box1;
};

// The rows top to bottom with their initial bits.
constexpr RowText kRowTexts[InjectionTable::kRows] = {
    {"UP", "INJ_UP", "1", "1"},
    {"Down", "INJ_DOWN", "0", "1"},
    {"Zero", "INJ_ZERO", "0", "0"},
    {"NE", "INJ_NE", "1", "0"},
};

}  // namespace

InjectionTable::InjectionTable() {
  for (int row = 0; row < kRows; ++row) {
    boxes_[static_cast<std::size_t>(row)][0] = kRowTexts[row].box0;
    boxes_[static_cast<std::size_t>(row)][1] = kRowTexts[row].box1;
  }
}

void InjectionTable::SetBox(int row, int index, std::string_view text) {
  Cell& box = boxes_[static_cast<std::size_t>(row)][static_cast<std::size_t>(index)];
  box = text == "1" ? "1" : "0";
}

std::string_view InjectionTable::RowLabel(int row) {
  return kRowTexts[row].label;
}
std::string_view InjectionTable::BoxName(int row) {
  return kRowTexts[row].name;
}

}  // namespace sumaris
