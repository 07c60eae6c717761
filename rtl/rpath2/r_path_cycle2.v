// The R path's second clock cycle, steps 12 to 18: half adders, compound
// adder, injection addition of the low bits, rounding decision,
// post-normalisation and the final selection of the significand F.FAR.
//
// Out: F.FAR[0:51] and F.FAR[52], RINC and both candidates' overflow bits
// (the path decision adds one to the exponent for an overflow).
module r_path_cycle2 (
    input  [-1:116] FSOPA,
    input  [-1:52]  FLP,
    input           seff,
    input  [ 0:1]   INJ,
    input           IsRN,
    output [ 0:51]  FFAR,
    output [52:52]  FFAR52,
    output          RINC,
    output [-1:-1]  FPOSUMm1,
    output [-1:-1]  FPOSUMIm1
);
  wire [-1:51] r2_ha_XSUM, r2_ha_XCARRY;
  wire [52:52] r2_ha_SumBit52;
  r2_ha r2_ha (
      .FSOPA(FSOPA[-1:52]),
      .FLP(FLP),
      .XSUM(r2_ha_XSUM),
      .XCARRY(r2_ha_XCARRY),
      .SumBit52(r2_ha_SumBit52)
  );

  // Bit 52 of the compound adder's XSUM is not connected to the half
  // adders: it holds 0.
  wire [-1:52] r2_compound_XSUM = {r2_ha_XSUM, 1'b0};
  wire [-1:51] r2_compound_FPOSUM, r2_compound_FPOSUMI;
  r2_compound r2_compound (
      .XSUM(r2_compound_XSUM),
      .XCARRY(r2_ha_XCARRY),
      .FPOSUM(r2_compound_FPOSUM),
      .FPOSUMI(r2_compound_FPOSUMI)
  );

  /* verilator lint_off UNUSEDSIGNAL */
  // The sticky OR is shown in the stage window; the rounding works on C52RS.
  wire r2_sigadd_OrOut;
  // Intermediate LSB candidates that only the stage window shows.
  wire [51:51] r2_decide_LSBinc2, r2_decide_LSBninc2;
  wire [52:52] r2_decide_LSBNINC;
  /* verilator lint_on UNUSEDSIGNAL */
  wire [52:54] r2_sigadd_C52RS;
  r2_sigadd r2_sigadd (
      .FSOPA(FSOPA[54:116]),
      .FSOPA53(FSOPA[53]),
      .seff(seff),
      .INJ(INJ),
      .OrOut(r2_sigadd_OrOut),
      .C52RS(r2_sigadd_C52RS)
  );

  // Round away from zero: both injection bits set.
  wire r2_decide_IsRI = INJ[0] & INJ[1];
  wire [52:52] r2_decide_LSBincO, r2_decide_LSBnincO;
  r2_decide r2_decide (
      .FPOSUMm1(r2_compound_FPOSUM[-1]),
      .FPOSUMIm1(r2_compound_FPOSUMI[-1]),
      .FPOSUM51(r2_compound_FPOSUM[51]),
      .FPOSUMI51(r2_compound_FPOSUMI[51]),
      .XSUM52(r2_ha_SumBit52),
      .C52RS(r2_sigadd_C52RS),
      .IsRN(IsRN),
      .IsRI(r2_decide_IsRI),
      .LSBinc2(r2_decide_LSBinc2),
      .LSBninc2(r2_decide_LSBninc2),
      .LSBNINC(r2_decide_LSBNINC),
      .LSBincO(r2_decide_LSBincO),
      .LSBnincO(r2_decide_LSBnincO),
      .RINC(RINC)
  );

  wire [0:51] r2_post_FPOSUM_s, r2_post_FPOSUMI_s;
  r2_post r2_post (
      .FPOSUM(r2_compound_FPOSUM),
      .FPOSUMI(r2_compound_FPOSUMI),
      .FPOSUM_s(r2_post_FPOSUM_s),
      .FPOSUMI_s(r2_post_FPOSUMI_s)
  );

  r2_select1 r2_select1 (
      .FPOSUM_s(r2_post_FPOSUM_s),
      .FPOSUMI_s(r2_post_FPOSUMI_s),
      .RINC(RINC),
      .FFAR(FFAR)
  );

  r2_select2 r2_select2 (
      .LSBINC(r2_decide_LSBincO),
      .LSBNINC(r2_decide_LSBnincO),
      .RINC(RINC),
      .FFAR52(FFAR52)
  );

  assign FPOSUMm1  = r2_compound_FPOSUM[-1];
  assign FPOSUMIm1 = r2_compound_FPOSUMI[-1];
endmodule
