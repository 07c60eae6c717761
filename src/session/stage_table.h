#pragma once

#include <array>
#include <string_view>

#include "session/session.h"

namespace sumaris {

// Where each stage of the step table sits: its overview window and the block
// label that stands for it there. The first stage of the second cycle, of
// the N path and of the result marks its path on the control panel before
// its block is highlighted.
struct StageEntry {
  int slot;
  std::string_view stage;  // the stage's name
  PathBlock overview;      // R1, R2, N1 or FINAL
  std::string_view block;  // the block label in that overview
  bool marksPath;          // DoMe calls ShowR2 / ShowN / ShowResults first
};

inline constexpr std::array<StageEntry, 25> kStageTable = {{
    {1, "R1Medium", PathBlock::R1, "Label3", false},
    {2, "R1Large", PathBlock::R1, "Label2", false},
    {3, "R11Comp", PathBlock::R1, "Label5", false},
    {4, "R1Align1", PathBlock::R1, "Label6", false},
    {5, "R1Swap1", PathBlock::R1, "Label7", false},
    {6, "R1Swap2", PathBlock::R1, "Label7b", false},
    {7, "R1Swap3", PathBlock::R1, "Label11", false},
    {8, "R1ShiftR", PathBlock::R1, "Label8", false},
    {9, "R1BigMux", PathBlock::R1, "Label9", false},
    {10, "R1ShiftL", PathBlock::R1, "Label10", false},
    {11, "R1IsR1", PathBlock::R1, "Label4", false},
    {12, "R2HA", PathBlock::R2, "Label3", true},
    {13, "R2Compound", PathBlock::R2, "Label2", false},
    {14, "R2Sigadd", PathBlock::R2, "Label5", false},
    {15, "R2Decide", PathBlock::R2, "Label6", false},
    {16, "R2Post", PathBlock::R2, "Label4", false},
    {17, "R2Select1", PathBlock::R2, "Label9", false},
    {18, "R2Select2", PathBlock::R2, "Label10", false},
    {19, "NSmallExp", PathBlock::N, "Label3", true},
    {20, "NSmallSig", PathBlock::N, "Label5", false},
    {21, "NSigadd", PathBlock::N, "Label6", false},
    {22, "NApprox", PathBlock::N, "Label4", false},
    {23, "NPost", PathBlock::N, "Label9", false},
    {24, "PathDecision", PathBlock::Result, "Label3", true},
    {25, "Results", PathBlock::Result, "Label2", false},
}};

inline const StageEntry& StageEntryForSlot(int slot) {
  return kStageTable[static_cast<std::size_t>(slot - 1)];
}

}  // namespace sumaris
