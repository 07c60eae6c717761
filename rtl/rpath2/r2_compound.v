// Step 13, Compound Adder(53): XSUM + XCARRY and XSUM + XCARRY + 1 at once.
//
// Rounding may add one unit at bit 51 after the injection; instead of a
// second carry propagation the compound adder delivers both sums from one
// parallel-prefix carry tree: with carry-in 0 the carry into a position is
// the group generate G of the bits below it, with carry-in 1 it is G | P.
// Bit 52 of XSUM takes no part (it is handled by the injection addition).
module r2_compound (
    /* verilator lint_off UNUSEDSIGNAL */
    // Bit 52 is kept so the row reads like the half adders' XSUM[-1:52]; the
    // 53-bit adder only takes bits -1..51.
    input  [-1:52] XSUM,
    /* verilator lint_on UNUSEDSIGNAL */
    input  [-1:51] XCARRY,
    output [-1:51] FPOSUM,
    output [-1:51] FPOSUMI
);
  // Index 0 is bit 51 (least significant), index 52 is bit -1.
  wire [52:0] x = XSUM[-1:51];
  wire [52:0] y = XCARRY;
  wire [52:0] propagate = x ^ y;
  wire [52:0] generate_ = x & y;
  /* verilator lint_off UNUSEDSIGNAL */
  // The carry out of bit -1 (group [52:0]) leaves the adder unused.
  wire [52:0] group_g, group_p;
  /* verilator lint_on UNUSEDSIGNAL */

  prefix_tree #(.WIDTH(53)) carry_tree (
      .g(generate_),
      .p(propagate),
      .g_group(group_g),
      .p_group(group_p)
  );

  // Carry into index i: from the group [i-1:0].
  wire [52:0] carry0 = {group_g[51:0], 1'b0};
  wire [52:0] carry1 = {group_g[51:0] | group_p[51:0], 1'b1};

  assign FPOSUM  = propagate ^ carry0;
  assign FPOSUMI = propagate ^ carry1;
endmodule
