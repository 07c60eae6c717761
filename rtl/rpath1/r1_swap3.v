// Step 7, Swap Large: the large operand and its sign.
//
// The operand with the larger exponent (B when SIGN_BIG = 1, also for
// equal exponents) goes on unshifted and never complemented: FL, and its
// sign SL.
module r1_swap3 (
    input  [ 0:52] Fa,
    input  [ 0:52] FB,
    input          Sa,
    input          SB,
    input  [11:11] SIGN_BIG,
    output [ 0:52] FL,
    output         SL
);
  assign FL = SIGN_BIG ? FB : Fa;
  assign SL = SIGN_BIG ? SB : Sa;
endmodule
