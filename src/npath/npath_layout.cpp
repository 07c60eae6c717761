#include "wires/stage_layout.h"

namespace sumaris::layout {

StageLayout NSmallExpLayout() { return {}; }
StageLayout NSmallSigLayout() { return {}; }
StageLayout NSigaddLayout() { return {}; }
StageLayout NApproxLayout() { return {}; }
StageLayout NPostLayout() { return {}; }

}  // namespace sumaris::layout
