// The R path's first clock cycle, steps 1 to 11: exponent difference,
// effective operation, swap and alignment of the significands, and the
// R path condition IS_R1.
//
// Out: the aligned small operand FSOPA[-1:116], the large operand
// FLP[-1:52], seff, SIGN_BIG (B has the larger exponent) and IS_R1.
// Wires are named <stage>_<wire>; each stage takes its inputs where the
// step table's Pull takes them.
module r_path_cycle1 (
    input  [10:0]   Ea,
    input  [10:0]   EB,
    input           Sa,
    input           SB,
    input           SOP,
    input  [ 0:52]  Fa,
    input  [ 0:52]  FB,
    output [-1:116] FSOPA,
    output [-1:52]  FLP,
    output          seff,
    output [11:11]  SIGN_BIG,
    output          IS_R1
);
  /* verilator lint_off UNUSEDSIGNAL */
  // Outputs that the stage windows show but no later block reads (the
  // difference bits DELTA, MAG_LRG, the large operand's sign SL).
  wire [5:0] r1_medium_DELTA;
  wire [10:7] r1_large_DELTA;
  wire [10:6] r1_large_MAG_LRG;
  wire r1_swap3_SL;
  /* verilator lint_on UNUSEDSIGNAL */

  wire [6:6] r1_medium_SIGN_MED;
  wire [7:7] r1_medium_Cout;
  wire [5:0] r1_medium_MAG_MED;
  wire r1_medium_RES_MED;
  r1_medium r1_medium (
      .Ea(Ea[6:0]),
      .EB(EB[6:0]),
      .DELTA(r1_medium_DELTA),
      .SIGN_MED(r1_medium_SIGN_MED),
      .Cout(r1_medium_Cout),
      .MAG_MED(r1_medium_MAG_MED),
      .RES_MED(r1_medium_RES_MED)
  );

  wire r1_large_IS_BIG;
  r1_large r1_large (
      .Ea(Ea[10:7]),
      .EB(EB[10:7]),
      .CIN(r1_medium_Cout),
      .SIGN_MED(r1_medium_SIGN_MED),
      .DELTA(r1_large_DELTA),
      .SIGN_BIG(SIGN_BIG),
      .MAG_LRG(r1_large_MAG_LRG),
      .IS_BIG(r1_large_IS_BIG)
  );

  wire [0:52] r11_comp_FAO, r11_comp_FBO;
  r11_comp r11_comp (
      .Sa(Sa),
      .SB(SB),
      .SOP(SOP),
      .Fa(Fa),
      .FB(FB),
      .seff(seff),
      .FAO(r11_comp_FAO),
      .FBO(r11_comp_FBO)
  );

  wire [-1:52] r1_align1_FAOP;
  wire [0:53] r1_align1_FBOP;
  r1_align1 r1_align1 (
      .FAO(r11_comp_FAO),
      .FBO(r11_comp_FBO),
      .seff(seff),
      .FAOP(r1_align1_FAOP),
      .FBOP(r1_align1_FBOP)
  );

  wire [-1:53] r1_swap1_FSOP;
  r1_swap1 r1_swap1 (
      .FAOP(r1_align1_FAOP),
      .FBOP(r1_align1_FBOP),
      .seff(seff),
      .SIGN_MED(r1_medium_SIGN_MED),
      .FSOP(r1_swap1_FSOP)
  );

  wire [0:53] r1_swap2_FSO;
  r1_swap2 r1_swap2 (
      .FAO(r1_align1_FAOP),
      .FBO(r1_align1_FBOP),
      .SIGN_BIG(SIGN_BIG),
      .FSO(r1_swap2_FSO)
  );

  wire [0:52] r1_swap3_FL;
  r1_swap3 r1_swap3 (
      .Fa(Fa),
      .FB(FB),
      .Sa(Sa),
      .SB(SB),
      .SIGN_BIG(SIGN_BIG),
      .FL(r1_swap3_FL),
      .SL(r1_swap3_SL)
  );

  wire [-1:116] r1_shift_r_FSOPAmed;
  r1_shift_r r1_shift_r (
      .FSOP(r1_swap1_FSOP),
      .MAG_MED(r1_medium_MAG_MED),
      .seff(seff),
      .FSOPAmed(r1_shift_r_FSOPAmed)
  );

  r1_big_mux r1_big_mux (
      .FSO(r1_swap2_FSO),
      .FSOPAmed(r1_shift_r_FSOPAmed),
      .IS_BIG(r1_large_IS_BIG),
      .seff(seff),
      .FSOPA(FSOPA)
  );

  r1_shift_l r1_shift_l (
      .FL(r1_swap3_FL),
      .seff(seff),
      .FLP(FLP)
  );

  // IS_R1 takes SIGN_BIG inverted on its way in.
  wire r1_is_r1_SIGN_BIG_N = ~SIGN_BIG[11];
  r1_is_r1 r1_is_r1 (
      .MAG_MED(r1_medium_MAG_MED[0]),
      .SIGN_BIG_N(r1_is_r1_SIGN_BIG_N),
      .RIGHT_OR(r1_medium_RES_MED),
      .IS_BIG(r1_large_IS_BIG),
      .IS_R1(IS_R1)
  );
endmodule
