// The N path up to the normalisation shift, steps 19 to 22: operand
// preparation, the significand subtraction |FLP - x| and the leading-zero
// anticipation LZP, which work side by side on the same two addends.
module n_path_cycle1 (
    input  [ 1:0]  Ea,          // the two lowest exponent bits
    input  [ 1:0]  EB,
    input          Sa,
    input          SB,
    input  [ 0:52] Fa,
    input  [ 0:52] FB,
    output [-1:52] abs_FPSUM,
    output [ 5:0]  LZP
);
  /* verilator lint_off UNUSEDSIGNAL */
  // Signals that only the stage windows show: the larger operand's sign,
  // the carry statuses and sums of the subtraction, the recoded digits and
  // both leading-zero counts.
  wire n_small_exp_SL;
  wire [-4:105] n_sigadd_Sigma, n_sigadd_PIE;
  wire [-2:52] n_sigadd_P, n_sigadd_gen_c, n_sigadd_my_XNOR;
  wire [-1:52] n_sigadd_prop_c, n_sigadd_GP_C, n_sigadd_my_xor;
  wire [-2:52] n_approx_PNP, n_approx_PNM, n_approx_XOR55;
  wire [5:0] n_approx_LZP1, n_approx_LZP2;
  /* verilator lint_on UNUSEDSIGNAL */

  wire [1:0] n_small_exp_DELTA;
  wire [-1:51] n_small_exp_FLP;
  n_small_exp n_small_exp (
      .Ea(Ea),
      .EB(EB),
      .Sa(Sa),
      .SB(SB),
      .Fa(Fa),
      .FB(FB),
      .DELTA(n_small_exp_DELTA),
      .SL(n_small_exp_SL),
      .FLP(n_small_exp_FLP)
  );

  // NSmallSig numbers DELTA the other way round: [0:1], cell 0 = bit 0.
  wire [0:1] n_small_sig_DELTA = {n_small_exp_DELTA[0], n_small_exp_DELTA[1]};
  wire [-1:52] n_small_sig_FSOPA;
  n_small_sig n_small_sig (
      .Fa(Fa),
      .FB(FB),
      .DELTA(n_small_sig_DELTA),
      .FSOPA(n_small_sig_FSOPA)
  );

  wire [-2:-2] n_sigadd_Fopsum2;
  n_sigadd n_sigadd (
      .FLP(n_small_exp_FLP),
      .FSOPA(n_small_sig_FSOPA),
      .Sigma(n_sigadd_Sigma),
      .PIE(n_sigadd_PIE),
      .P(n_sigadd_P),
      .gen_c(n_sigadd_gen_c),
      .prop_c(n_sigadd_prop_c),
      .GP_C(n_sigadd_GP_C),
      .my_XNOR(n_sigadd_my_XNOR),
      .my_xor(n_sigadd_my_xor),
      .Fopsum2(n_sigadd_Fopsum2),
      .abs_FPSUM(abs_FPSUM)
  );

  n_approx n_approx (
      .FLP(n_small_exp_FLP),
      .FSOPA(n_small_sig_FSOPA),
      .FOPSUM(n_sigadd_Fopsum2),
      .PNP(n_approx_PNP),
      .PNM(n_approx_PNM),
      .XOR55(n_approx_XOR55),
      .LZP1(n_approx_LZP1),
      .LZP2(n_approx_LZP2),
      .LZP(LZP)
  );
endmodule
