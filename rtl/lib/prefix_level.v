// One level of a Kogge-Stone carry tree.
//
// A parallel-prefix adder finds every carry at once instead of letting it
// ripple. Each position i holds a pair (g, p) for a group of bits ending at
// i: g = the group generates a carry, p = the group passes an incoming
// carry on. One level joins the group of position i with the group that
// ends DISTANCE positions further down (towards bit 0, the least
// significant end):
//
//   g_out = g_hi | (p_hi & g_lo)      p_out = p_hi & p_lo
//
// Positions with nothing DISTANCE below them keep their pair. Levels with
// DISTANCE = 1, 2, 4, 8, ... give, after log2(WIDTH) levels, at every
// position i the pair of the whole group [i:0].
module prefix_level #(
    parameter integer WIDTH = 8,
    parameter integer DISTANCE = 1
) (
    input  [WIDTH-1:0] g_in,
    input  [WIDTH-1:0] p_in,
    output [WIDTH-1:0] g_out,
    output [WIDTH-1:0] p_out
);
  genvar i;
  generate
    for (i = 0; i < WIDTH; i = i + 1) begin : g_position
      if (i >= DISTANCE) begin : g_join
        assign g_out[i] = g_in[i] | (p_in[i] & g_in[i-DISTANCE]);
        assign p_out[i] = p_in[i] & p_in[i-DISTANCE];
      end else begin : g_keep
        assign g_out[i] = g_in[i];
        assign p_out[i] = p_in[i];
      end
    end
  endgenerate
endmodule
