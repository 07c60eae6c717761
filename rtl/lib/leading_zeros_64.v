// Priority encoder: the number of zeros in front of the first one of a
// 64-bit word, value[0] being the leftmost bit.
//
// A binary tree. The leaves look at pairs of bits; every node above joins
// a left and a right half: if the left half holds a one, the count is the
// left half's count, otherwise it is the half's width plus the right half's
// count, and the extra bit of the count says which half it was. Six levels
// give a 6-bit count. The word must hold a one somewhere (the users put a
// one after their real bits), so 0 .. 63 is enough.
module leading_zeros_64 (
    input  [0:63] value,
    output [ 5:0] count
);
  // Level k has 64 >> k nodes; node n covers value[n * 2^k +: 2^k]. For each
  // node: any = the node holds a one; zeros = k-bit leading-zero count.
  wire [31:0] any1;
  wire [31:0] zeros1;  // 1 bit per node
  wire [15:0] any2;
  wire [31:0] zeros2;  // 2 bits per node
  wire [ 7:0] any3;
  wire [23:0] zeros3;  // 3 bits per node
  /* verilator lint_off UNUSEDSIGNAL */
  // The rightmost node of level 4 needs no "any": the root takes the right
  // half's count whenever its left half holds no one.
  wire [ 3:0] any4;
  /* verilator lint_on UNUSEDSIGNAL */
  wire [15:0] zeros4;  // 4 bits per node
  wire        any5_left;  // the root only asks whether its left half holds a one
  wire [ 9:0] zeros5;  // 5 bits per node

  genvar n;
  generate
    for (n = 0; n < 32; n = n + 1) begin : g_level1
      assign any1[n]   = value[2*n] | value[2*n+1];
      assign zeros1[n] = ~value[2*n];
    end
    for (n = 0; n < 16; n = n + 1) begin : g_level2
      assign any2[n] = any1[2*n] | any1[2*n+1];
      assign zeros2[2*n+:2] = any1[2*n] ? {1'b0, zeros1[2*n]} : {1'b1, zeros1[2*n+1]};
    end
    for (n = 0; n < 8; n = n + 1) begin : g_level3
      assign any3[n] = any2[2*n] | any2[2*n+1];
      assign zeros3[3*n+:3] = any2[2*n] ? {1'b0, zeros2[4*n+:2]} : {1'b1, zeros2[4*n+2+:2]};
    end
    for (n = 0; n < 4; n = n + 1) begin : g_level4
      assign any4[n] = any3[2*n] | any3[2*n+1];
      assign zeros4[4*n+:4] = any3[2*n] ? {1'b0, zeros3[6*n+:3]} : {1'b1, zeros3[6*n+3+:3]};
    end
    for (n = 0; n < 2; n = n + 1) begin : g_level5
      assign zeros5[5*n+:5] = any4[2*n] ? {1'b0, zeros4[8*n+:4]} : {1'b1, zeros4[8*n+4+:4]};
    end
  endgenerate

  assign any5_left = any4[0] | any4[1];
  assign count = any5_left ? {1'b0, zeros5[4:0]} : {1'b1, zeros5[9:5]};
endmodule
