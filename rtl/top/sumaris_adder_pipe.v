// Sumaris adder in two clock cycles: the same blocks as sumaris_adder with
// one register between the first and the second cycle. The result of the
// operands presented at one rising clock edge is at `result` after the
// next edge (latency 1, a new addition every cycle).
//
// Cycle 1: operand entry (hidden bits, result sign and injection bits),
//   the R path's first cycle (steps 1-11: exponent difference, swap,
//   alignment shift, IS_R1) and the N path up to its normalisation shift
//   (steps 19-22: operand preparation, the subtraction |FLP - x| and the
//   leading-zero anticipation LZP, which run side by side).
// Cycle 2: the R path's second cycle (steps 12-18: half adders, compound
//   adder, injection, rounding decision, selection), the N path's
//   normalisation shift (step 23), the path decision and the result.
//
// The N path is cut before its shifter because the subtraction and the
// anticipation are as deep as the R path's first cycle, while the shift
// and the exponent correction fit beside the R path's second cycle.
//
// Signals that cross the register (261 flip-flops):
//   R path:  FSOPA[-1:116] (aligned small operand with its sticky region),
//            FLP[-1:52] (large operand), seff, SIGN_BIG, IS_R1;
//   N path:  abs_FPSUM[-1:52], LZP[5:0];
//   operand: INJ[0:1], IsRN, the result sign, and both exponents Ea, EB
//            (the path decision starts from the larger one).
// rst (synchronous, active high) clears the register.
module sumaris_adder_pipe (
    input             clk,
    input             rst,
    input      [63:0] a,
    input      [63:0] b,
    input             sub,
    input      [ 1:0] mode,
    output     [63:0] result
);
  // ---- cycle 1 ------------------------------------------------------------
  wire Sa, SB, SOP, IsRN, RESULT_SIGN;
  wire [10:0] Ea, EB;
  wire [0:52] Fa, FB;
  wire [0:1] INJ;
  operand_entry operand_entry (
      .a(a),
      .b(b),
      .sub(sub),
      .mode(mode),
      .Sa(Sa),
      .SB(SB),
      .Ea(Ea),
      .EB(EB),
      .Fa(Fa),
      .FB(FB),
      .SOP(SOP),
      .IsRN(IsRN),
      .INJ(INJ),
      .RESULT_SIGN(RESULT_SIGN)
  );

  wire [-1:116] FSOPA;
  wire [-1:52] FLP;
  wire seff, IS_R1;
  wire [11:11] SIGN_BIG;
  r_path_cycle1 r_path_cycle1 (
      .Ea(Ea),
      .EB(EB),
      .Sa(Sa),
      .SB(SB),
      .SOP(SOP),
      .Fa(Fa),
      .FB(FB),
      .FSOPA(FSOPA),
      .FLP(FLP),
      .seff(seff),
      .SIGN_BIG(SIGN_BIG),
      .IS_R1(IS_R1)
  );

  wire [-1:52] abs_FPSUM;
  wire [5:0] LZP;
  n_path_cycle1 n_path_cycle1 (
      .Ea(Ea[1:0]),
      .EB(EB[1:0]),
      .Sa(Sa),
      .SB(SB),
      .Fa(Fa),
      .FB(FB),
      .abs_FPSUM(abs_FPSUM),
      .LZP(LZP)
  );

  // ---- the register -------------------------------------------------------
  reg [-1:116] FSOPA_q;
  reg [-1:52] FLP_q;
  reg seff_q, IS_R1_q;
  reg [11:11] SIGN_BIG_q;
  reg [-1:52] abs_FPSUM_q;
  reg [5:0] LZP_q;
  reg [0:1] INJ_q;
  reg IsRN_q, RESULT_SIGN_q;
  reg [10:0] Ea_q, EB_q;

  always @(posedge clk) begin
    if (rst) begin
      FSOPA_q <= 118'b0;
      FLP_q <= 54'b0;
      seff_q <= 1'b0;
      IS_R1_q <= 1'b0;
      SIGN_BIG_q <= 1'b0;
      abs_FPSUM_q <= 54'b0;
      LZP_q <= 6'b0;
      INJ_q <= 2'b0;
      IsRN_q <= 1'b0;
      RESULT_SIGN_q <= 1'b0;
      Ea_q <= 11'b0;
      EB_q <= 11'b0;
    end else begin
      FSOPA_q <= FSOPA;
      FLP_q <= FLP;
      seff_q <= seff;
      IS_R1_q <= IS_R1;
      SIGN_BIG_q <= SIGN_BIG;
      abs_FPSUM_q <= abs_FPSUM;
      LZP_q <= LZP;
      INJ_q <= INJ;
      IsRN_q <= IsRN;
      RESULT_SIGN_q <= RESULT_SIGN;
      Ea_q <= Ea;
      EB_q <= EB;
    end
  end

  // ---- cycle 2 ------------------------------------------------------------
  wire [0:51] FFAR;
  wire [52:52] FFAR52;
  wire RINC;
  wire [-1:-1] FPOSUMm1, FPOSUMIm1;
  r_path_cycle2 r_path_cycle2 (
      .FSOPA(FSOPA_q),
      .FLP(FLP_q),
      .seff(seff_q),
      .INJ(INJ_q),
      .IsRN(IsRN_q),
      .FFAR(FFAR),
      .FFAR52(FFAR52),
      .RINC(RINC),
      .FPOSUMm1(FPOSUMm1),
      .FPOSUMIm1(FPOSUMIm1)
  );

  wire IS_R2;
  wire [0:52] F_NEAR;
  /* verilator lint_off UNUSEDSIGNAL */
  // The path decision reads bit -1 of the normalised difference only; the
  // whole row and sel (the same bit) are shown by the stage window.
  wire [-1:52] n_post_norm_FPSUM;
  wire [-1:-1] n_post_sel;
  /* verilator lint_on UNUSEDSIGNAL */
  n_post n_post (
      .abs_FPSUM(abs_FPSUM_q),
      .LZP(LZP_q),
      .IS_R2(IS_R2),
      .norm_FPSUM(n_post_norm_FPSUM),
      .sel(n_post_sel),
      .F_NEAR(F_NEAR)
  );

  final_stages final_stages (
      .seff(seff_q),
      .IS_R1(IS_R1_q),
      .IS_R2(IS_R2),
      .SIGN_BIG(SIGN_BIG_q),
      .Ea(Ea_q),
      .EB(EB_q),
      .RINC(RINC),
      .FPOSUMm1(FPOSUMm1),
      .FPOSUMIm1(FPOSUMIm1),
      .LZP(LZP_q),
      .norm_FPSUMm1(n_post_norm_FPSUM[-1]),
      .FFAR(FFAR),
      .FFAR52(FFAR52),
      .F_NEAR(F_NEAR),
      .RESULT_SIGN(RESULT_SIGN_q),
      .result(result)
  );
endmodule
