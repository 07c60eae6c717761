// Kogge-Stone carry tree of up to 64 positions: six prefix levels.
//
// In: the bit-level pairs (g, p) of two addends, bit 0 least significant.
// Out: for every position i the pair (G, P) of the group [i:0], that is
// G[i] = a carry leaves position i with no carry into bit 0, and P[i] = a
// carry into bit 0 would travel through to position i and leave it.
// The carry into position i+1 is then G[i] with carry-in 0 and G[i] | P[i]
// with carry-in 1, which is what a compound adder needs.
module prefix_tree #(
    parameter integer WIDTH = 53
) (
    input  [WIDTH-1:0] g,
    input  [WIDTH-1:0] p,
    output [WIDTH-1:0] g_group,
    output [WIDTH-1:0] p_group
);
  wire [WIDTH-1:0] g1, p1, g2, p2, g4, p4, g8, p8, g16, p16;

  prefix_level #(.WIDTH(WIDTH), .DISTANCE(1)) level1 (
      .g_in(g), .p_in(p), .g_out(g1), .p_out(p1));
  prefix_level #(.WIDTH(WIDTH), .DISTANCE(2)) level2 (
      .g_in(g1), .p_in(p1), .g_out(g2), .p_out(p2));
  prefix_level #(.WIDTH(WIDTH), .DISTANCE(4)) level4 (
      .g_in(g2), .p_in(p2), .g_out(g4), .p_out(p4));
  prefix_level #(.WIDTH(WIDTH), .DISTANCE(8)) level8 (
      .g_in(g4), .p_in(p4), .g_out(g8), .p_out(p8));
  prefix_level #(.WIDTH(WIDTH), .DISTANCE(16)) level16 (
      .g_in(g8), .p_in(p8), .g_out(g16), .p_out(p16));
  prefix_level #(.WIDTH(WIDTH), .DISTANCE(32)) level32 (
      .g_in(g16), .p_in(p16), .g_out(g_group), .p_out(p_group));
endmodule
