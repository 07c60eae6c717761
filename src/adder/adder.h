#pragma once

#include <string_view>

#include "adder/operand_entry.h"
#include "adder/stage_list.h"
#include "core/stage.h"

namespace sumaris {

// The whole simulated adder: the operand entry and the 25 stages, created
// once. Stages reach each other through it (adder().r1Medium.SIGN_MED).
class Adder {
 public:
  Adder();
  Adder(const Adder&) = delete;
  Adder& operator=(const Adder&) = delete;

  // The stage of a slot, 1 .. 25, in pipeline order; null for any other.
  Stage* StageInSlot(int slot);
  const Stage* StageInSlot(int slot) const;
  Stage* FindStage(std::string_view name);

  OperandEntry input;

  // One member a stage, from the stage list: R1Medium r1Medium; ...
#define SUMARIS_STAGE_MEMBER(slot, Class, member, ...) \
  Class member{*this, kStageDescriptors[slot - 1]};
  SUMARIS_STAGE_LIST(SUMARIS_STAGE_MEMBER)
#undef SUMARIS_STAGE_MEMBER
};

}  // namespace sumaris
