#include "adder/adder.h"

namespace sumaris {

Adder::Adder() {
  input.ConnectResultSign(&results.Sa[0]);
}

Stage* Adder::StageInSlot(int slot) {
  switch (slot) {
    case 1:
      return &r1Medium;
    case 2:
      return &r1Large;
    case 3:
      return &r11Comp;
    case 4:
      return &r1Align1;
    case 5:
      return &r1Swap1;
    case 6:
      return &r1Swap2;
    case 7:
      return &r1Swap3;
    case 8:
      return &r1ShiftR;
    case 9:
      return &r1BigMux;
    case 10:
      return &r1ShiftL;
    case 11:
      return &r1IsR1;
    case 12:
      return &r2HA;
    case 13:
      return &r2Compound;
    case 14:
      return &r2Sigadd;
    case 15:
      return &r2Decide;
    case 16:
      return &r2Post;
    case 17:
      return &r2Select1;
    case 18:
      return &r2Select2;
    case 19:
      return &nSmallExp;
    case 20:
      return &nSmallSig;
    case 21:
      return &nSigadd;
    case 22:
      return &nApprox;
    case 23:
      return &nPost;
    case 24:
      return &pathDecision;
    case 25:
      return &results;
    default:
      return nullptr;
  }
}

Stage* Adder::FindStage(std::string_view name) {
  for (int slot = 1; slot <= 25; ++slot) {
    Stage* stage = StageInSlot(slot);
    if (stage->name() == name) return stage;
  }
  return nullptr;
}

}  // namespace sumaris
