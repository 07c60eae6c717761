#include "wire_map.h"

#include <array>

#include "batch/wire_trace.h"
#include "core/wire.h"

namespace sumaris::rtl {
namespace {

// Instances: r_path.r_path_cycle1 holds steps 1-11, r_path.r_path_cycle2
// steps 12-18, n_path.n_path_cycle1 steps 19-22, n_path.n_post step 23 and
// final_stages steps 24 and 25. Ports and internal wires are named after
// the model's wires.
constexpr std::array kWireSignals = {
    // R1Medium
    WireSignal{"R1Medium", "Ea", "r_path.r_path_cycle1.r1_medium.Ea"},
    WireSignal{"R1Medium", "EB", "r_path.r_path_cycle1.r1_medium.EB"},
    WireSignal{"R1Medium", "EB_INV", "r_path.r_path_cycle1.r1_medium.EB_INV"},
    WireSignal{"R1Medium", "DELTA", "r_path.r_path_cycle1.r1_medium.DELTA"},
    WireSignal{"R1Medium", "SIGN_MED", "r_path.r_path_cycle1.r1_medium.SIGN_MED"},
    WireSignal{"R1Medium", "Cout", "r_path.r_path_cycle1.r1_medium.Cout"},
    WireSignal{"R1Medium", "MAG_MED", "r_path.r_path_cycle1.r1_medium.MAG_MED"},
    WireSignal{"R1Medium", "RES_MED", "r_path.r_path_cycle1.r1_medium.RES_MED"},
    // R1Large
    WireSignal{"R1Large", "OEA", "r_path.r_path_cycle1.r1_large.OEA"},
    WireSignal{"R1Large", "Ea", "r_path.r_path_cycle1.r1_large.Ea"},
    WireSignal{"R1Large", "OEB", "r_path.r_path_cycle1.r1_large.OEB"},
    WireSignal{"R1Large", "EB", "r_path.r_path_cycle1.r1_large.EB"},
    WireSignal{"R1Large", "OEB_INV", "r_path.r_path_cycle1.r1_large.OEB_INV"},
    WireSignal{"R1Large", "EB_INV", "r_path.r_path_cycle1.r1_large.EB_INV"},
    WireSignal{"R1Large", "CIN", "r_path.r_path_cycle1.r1_large.CIN"},
    WireSignal{"R1Large", "SIGN_MED", "r_path.r_path_cycle1.r1_large.SIGN_MED"},
    WireSignal{"R1Large", "DELTA", "r_path.r_path_cycle1.r1_large.DELTA"},
    WireSignal{"R1Large", "SIGN_BIG", "r_path.r_path_cycle1.r1_large.SIGN_BIG"},
    WireSignal{"R1Large", "MAG_LRG", "r_path.r_path_cycle1.r1_large.MAG_LRG"},
    WireSignal{"R1Large", "IS_BIG", "r_path.r_path_cycle1.r1_large.IS_BIG"},
    // R11Comp
    WireSignal{"R11Comp", "Sa", "r_path.r_path_cycle1.r11_comp.Sa"},
    WireSignal{"R11Comp", "SB", "r_path.r_path_cycle1.r11_comp.SB"},
    WireSignal{"R11Comp", "SOP", "r_path.r_path_cycle1.r11_comp.SOP"},
    WireSignal{"R11Comp", "seff", "r_path.r_path_cycle1.r11_comp.seff"},
    WireSignal{"R11Comp", "Fa", "r_path.r_path_cycle1.r11_comp.Fa"},
    WireSignal{"R11Comp", "FB", "r_path.r_path_cycle1.r11_comp.FB"},
    WireSignal{"R11Comp", "FAO", "r_path.r_path_cycle1.r11_comp.FAO"},
    WireSignal{"R11Comp", "FBO", "r_path.r_path_cycle1.r11_comp.FBO"},
    // R1Align1
    WireSignal{"R1Align1", "FAO", "r_path.r_path_cycle1.r1_align1.FAO"},
    WireSignal{"R1Align1", "FBO", "r_path.r_path_cycle1.r1_align1.FBO"},
    WireSignal{"R1Align1", "seff", "r_path.r_path_cycle1.r1_align1.seff"},
    WireSignal{"R1Align1", "FAOP", "r_path.r_path_cycle1.r1_align1.FAOP"},
    WireSignal{"R1Align1", "FBOP", "r_path.r_path_cycle1.r1_align1.FBOP"},
    // R1Swap1
    WireSignal{"R1Swap1", "FAOP", "r_path.r_path_cycle1.r1_swap1.FAOP"},
    WireSignal{"R1Swap1", "FBOP", "r_path.r_path_cycle1.r1_swap1.FBOP"},
    WireSignal{"R1Swap1", "seff", "r_path.r_path_cycle1.r1_swap1.seff"},
    WireSignal{"R1Swap1", "SIGN_MED", "r_path.r_path_cycle1.r1_swap1.SIGN_MED"},
    WireSignal{"R1Swap1", "FSOP", "r_path.r_path_cycle1.r1_swap1.FSOP"},
    // R1Swap2
    WireSignal{"R1Swap2", "FAO", "r_path.r_path_cycle1.r1_swap2.FAO"},
    WireSignal{"R1Swap2", "FBO", "r_path.r_path_cycle1.r1_swap2.FBO"},
    WireSignal{"R1Swap2", "SIGN_BIG", "r_path.r_path_cycle1.r1_swap2.SIGN_BIG"},
    WireSignal{"R1Swap2", "FSO", "r_path.r_path_cycle1.r1_swap2.FSO"},
    // R1Swap3
    WireSignal{"R1Swap3", "Fa", "r_path.r_path_cycle1.r1_swap3.Fa"},
    WireSignal{"R1Swap3", "FB", "r_path.r_path_cycle1.r1_swap3.FB"},
    WireSignal{"R1Swap3", "Sa", "r_path.r_path_cycle1.r1_swap3.Sa"},
    WireSignal{"R1Swap3", "SB", "r_path.r_path_cycle1.r1_swap3.SB"},
    WireSignal{"R1Swap3", "SIGN_BIG", "r_path.r_path_cycle1.r1_swap3.SIGN_BIG"},
    WireSignal{"R1Swap3", "FL", "r_path.r_path_cycle1.r1_swap3.FL"},
    WireSignal{"R1Swap3", "SL", "r_path.r_path_cycle1.r1_swap3.SL"},
    // R1ShiftR
    WireSignal{"R1ShiftR", "FSOP", "r_path.r_path_cycle1.r1_shift_r.FSOP"},
    WireSignal{"R1ShiftR", "MAG_MED", "r_path.r_path_cycle1.r1_shift_r.MAG_MED"},
    WireSignal{"R1ShiftR", "seff", "r_path.r_path_cycle1.r1_shift_r.seff"},
    WireSignal{"R1ShiftR", "FSOPAmed", "r_path.r_path_cycle1.r1_shift_r.FSOPAmed"},
    // R1BigMux
    WireSignal{"R1BigMux", "FSO", "r_path.r_path_cycle1.r1_big_mux.FSO"},
    WireSignal{"R1BigMux", "FSOPAmed", "r_path.r_path_cycle1.r1_big_mux.FSOPAmed"},
    WireSignal{"R1BigMux", "IS_BIG", "r_path.r_path_cycle1.r1_big_mux.IS_BIG"},
    WireSignal{"R1BigMux", "seff", "r_path.r_path_cycle1.r1_big_mux.seff"},
    WireSignal{"R1BigMux", "FSOPA", "r_path.r_path_cycle1.r1_big_mux.FSOPA"},
    // R1ShiftL
    WireSignal{"R1ShiftL", "FL", "r_path.r_path_cycle1.r1_shift_l.FL"},
    WireSignal{"R1ShiftL", "seff", "r_path.r_path_cycle1.r1_shift_l.seff"},
    WireSignal{"R1ShiftL", "FLP", "r_path.r_path_cycle1.r1_shift_l.FLP"},
    // R1IsR1
    WireSignal{"R1IsR1", "MAG_MED", "r_path.r_path_cycle1.r1_is_r1.MAG_MED"},
    WireSignal{"R1IsR1", "SIGN_BIG_N", "r_path.r_path_cycle1.r1_is_r1.SIGN_BIG_N"},
    WireSignal{"R1IsR1", "AND_res", "r_path.r_path_cycle1.r1_is_r1.AND_res"},
    WireSignal{"R1IsR1", "RIGHT_OR", "r_path.r_path_cycle1.r1_is_r1.RIGHT_OR"},
    WireSignal{"R1IsR1", "IS_BIG", "r_path.r_path_cycle1.r1_is_r1.IS_BIG"},
    WireSignal{"R1IsR1", "IS_R1", "r_path.r_path_cycle1.r1_is_r1.IS_R1"},
    // R2HA
    WireSignal{"R2HA", "FSOPA", "r_path.r_path_cycle2.r2_ha.FSOPA"},
    WireSignal{"R2HA", "FLP", "r_path.r_path_cycle2.r2_ha.FLP"},
    WireSignal{"R2HA", "XSUM", "r_path.r_path_cycle2.r2_ha.XSUM"},
    WireSignal{"R2HA", "XCARRY", "r_path.r_path_cycle2.r2_ha.XCARRY"},
    // R2Compound
    WireSignal{"R2Compound", "XSUM", "r_path.r_path_cycle2.r2_compound.XSUM"},
    WireSignal{"R2Compound", "XCARRY", "r_path.r_path_cycle2.r2_compound.XCARRY"},
    WireSignal{"R2Compound", "FPOSUM", "r_path.r_path_cycle2.r2_compound.FPOSUM"},
    WireSignal{"R2Compound", "FPOSUMI", "r_path.r_path_cycle2.r2_compound.FPOSUMI"},
    // R2Sigadd
    WireSignal{"R2Sigadd", "FSOPA", "r_path.r_path_cycle2.r2_sigadd.FSOPA"},
    WireSignal{"R2Sigadd", "FSOPA53", "r_path.r_path_cycle2.r2_sigadd.FSOPA53"},
    WireSignal{"R2Sigadd", "seff", "r_path.r_path_cycle2.r2_sigadd.seff"},
    WireSignal{"R2Sigadd", "INJ", "r_path.r_path_cycle2.r2_sigadd.INJ"},
    WireSignal{"R2Sigadd", "OrOut", "r_path.r_path_cycle2.r2_sigadd.OrOut"},
    WireSignal{"R2Sigadd", "C52RS", "r_path.r_path_cycle2.r2_sigadd.C52RS"},
    // R2Decide
    WireSignal{"R2Decide", "FPOSUMm1", "r_path.r_path_cycle2.r2_decide.FPOSUMm1"},
    WireSignal{"R2Decide", "FPOSUMIm1", "r_path.r_path_cycle2.r2_decide.FPOSUMIm1"},
    WireSignal{"R2Decide", "FPOSUM51", "r_path.r_path_cycle2.r2_decide.FPOSUM51"},
    WireSignal{"R2Decide", "FPOSUMI51", "r_path.r_path_cycle2.r2_decide.FPOSUMI51"},
    WireSignal{"R2Decide", "XSUM52", "r_path.r_path_cycle2.r2_decide.XSUM52"},
    WireSignal{"R2Decide", "C52RS", "r_path.r_path_cycle2.r2_decide.C52RS"},
    WireSignal{"R2Decide", "IsRN", "r_path.r_path_cycle2.r2_decide.IsRN"},
    WireSignal{"R2Decide", "IsRI", "r_path.r_path_cycle2.r2_decide.IsRI"},
    WireSignal{"R2Decide", "LSBinc2", "r_path.r_path_cycle2.r2_decide.LSBinc2"},
    WireSignal{"R2Decide", "LSBninc2", "r_path.r_path_cycle2.r2_decide.LSBninc2"},
    WireSignal{"R2Decide", "LSBNINC", "r_path.r_path_cycle2.r2_decide.LSBNINC"},
    WireSignal{"R2Decide", "LSBincO", "r_path.r_path_cycle2.r2_decide.LSBincO"},
    WireSignal{"R2Decide", "LSBnincO", "r_path.r_path_cycle2.r2_decide.LSBnincO"},
    WireSignal{"R2Decide", "RINC", "r_path.r_path_cycle2.r2_decide.RINC"},
    // R2Post
    WireSignal{"R2Post", "FPOSUM", "r_path.r_path_cycle2.r2_post.FPOSUM"},
    WireSignal{"R2Post", "FPOSUMI", "r_path.r_path_cycle2.r2_post.FPOSUMI"},
    WireSignal{"R2Post", "FPOSUM_s", "r_path.r_path_cycle2.r2_post.FPOSUM_s"},
    WireSignal{"R2Post", "FPOSUMI_s", "r_path.r_path_cycle2.r2_post.FPOSUMI_s"},
    // R2Select1
    WireSignal{"R2Select1", "FPOSUM_s", "r_path.r_path_cycle2.r2_select1.FPOSUM_s"},
    WireSignal{"R2Select1", "FPOSUMI_s", "r_path.r_path_cycle2.r2_select1.FPOSUMI_s"},
    WireSignal{"R2Select1", "RINC", "r_path.r_path_cycle2.r2_select1.RINC"},
    WireSignal{"R2Select1", "FFAR", "r_path.r_path_cycle2.r2_select1.FFAR"},
    // R2Select2
    WireSignal{"R2Select2", "LSBINC", "r_path.r_path_cycle2.r2_select2.LSBINC"},
    WireSignal{"R2Select2", "LSBNINC", "r_path.r_path_cycle2.r2_select2.LSBNINC"},
    WireSignal{"R2Select2", "RINC", "r_path.r_path_cycle2.r2_select2.RINC"},
    WireSignal{"R2Select2", "FFAR52", "r_path.r_path_cycle2.r2_select2.FFAR52"},
    // NSmallExp
    WireSignal{"NSmallExp", "Ea", "n_path.n_path_cycle1.n_small_exp.Ea"},
    WireSignal{"NSmallExp", "EB", "n_path.n_path_cycle1.n_small_exp.EB"},
    WireSignal{"NSmallExp", "EB_n", "n_path.n_path_cycle1.n_small_exp.EB_n"},
    WireSignal{"NSmallExp", "DELTA", "n_path.n_path_cycle1.n_small_exp.DELTA"},
    WireSignal{"NSmallExp", "Sa", "n_path.n_path_cycle1.n_small_exp.Sa"},
    WireSignal{"NSmallExp", "SB", "n_path.n_path_cycle1.n_small_exp.SB"},
    WireSignal{"NSmallExp", "SL", "n_path.n_path_cycle1.n_small_exp.SL"},
    WireSignal{"NSmallExp", "Fa", "n_path.n_path_cycle1.n_small_exp.Fa"},
    WireSignal{"NSmallExp", "FB", "n_path.n_path_cycle1.n_small_exp.FB"},
    WireSignal{"NSmallExp", "FLP", "n_path.n_path_cycle1.n_small_exp.FLP"},
    WireSignal{"NSmallExp", "c_in", "n_path.n_path_cycle1.n_small_exp.c_in"},
    // NSmallSig
    WireSignal{"NSmallSig", "Fa", "n_path.n_path_cycle1.n_small_sig.Fa"},
    WireSignal{"NSmallSig", "FB", "n_path.n_path_cycle1.n_small_sig.FB"},
    WireSignal{"NSmallSig", "DELTA", "n_path.n_path_cycle1.n_small_sig.DELTA"},
    WireSignal{"NSmallSig", "FSOPA", "n_path.n_path_cycle1.n_small_sig.FSOPA"},
    // NSigadd
    WireSignal{"NSigadd", "FLP", "n_path.n_path_cycle1.n_sigadd.FLP"},
    WireSignal{"NSigadd", "FSOPA", "n_path.n_path_cycle1.n_sigadd.FSOPA"},
    WireSignal{"NSigadd", "Sigma", "n_path.n_path_cycle1.n_sigadd.Sigma"},
    WireSignal{"NSigadd", "PIE", "n_path.n_path_cycle1.n_sigadd.PIE"},
    WireSignal{"NSigadd", "P", "n_path.n_path_cycle1.n_sigadd.P"},
    WireSignal{"NSigadd", "gen_c", "n_path.n_path_cycle1.n_sigadd.gen_c"},
    WireSignal{"NSigadd", "prop_c", "n_path.n_path_cycle1.n_sigadd.prop_c"},
    WireSignal{"NSigadd", "GP_C", "n_path.n_path_cycle1.n_sigadd.GP_C"},
    WireSignal{"NSigadd", "my_XNOR", "n_path.n_path_cycle1.n_sigadd.my_XNOR"},
    WireSignal{"NSigadd", "my_xor", "n_path.n_path_cycle1.n_sigadd.my_xor"},
    WireSignal{"NSigadd", "Fopsum2", "n_path.n_path_cycle1.n_sigadd.Fopsum2"},
    WireSignal{"NSigadd", "abs_FPSUM", "n_path.n_path_cycle1.n_sigadd.abs_FPSUM"},
    // NApprox
    WireSignal{"NApprox", "FLP", "n_path.n_path_cycle1.n_approx.FLP"},
    WireSignal{"NApprox", "FSOPA", "n_path.n_path_cycle1.n_approx.FSOPA"},
    WireSignal{"NApprox", "FOPSUM", "n_path.n_path_cycle1.n_approx.FOPSUM"},
    WireSignal{"NApprox", "PS_i", "n_path.n_path_cycle1.n_approx.PS_i"},
    WireSignal{"NApprox", "PC_i", "n_path.n_path_cycle1.n_approx.PC_i"},
    WireSignal{"NApprox", "PNP", "n_path.n_path_cycle1.n_approx.PNP"},
    WireSignal{"NApprox", "PNM", "n_path.n_path_cycle1.n_approx.PNM"},
    WireSignal{"NApprox", "XOR55", "n_path.n_path_cycle1.n_approx.XOR55"},
    WireSignal{"NApprox", "LZP1", "n_path.n_path_cycle1.n_approx.LZP1"},
    WireSignal{"NApprox", "LZP2", "n_path.n_path_cycle1.n_approx.LZP2"},
    WireSignal{"NApprox", "LZP", "n_path.n_path_cycle1.n_approx.LZP"},
    // NPost
    WireSignal{"NPost", "abs_FPSUM", "n_path.n_post.abs_FPSUM"},
    WireSignal{"NPost", "LZP", "n_path.n_post.LZP"},
    WireSignal{"NPost", "IS_R2", "n_path.n_post.IS_R2"},
    WireSignal{"NPost", "norm_FPSUM", "n_path.n_post.norm_FPSUM"},
    WireSignal{"NPost", "sel", "n_path.n_post.sel"},
    WireSignal{"NPost", "F_NEAR", "n_path.n_post.F_NEAR"},
    // PathDecision
    WireSignal{"PathDecision", "seff", "final_stages.path_decision.seff"},
    WireSignal{"PathDecision", "isr1", "final_stages.path_decision.isr1"},
    WireSignal{"PathDecision", "isr2", "final_stages.path_decision.isr2"},
    WireSignal{"PathDecision", "IS_R", "final_stages.path_decision.IS_R"},
    WireSignal{"PathDecision", "IS_R1", "final_stages.path_decision.IS_R1"},
    WireSignal{"PathDecision", "SIGN_BIG", "final_stages.path_decision.SIGN_BIG"},
    WireSignal{"PathDecision", "E", "final_stages.path_decision.E"},
    WireSignal{"PathDecision", "RINC", "final_stages.path_decision.RINC"},
    WireSignal{"PathDecision", "FPOSUM", "final_stages.path_decision.FPOSUM"},
    WireSignal{"PathDecision", "FPOSUMI", "final_stages.path_decision.FPOSUMI"},
    WireSignal{"PathDecision", "ADDR", "final_stages.path_decision.ADDR"},
    WireSignal{"PathDecision", "LZP", "final_stages.path_decision.LZP"},
    WireSignal{"PathDecision", "norm_FPSUM", "final_stages.path_decision.norm_FPSUM"},
    WireSignal{"PathDecision", "ADD_F", "final_stages.path_decision.ADD_F"},
    WireSignal{"PathDecision", "E_final", "final_stages.path_decision.E_final"},
    // Results
    WireSignal{"Results", "Sa", "final_stages.results.Sa"},
    WireSignal{"Results", "Ea", "final_stages.results.Ea"},
    WireSignal{"Results", "Fa", "final_stages.results.Fa"},
};

}  // namespace

std::span<const WireSignal> WireSignals() {
  return kWireSignals;
}

std::string RtlBitsOf(const Adder& adder, const Wire& wire) {
  const bool digits = IsDigitWire(adder, wire);
  std::string bits;
  bits.reserve(static_cast<std::size_t>(wire.size()) * (digits ? 2 : 1));
  for (const Cell& cell : wire.cells()) {
    if (digits) {
      bits += cell.Is('0') ? "00" : cell.Is('1') ? "01" : cell.Is('2') ? "10" : "??";
    } else {
      bits += cell.Is('0') ? '0' : cell.Is('1') ? '1' : '?';
    }
  }
  return bits;
}

}  // namespace sumaris::rtl
