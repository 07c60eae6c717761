// Step 6, Swap part 2: the small operand for a big exponent difference.
//
// When the distance is 64 or more the shifter is bypassed (R1 Big Mux);
// this multiplexer picks the operand with the smaller exponent by the
// sign of the full difference, SIGN_BIG (1: A is the smaller). The 54
// bits are copied position by position.
module r1_swap2 (
    input  [-1:52]  FAO,
    input  [ 0:53]  FBO,
    input  [11:11]  SIGN_BIG,
    output [ 0:53]  FSO
);
  assign FSO = SIGN_BIG ? FAO : FBO;
endmodule
