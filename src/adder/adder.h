#pragma once

#include "adder/npath/n_approx.h"
#include "adder/npath/n_post.h"
#include "adder/npath/n_sigadd.h"
#include "adder/npath/n_small_exp.h"
#include "adder/npath/n_small_sig.h"
#include "adder/operand_entry.h"
#include "adder/result/path_decision.h"
#include "adder/result/results.h"
#include "adder/rpath1/r1_align1.h"
#include "adder/rpath1/r1_big_mux.h"
#include "adder/rpath1/r1_comp.h"
#include "adder/rpath1/r1_is_r1.h"
#include "adder/rpath1/r1_large.h"
#include "adder/rpath1/r1_medium.h"
#include "adder/rpath1/r1_shift_l.h"
#include "adder/rpath1/r1_shift_r.h"
#include "adder/rpath1/r1_swap1.h"
#include "adder/rpath1/r1_swap2.h"
#include "adder/rpath1/r1_swap3.h"
#include "adder/rpath2/r2_compound.h"
#include "adder/rpath2/r2_decide.h"
#include "adder/rpath2/r2_ha.h"
#include "adder/rpath2/r2_post.h"
#include "adder/rpath2/r2_select1.h"
#include "adder/rpath2/r2_select2.h"
#include "adder/rpath2/r2_sigadd.h"
#include "core/stage.h"

namespace sumaris {

// The whole simulated adder: the operand entry and the 25 stages, created
// once. Stages reach each other through it (adder().r1Medium.SIGN_MED).
class Adder {
 public:
  Adder();
  Adder(const Adder&) = delete;
  Adder& operator=(const Adder&) = delete;

  // The stage of a slot, 1 .. 25, in pipeline order.
  Stage* StageInSlot(int slot);
  Stage* FindStage(std::string_view name);

  OperandEntry input;

  R1Medium r1Medium{*this};
  R1Large r1Large{*this};
  R11Comp r11Comp{*this};
  R1Align1 r1Align1{*this};
  R1Swap1 r1Swap1{*this};
  R1Swap2 r1Swap2{*this};
  R1Swap3 r1Swap3{*this};
  R1ShiftR r1ShiftR{*this};
  R1BigMux r1BigMux{*this};
  R1ShiftL r1ShiftL{*this};
  R1IsR1 r1IsR1{*this};
  R2HA r2HA{*this};
  R2Compound r2Compound{*this};
  R2Sigadd r2Sigadd{*this};
  R2Decide r2Decide{*this};
  R2Post r2Post{*this};
  R2Select1 r2Select1{*this};
  R2Select2 r2Select2{*this};
  NSmallExp nSmallExp{*this};
  NSmallSig nSmallSig{*this};
  NSigadd nSigadd{*this};
  NApprox nApprox{*this};
  NPost nPost{*this};
  PathDecision pathDecision{*this};
  Results results{*this};
};

}  // namespace sumaris
