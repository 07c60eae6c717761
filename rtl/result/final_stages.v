// Steps 24 and 25 ("FINAL"): the path decision with the exponent, and the
// result assembled from the chosen path.
module final_stages (
    input          seff,
    input          IS_R1,
    input          IS_R2,
    input  [11:11] SIGN_BIG,
    input  [10:0]  Ea,
    input  [10:0]  EB,
    input          RINC,
    input  [-1:-1] FPOSUMm1,
    input  [-1:-1] FPOSUMIm1,
    input  [ 5:0]  LZP,
    input  [-1:-1] norm_FPSUMm1,
    input  [ 0:51] FFAR,
    input  [52:52] FFAR52,
    input  [ 0:52] F_NEAR,
    input          RESULT_SIGN,
    output [63:0]  result
);
  wire path_decision_IS_R;
  wire [10:0] path_decision_E_final;
  /* verilator lint_off UNUSEDSIGNAL */
  // Shown by the stage windows only: IS_R again, the R path's exponent
  // increment, and the result's exponent and significand rows (the 64-bit
  // result carries the same bits).
  wire path_decision_IS_R1;
  wire [5:0] path_decision_ADDR;
  wire [10:0] results_Ea;
  wire [0:52] results_Fa;
  /* verilator lint_on UNUSEDSIGNAL */
  path_decision path_decision (
      .seff(seff),
      .isr1(IS_R1),
      .isr2(IS_R2),
      .SIGN_BIG(SIGN_BIG),
      .Ea(Ea),
      .EB(EB),
      .RINC(RINC),
      .FPOSUM(FPOSUMm1),
      .FPOSUMI(FPOSUMIm1),
      .LZP(LZP),
      .norm_FPSUM(norm_FPSUMm1),
      .IS_R(path_decision_IS_R),
      .IS_R1(path_decision_IS_R1),
      .ADDR(path_decision_ADDR),
      .E_final(path_decision_E_final)
  );

  results results (
      .IS_R(path_decision_IS_R),
      .FFAR(FFAR),
      .FFAR52(FFAR52),
      .F_NEAR(F_NEAR),
      .E_final(path_decision_E_final),
      .Sa(RESULT_SIGN),
      .Ea(results_Ea),
      .Fa(results_Fa),
      .result(result)
  );
endmodule
