// Step 19, N path: which operand is larger, and its significand pre-shifted.
//
// On the N path the exponents differ by at most one, so their two lowest
// bits tell the story: d = (EA - EB) mod 4 from a 2-bit adder (EA + not EB
// + 1). d = 0 or 1: A is at least as large; d = 3 (that is -1): B is
// larger. Bit 1 of d selects the larger significand, which goes on one
// position to the left (FLP = 2 x F), and its sign SL.
module n_small_exp (
    input  [ 1:0]  Ea,
    input  [ 1:0]  EB,
    input          Sa,
    input          SB,
    input  [ 0:52] Fa,
    input  [ 0:52] FB,
    output [ 1:0]  DELTA,
    output         SL,
    output [-1:51] FLP
);
  wire [1:0] EB_n = ~EB;
  wire c_in = 1'b1;  // the adder's fixed carry-in: EA - EB in two's complement
  assign DELTA = Ea + EB_n + {1'b0, c_in};
  assign FLP   = DELTA[1] ? FB : Fa;
  assign SL    = DELTA[1] ? SB : Sa;
endmodule
