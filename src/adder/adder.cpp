#include "adder/adder.h"

namespace sumaris {

Adder::Adder() {
  input.ConnectResultSign(&results.Sa[0]);
}

Stage* Adder::StageInSlot(int slot) {
  switch (slot) {
#define SUMARIS_STAGE_CASE(slot, Class, member, ...) \
  case slot:                                         \
    return &member;
    SUMARIS_STAGE_LIST(SUMARIS_STAGE_CASE)
#undef SUMARIS_STAGE_CASE
    default:
      return nullptr;
  }
}

const Stage* Adder::StageInSlot(int slot) const {
  return const_cast<Adder*>(this)->StageInSlot(slot);
}

Stage* Adder::FindStage(std::string_view name) {
  for (const StageDescriptor& stage : kStageDescriptors) {
    if (stage.name == name) return StageInSlot(stage.slot);
  }
  return nullptr;
}

}  // namespace sumaris
