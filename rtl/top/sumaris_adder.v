// Sumaris: IEEE 754 double-precision adder with two paths, combinational.
//
// result = a + b (sub = 0) or a - b (sub = 1), rounded by mode:
// 0 to nearest even, 1 up, 2 down, 3 toward zero.
//
// The R path (align, add, round by injection) and the N path (subtraction
// of operands at most one exponent apart, leading-zero anticipation,
// normalisation) work side by side on the same operands; the path decision
// takes one and computes the exponent. This is the adder of the simulator,
// bit for bit, including where it differs from IEEE 754: no special
// handling of zeros, subnormals, infinities or NaNs, and an exponent that
// wraps modulo 2^11 instead of overflowing to infinity.
module sumaris_adder (
    input  [63:0] a,
    input  [63:0] b,
    input         sub,
    input  [ 1:0] mode,
    output [63:0] result
);
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

  wire seff, IS_R1, RINC;
  wire [11:11] SIGN_BIG;
  wire [0:51] FFAR;
  wire [52:52] FFAR52;
  wire [-1:-1] FPOSUMm1, FPOSUMIm1;
  r_path r_path (
      .Ea(Ea),
      .EB(EB),
      .Sa(Sa),
      .SB(SB),
      .SOP(SOP),
      .Fa(Fa),
      .FB(FB),
      .INJ(INJ),
      .IsRN(IsRN),
      .seff(seff),
      .SIGN_BIG(SIGN_BIG),
      .IS_R1(IS_R1),
      .FFAR(FFAR),
      .FFAR52(FFAR52),
      .RINC(RINC),
      .FPOSUMm1(FPOSUMm1),
      .FPOSUMIm1(FPOSUMIm1)
  );

  wire IS_R2;
  wire [5:0] LZP;
  wire [-1:-1] norm_FPSUMm1;
  wire [0:52] F_NEAR;
  n_path n_path (
      .Ea(Ea[1:0]),
      .EB(EB[1:0]),
      .Sa(Sa),
      .SB(SB),
      .Fa(Fa),
      .FB(FB),
      .IS_R2(IS_R2),
      .LZP(LZP),
      .norm_FPSUMm1(norm_FPSUMm1),
      .F_NEAR(F_NEAR)
  );

  final_stages final_stages (
      .seff(seff),
      .IS_R1(IS_R1),
      .IS_R2(IS_R2),
      .SIGN_BIG(SIGN_BIG),
      .Ea(Ea),
      .EB(EB),
      .RINC(RINC),
      .FPOSUMm1(FPOSUMm1),
      .FPOSUMIm1(FPOSUMIm1),
      .LZP(LZP),
      .norm_FPSUMm1(norm_FPSUMm1),
      .FFAR(FFAR),
      .FFAR52(FFAR52),
      .F_NEAR(F_NEAR),
      .RESULT_SIGN(RESULT_SIGN),
      .result(result)
  );
endmodule
