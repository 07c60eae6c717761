#include "wires/stage_layout.h"

namespace sumaris::layout {

StageLayout R2HALayout() { return {}; }
StageLayout R2CompoundLayout() { return {}; }
StageLayout R2SigaddLayout() { return {}; }
StageLayout R2DecideLayout() { return {}; }
StageLayout R2PostLayout() { return {}; }
StageLayout R2Select1Layout() { return {}; }
StageLayout R2Select2Layout() { return {}; }

}  // namespace sumaris::layout
