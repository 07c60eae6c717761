#include "wires/stage_layout.h"

namespace sumaris::layout {

StageLayout PathDecisionLayout() { return {}; }
StageLayout ResultsLayout() { return {}; }

}  // namespace sumaris::layout
