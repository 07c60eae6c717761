// The whole N path, steps 19 to 23, without the register that the
// pipelined adder puts in front of the normalisation shift.
module n_path (
    input  [ 1:0]  Ea,
    input  [ 1:0]  EB,
    input          Sa,
    input          SB,
    input  [ 0:52] Fa,
    input  [ 0:52] FB,
    output         IS_R2,
    output [ 5:0]  LZP,
    output [-1:-1] norm_FPSUMm1,  // bit -1 of the normalised difference
    output [ 0:52] F_NEAR
);
  wire [-1:52] abs_FPSUM;
  n_path_cycle1 n_path_cycle1 (
      .Ea(Ea),
      .EB(EB),
      .Sa(Sa),
      .SB(SB),
      .Fa(Fa),
      .FB(FB),
      .abs_FPSUM(abs_FPSUM),
      .LZP(LZP)
  );

  /* verilator lint_off UNUSEDSIGNAL */
  // The path decision reads bit -1 of the normalised difference only; the
  // whole row and sel (the same bit) are shown by the stage window.
  wire [-1:52] n_post_norm_FPSUM;
  wire [-1:-1] n_post_sel;
  /* verilator lint_on UNUSEDSIGNAL */
  n_post n_post (
      .abs_FPSUM(abs_FPSUM),
      .LZP(LZP),
      .IS_R2(IS_R2),
      .norm_FPSUM(n_post_norm_FPSUM),
      .sel(n_post_sel),
      .F_NEAR(F_NEAR)
  );
  assign norm_FPSUMm1 = n_post_norm_FPSUM[-1];
endmodule
