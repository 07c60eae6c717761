// Rounding by injection: the sign of the result and the two injection bits.
//
// The R path rounds by adding a constant below the last kept bit before
// the sum is truncated: 1/2 ulp (INJ = 10) rounds to nearest, almost one
// ulp (INJ = 11) rounds away from zero, nothing (INJ = 00) truncates. Which
// constant gives "up" or "down" depends on the sign of the result, so the
// sign is worked out first: the sign of the operand with the larger
// magnitude (exponent first, then significand with its hidden bit), where
// B counts with its sign flipped for a subtraction. Equal magnitudes take
// A's side: x - x takes x's sign in every rounding mode.
module set_inj (
    input  [10:0] Ea,
    input  [10:0] EB,
    input  [ 0:52] Fa,
    input  [ 0:52] FB,
    input         Sa,
    input         SB,
    input         SOP,
    input  [ 1:0] mode,         // 0 nearest even, 1 up, 2 down, 3 toward zero
    output [ 0:1] INJ,
    output        RESULT_SIGN
);
  localparam [1:0] ROUND_NEAREST = 2'd0;
  localparam [1:0] ROUND_UP = 2'd1;
  localparam [1:0] ROUND_DOWN = 2'd2;

  // Magnitude comparator: A is larger unless its exponent is smaller, or
  // the exponents are equal and its significand is smaller.
  wire a_smaller = (Ea < EB) | ((Ea == EB) & (Fa < FB));
  assign RESULT_SIGN = a_smaller ? (SB ^ SOP) : Sa;

  // Away from zero: up for a positive result, down for a negative one.
  wire away_from_zero = ((mode == ROUND_UP) & ~RESULT_SIGN) | ((mode == ROUND_DOWN) & RESULT_SIGN);
  assign INJ[0] = away_from_zero | (mode == ROUND_NEAREST);
  assign INJ[1] = away_from_zero;
endmodule
