// The step table's view: which layout table draws the stage in each slot.
#include "adder/adder.h"
#include "app/layouts/stage_layout.h"

namespace sumaris::layout {

const StageLayout& StageLayoutForSlot(int slot) {
  static const std::vector<StageLayout> kLayouts = [] {
    // The wires' names, ranges and titles are alike in every adder: the
    // drawings read them from one of their own.
    const Adder prototype;
    return std::vector<StageLayout>{
#define SUMARIS_MAKE_STAGE_LAYOUT(slot, Class, member, ...) Class##Layout(prototype.member),
        SUMARIS_STAGE_LIST(SUMARIS_MAKE_STAGE_LAYOUT)
#undef SUMARIS_MAKE_STAGE_LAYOUT
    };
  }();
  return kLayouts.at(static_cast<std::size_t>(slot - 1));
}

}  // namespace sumaris::layout
