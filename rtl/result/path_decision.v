// Step 24, Path Decision: which path delivers the result, and its exponent.
//
// The R path's result stands for every effective addition (seff = 0), for
// exponents two or more apart (IS_R1) and when the N path's difference
// needs no normalising shift (IS_R2); otherwise the N path's. The result's
// exponent starts from the larger operand's exponent E (B's when SIGN_BIG,
// also for equal exponents) and is corrected by the path's shift:
//   R path: E + ADDR - seff, ADDR = 1 when the chosen candidate overflowed;
//   N path: E - LZP - seff + norm_FPSUM[-1] (the post-shift correction).
// The -seff undoes the one-position pre-shift of a subtraction. The sum
// is taken modulo 2^11: nothing clamps an overflow or an underflow.
module path_decision (
    input          seff,
    input          isr1,
    input          isr2,
    input  [11:11] SIGN_BIG,
    input  [10:0]  Ea,          // the operands' exponents
    input  [10:0]  EB,
    input          RINC,
    input  [-1:-1] FPOSUM,      // overflow bit of the plain R path candidate
    input  [-1:-1] FPOSUMI,     // overflow bit of the incremented candidate
    input  [ 5:0]  LZP,
    input  [-1:-1] norm_FPSUM,  // leading one at bit -1 after the N path's shift
    output         IS_R,
    output         IS_R1,       // IS_R again, at the exponent adder's multiplexer
    output [ 5:0]  ADDR,
    output [10:0]  E_final
);
  wire [10:0] E = SIGN_BIG ? EB : Ea;

  assign IS_R  = ~seff | isr1 | isr2;
  assign IS_R1 = IS_R;

  // "Calc add to R": 1 when the candidate that RINC chose overflowed.
  assign ADDR = {5'b0, RINC ? FPOSUMI : FPOSUM};
  wire [5:0] ADD_F = IS_R ? ADDR : LZP;

  wire [10:0] add_f = {5'b0, ADD_F};
  wire [10:0] pre_shift = {10'b0, seff};
  wire [10:0] post_shift = {10'b0, norm_FPSUM};
  wire [10:0] r_exponent = E + add_f - pre_shift;
  wire [10:0] n_exponent = E - add_f - pre_shift + post_shift;
  assign E_final = IS_R1 ? r_exponent : n_exponent;
endmodule
