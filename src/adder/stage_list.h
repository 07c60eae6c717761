#pragma once

// Every stage of the adder, in pipeline order: one row a stage. To add a
// stage, write its row here, its model class (a subclass of AdderStage,
// included below) and its drawing, the function <Class>Layout in
// app/layouts/.
//
//   STAGE(slot, Class, member, overview, block, title, editor name)
//
//   slot         its place in the step table, 1 .. 25
//   Class        its model class; the class name is the stage's name
//   member       the Adder's member that holds it (adder.r1Medium)
//   overview     the path overview that shows it: R1, R2, N or Result
//   block        the object name of its block in that overview
//   title        what the block does, for its window's title bar
//   editor name  what it hands the Wire Bits Editor ("" where its buttons
//                pass names of their own)

#include <array>
#include <cstddef>

#include "adder/npath/n_approx.h"
#include "adder/npath/n_post.h"
#include "adder/npath/n_sigadd.h"
#include "adder/npath/n_small_exp.h"
#include "adder/npath/n_small_sig.h"
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

// clang-format off
#define SUMARIS_STAGE_LIST(STAGE) \
  /* R path, first cycle */ \
  STAGE( 1, R1Medium,     r1Medium,     R1,     "Label3",  "exponent difference, medium part", "R1 Medium") \
  STAGE( 2, R1Large,      r1Large,      R1,     "Label2",  "exponent difference, large part", "R1 Large") \
  STAGE( 3, R11Comp,      r11Comp,      R1,     "Label5",  "effective operation and 1's complement", "1'S Complement") \
  STAGE( 4, R1Align1,     r1Align1,     R1,     "Label6",  "pre-shift by one", "Align 1") \
  STAGE( 5, R1Swap1,      r1Swap1,      R1,     "Label7",  "operand swap, first step", "Swap part 1") \
  STAGE( 6, R1Swap2,      r1Swap2,      R1,     "Label7b", "operand swap, second step", "Small Exp Difference + Large Sig + Pre-Shift") \
  STAGE( 7, R1Swap3,      r1Swap3,      R1,     "Label11", "swap of the large significand", "Swap Large") \
  STAGE( 8, R1ShiftR,     r1ShiftR,     R1,     "Label8",  "alignment shift right", "Shift Right, sign extend, fill bit with seff") \
  STAGE( 9, R1BigMux,     r1BigMux,     R1,     "Label9",  "big mux", "Big Mux") \
  STAGE(10, R1ShiftL,     r1ShiftL,     R1,     "Label10", "shift left by one", "R1 Shift Left") \
  STAGE(11, R1IsR1,       r1IsR1,       R1,     "Label4",  "R path condition", "IS_R1") \
  /* R path, second cycle */ \
  STAGE(12, R2HA,         r2HA,         R2,     "Label3",  "half adder", "") \
  STAGE(13, R2Compound,   r2Compound,   R2,     "Label2",  "compound adder", "") \
  STAGE(14, R2Sigadd,     r2Sigadd,     R2,     "Label5",  "injection addition of the low bits", "") \
  STAGE(15, R2Decide,     r2Decide,     R2,     "Label6",  "rounding decision", "Rounding Decision") \
  STAGE(16, R2Post,       r2Post,       R2,     "Label4",  "post-normalisation shift", "") \
  STAGE(17, R2Select1,    r2Select1,    R2,     "Label9",  "final selection", "") \
  STAGE(18, R2Select2,    r2Select2,    R2,     "Label10", "final selection of bit 52", "") \
  /* N path */ \
  STAGE(19, NSmallExp,    nSmallExp,    N,      "Label3",  "small exponent difference", "Small Exp Difference + Large Sig + Pre-Shift") \
  STAGE(20, NSmallSig,    nSmallSig,    N,      "Label5",  "significand select, align and pre-shift", "Small sig Select & Align & Pre-shift") \
  STAGE(21, NSigadd,      nSigadd,      N,      "Label6",  "significand subtraction", "Significand Addition") \
  STAGE(22, NApprox,      nApprox,      N,      "Label4",  "leading-zero approximation", "Approx LZ Count") \
  STAGE(23, NPost,        nPost,        N,      "Label9",  "normalisation shift", "Normalization + Post-norm Shift") \
  /* path decision and result */ \
  STAGE(24, PathDecision, pathDecision, Result, "Label3",  "path decision and exponent", "Path Decision") \
  STAGE(25, Results,      results,      Result, "Label2",  "the result in binary and decimal", "")
// clang-format on

namespace sumaris {

inline constexpr int kStageCount = 25;

// The descriptors of all stages, slot 1 first.
inline constexpr std::array<StageDescriptor, kStageCount> kStageDescriptors = {{
#define SUMARIS_DESCRIPTOR(slot, Class, member, overview, block, title, editorName) \
  {slot, #Class, title, editorName, PathBlock::overview, block},
    SUMARIS_STAGE_LIST(SUMARIS_DESCRIPTOR)
#undef SUMARIS_DESCRIPTOR
}};

inline const StageDescriptor& StageDescriptorForSlot(int slot) {
  return kStageDescriptors.at(static_cast<std::size_t>(slot - 1));
}

// A stage named in code by its slot: StageSlot::PathDecision is 24.
enum class StageSlot {
#define SUMARIS_STAGE_SLOT(slot, Class, ...) Class = slot,
  SUMARIS_STAGE_LIST(SUMARIS_STAGE_SLOT)
#undef SUMARIS_STAGE_SLOT
};

inline const StageDescriptor& StageDescriptorFor(StageSlot slot) {
  return StageDescriptorForSlot(static_cast<int>(slot));
}

// The rows are in slot order, one a slot.
inline constexpr bool SlotsRunInOrder() {
  for (std::size_t i = 0; i < kStageDescriptors.size(); ++i) {
    if (kStageDescriptors[i].slot != static_cast<int>(i) + 1) return false;
  }
  return true;
}
static_assert(SlotsRunInOrder(), "the stage list runs slot 1, 2, 3, ... without gaps");

// The first stage of a path after another path: stepping onto it marks its
// path on the control panel before its block is highlighted.
inline constexpr bool OpensItsPath(const StageDescriptor& stage) {
  return stage.slot > 1 &&
         kStageDescriptors[static_cast<std::size_t>(stage.slot - 2)].overview != stage.overview;
}

}  // namespace sumaris
