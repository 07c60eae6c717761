// The step table's view: which layout table draws the stage in each slot.
#include "app/layouts/stage_layout.h"

namespace sumaris::layout {

StageLayout R1MediumLayout();
StageLayout R1LargeLayout();
StageLayout R11CompLayout();
StageLayout R1Align1Layout();
StageLayout R1Swap1Layout();
StageLayout R1Swap2Layout();
StageLayout R1Swap3Layout();
StageLayout R1ShiftRLayout();
StageLayout R1BigMuxLayout();
StageLayout R1ShiftLLayout();
StageLayout R1IsR1Layout();
StageLayout R2HALayout();
StageLayout R2CompoundLayout();
StageLayout R2SigaddLayout();
StageLayout R2DecideLayout();
StageLayout R2PostLayout();
StageLayout R2Select1Layout();
StageLayout R2Select2Layout();
StageLayout NSmallExpLayout();
StageLayout NSmallSigLayout();
StageLayout NSigaddLayout();
StageLayout NApproxLayout();
StageLayout NPostLayout();
StageLayout PathDecisionLayout();
StageLayout ResultsLayout();

const StageLayout& StageLayoutForSlot(int slot) {
  using Maker = StageLayout (*)();
  static constexpr Maker kMakers[] = {
      R1MediumLayout, R1LargeLayout,   R11CompLayout,    R1Align1Layout,     R1Swap1Layout,
      R1Swap2Layout,  R1Swap3Layout,   R1ShiftRLayout,   R1BigMuxLayout,     R1ShiftLLayout,
      R1IsR1Layout,   R2HALayout,      R2CompoundLayout, R2SigaddLayout,     R2DecideLayout,
      R2PostLayout,   R2Select1Layout, R2Select2Layout,  NSmallExpLayout,    NSmallSigLayout,
      NSigaddLayout,  NApproxLayout,   NPostLayout,      PathDecisionLayout, ResultsLayout,
  };
  static const std::vector<StageLayout> kLayouts = [] {
    std::vector<StageLayout> all;
    for (Maker make : kMakers)
      all.push_back(make());
    return all;
  }();
  return kLayouts.at(static_cast<std::size_t>(slot - 1));
}

}  // namespace sumaris::layout
