// The whole R path, both cycles without the register between them (the
// combinational adder; the pipelined one puts a register here).
module r_path (
    input  [10:0]  Ea,
    input  [10:0]  EB,
    input          Sa,
    input          SB,
    input          SOP,
    input  [ 0:52] Fa,
    input  [ 0:52] FB,
    input  [ 0:1]  INJ,
    input          IsRN,
    output         seff,
    output [11:11] SIGN_BIG,
    output         IS_R1,
    output [ 0:51] FFAR,
    output [52:52] FFAR52,
    output         RINC,
    output [-1:-1] FPOSUMm1,
    output [-1:-1] FPOSUMIm1
);
  wire [-1:116] FSOPA;
  wire [-1:52] FLP;

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

  r_path_cycle2 r_path_cycle2 (
      .FSOPA(FSOPA),
      .FLP(FLP),
      .seff(seff),
      .INJ(INJ),
      .IsRN(IsRN),
      .FFAR(FFAR),
      .FFAR52(FFAR52),
      .RINC(RINC),
      .FPOSUMm1(FPOSUMm1),
      .FPOSUMIm1(FPOSUMIm1)
  );
endmodule
