#include "wires/stage_layout.h"

namespace sumaris::layout {

StageLayout R1MediumLayout() { return {}; }
StageLayout R1LargeLayout() { return {}; }
StageLayout R11CompLayout() { return {}; }
StageLayout R1Align1Layout() { return {}; }
StageLayout R1Swap1Layout() { return {}; }
StageLayout R1Swap2Layout() { return {}; }
StageLayout R1Swap3Layout() { return {}; }
StageLayout R1ShiftRLayout() { return {}; }
StageLayout R1BigMuxLayout() { return {}; }
StageLayout R1ShiftLLayout() { return {}; }
StageLayout R1IsR1Layout() { return {}; }

}  // namespace sumaris::layout
