// Step 21, N path significand subtraction: |FLP - x|.
//
// FSOPA is the one's complement of the aligned smaller significand x, so
// FLP + FSOPA + 1 = FLP - x. A compound parallel-prefix adder (55 positions,
// bit -2 to bit 52) forms FLP + FSOPA and FLP + FSOPA + 1 from one carry
// tree. If the first is negative (its bit -2 is 0 after inversion, Fopsum2
// = 0), its inversion is x - FLP; else the second is FLP - x. Either way
// abs_FPSUM is the magnitude without a separate negation.
//
// Carry statuses. The cells of Sigma (one position's status) and PIE (the
// status of the group from that position down to bit 52) are three-valued:
// 0 kill, 1 propagate, 2 generate. Each cell is two bits here, generate
// first: 00 kill, 01 propagate, 10 generate (11 never occurs). Cell j of
// Sigma[-2:52] is Sigma[2*j] (generate) and Sigma[2*j+1] (propagate), so
// the port runs [-4:105].
module n_sigadd (
    input  [-1:51]  FLP,
    input  [-1:52]  FSOPA,
    output [-4:105] Sigma,
    output [-4:105] PIE,
    output [-2:52]  P,
    output [-2:52]  gen_c,
    output [-1:52]  prop_c,
    output [-1:52]  GP_C,
    output [-2:52]  my_XNOR,
    output [-1:52]  my_xor,
    output [-2:-2]  Fopsum2,
    output [-1:52]  abs_FPSUM
);
  // Position statuses: bit -2 is FLP's 0 extension plus FSOPA's 1 extension
  // (propagate); bit 52 has no FLP bit.
  wire [-2:52] sigma_g = {1'b0, FLP & FSOPA[-1:51], 1'b0};
  wire [-2:52] sigma_p = {1'b1, FLP ^ FSOPA[-1:51], FSOPA[52]};

  // Group statuses down to bit 52 from a Kogge-Stone tree (index 0 of the
  // tree is bit 52, index 54 is bit -2).
  wire [-2:52] pie_g, pie_p;
  prefix_tree #(.WIDTH(55)) carry_tree (
      .g(sigma_g),
      .p(sigma_p),
      .g_group(pie_g),
      .p_group(pie_p)
  );

  genvar j;
  generate
    for (j = -2; j <= 52; j = j + 1) begin : g_cell
      assign Sigma[2*j]   = sigma_g[j];
      assign Sigma[2*j+1] = sigma_p[j];
      assign PIE[2*j]     = pie_g[j];
      assign PIE[2*j+1]   = pie_p[j];
    end
  endgenerate

  assign P = sigma_p;
  // Carry into each position with carry-in 0 (the group below generates) ...
  assign gen_c = {pie_g[-1:52], 1'b0};
  // ... and with carry-in 1 (the group below propagates, or generates).
  assign prop_c = {pie_p[0:52], 1'b1};
  assign GP_C = prop_c | gen_c[-1:52];

  assign my_XNOR = ~(P ^ gen_c);  // inverted FLP + FSOPA
  assign my_xor = P[-1:52] ^ GP_C;  // FLP + FSOPA + 1
  assign Fopsum2 = my_XNOR[-2];
  assign abs_FPSUM = Fopsum2 ? my_xor : my_XNOR[-1:52];
endmodule
