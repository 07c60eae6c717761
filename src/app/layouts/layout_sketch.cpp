#include <algorithm>
#include <stdexcept>

#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {

namespace {

// Advance widths of Arial in twips at 8.25 points (thousandths of an em
// times 0.165); capitals not listed take 110 (667), everything else 92 (556).
struct Advance {
  std::string_view glyphs;
  int twips;
};
constexpr Advance kAdvances[] = {
    {"Iijlft[]:., '", 46},  // 278
    {"r()-", 55},           // 333
    {"^", 77},              // 469
    {"sckvxyzJ", 83},       // 500
    {"L", 92},              // 556
    {"FTZ", 101},           // 611
    {"CDHNRUw", 119},       // 722
    {"GOQ", 128},           // 778
    {"Mm", 138},            // 833
    {"W", 156},             // 944
};

int AdvanceOf(char c) {
  for (const Advance& a : kAdvances) {
    if (a.glyphs.find(c) != std::string_view::npos) return a.twips;
  }
  return c >= 'A' && c <= 'Z' ? 110 : 92;
}

}  // namespace

int TextWidth(std::string_view text) {
  int width = 0;
  for (const char c : text)
    width += AdvanceOf(c);
  return width;
}

RowPlace Sketch::AddRow(const Wire& wire, const RowPlace& place) {
  if (place.geometry.cells.size() != static_cast<std::size_t>(wire.size())) {
    throw std::invalid_argument("the row of " + wire.name() + " is placed for another range");
  }
  Row row;
  row.wire = wire.name();
  row.left = place.left;
  row.top = place.top;
  row.groupGap = place.groupGap;
  layout_.rows.push_back(std::move(row));
  rowsRight_ = std::max(rowsRight_, place.Right());
  lastRowTitle_ = wire.title();
  return place;
}

void Sketch::PlaceRowTitle(int left, int top) {
  Row& row = LastRow();
  row.titleLeft = left;
  row.titleTop = top;
}

void Sketch::AddText(std::string text, int left, int top, int width, int height, TextStyle style) {
  if (width == 0) width = TextWidth(text) + 120;
  layout_.texts.push_back({std::move(text), left, top, width, height, style, {}});
}

MuxPlace Sketch::AddMux(const MuxPlace& mux, std::initializer_list<MuxMark> marks,
                        std::string name) {
  layout_.boxes.push_back({mux.left, mux.top, mux.width, mux.height, true, {}});
  AddText(std::move(name), mux.left, mux.Bottom() - kTextHeight - 30, mux.width, kTextHeight,
          TextStyle::Block);
  // One line of 7-point text (140 twips) each, above the name.
  for (const MuxMark& mark : marks)
    Note(mark.text, mark.x, mux.top + 20, 200, 140);
  return mux;
}

void Sketch::Route(std::initializer_list<std::pair<int, int>> points, bool arrow) {
  const auto* p = points.begin();
  for (const auto* q = p + 1; q < points.end(); ++p, ++q) {
    layout_.lines.push_back(
        {p->first, p->second, q->first, q->second, arrow && q + 1 == points.end()});
  }
}

void Sketch::AddButton(std::string name, std::string caption, int left, int top,
                       std::optional<EditorRequest> opens, int width) {
  if (width == 0) {
    width = caption == "Edit"  ? kButtonWidth
            : caption == "..." ? kDotsWidth
                               : TextWidth(caption) + 240;
  }
  layout_.buttons.push_back(
      {std::move(name), std::move(caption), left, top, width, kButtonHeight, std::move(opens), {}});
}

void Sketch::Tip(std::string text) {
  if (layout_.boxes.empty()) throw std::logic_error("a tip needs a unit before it");
  layout_.boxes.back().tip = std::move(text);
}

std::string Sketch::BitNumbering(const Wire& wire, Numbering numbering) {
  const int first = wire.first();
  const int last = wire.last();
  if (first == last) return first == 0 ? "One bit." : "One bit: bit " + std::to_string(first) + ".";
  const bool up = first < last;
  std::string text = "Bits " + std::to_string(first) + (up ? " to " : " down to ") +
                     std::to_string(last) + " from left to right";
  if (numbering == Numbering::ByWeight)
    text += up ? ", bit k weighing 2^-k" : ", bit k weighing 2^k";
  return text + ".";
}

void Sketch::Explain(const Wire& wire, std::string what, Numbering numbering) {
  layout_.wireTips[wire.name()] = std::move(what) + " " + BitNumbering(wire, numbering);
}

StageLayout Sketch::Finish() {
  int right = rowsRight_;
  int bottom = 0;
  auto grow = [&](int r, int b) {
    right = std::max(right, r);
    bottom = std::max(bottom, b);
  };
  for (const Row& row : layout_.rows)
    grow(row.left, row.top + kCellHeight);
  for (const FixedCell& c : layout_.cells)
    grow(c.left + c.width, c.top + kCellHeight);
  for (const Text& t : layout_.texts)
    grow(t.left + t.width, t.top + t.height);
  for (const Box& b : layout_.boxes)
    grow(b.left + b.width, b.top + b.height);
  for (const Line& l : layout_.lines)
    grow(std::max(l.x1, l.x2), std::max(l.y1, l.y2));
  for (const Readout& r : layout_.readouts)
    grow(r.left + r.width, r.top + r.height);
  for (const Button& b : layout_.buttons)
    grow(b.left + b.width, b.top + b.height);
  return Finish(right + kMargin, bottom + kMargin);
}

StageLayout Sketch::Finish(int width, int height) {
  layout_.width = width;
  layout_.height = height;
  return std::move(layout_);
}

}  // namespace sumaris::layout
