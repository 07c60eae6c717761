// Operand entry: from the two 64-bit operands, the operation and the
// rounding mode to the signals that the blocks of the adder take in.
//
// An operand is a sign, an 11-bit biased exponent and 52 fraction bits.
// The significand gets its hidden bit in front (bit 0): 1 for a normal
// number, 0 when the exponent is all zeros (zero and subnormals). An
// exponent of all ones is passed on as it is: the adder has no special
// handling of infinities and NaNs.
//
// mode: 0 round to nearest even, 1 up, 2 down, 3 toward zero.
// The rounding injection and the result sign come from set_inj.
module operand_entry (
    input  [63:0] a,
    input  [63:0] b,
    input         sub,
    input  [ 1:0] mode,
    output        Sa,           // sign of A
    output        SB,           // sign of B
    output [10:0] Ea,           // biased exponent of A, bit 10 most significant
    output [10:0] EB,
    output [ 0:52] Fa,          // significand of A: hidden bit 0, fraction bits 1..52
    output [ 0:52] FB,
    output        SOP,          // the operation: 0 add, 1 subtract
    output        IsRN,         // round to nearest even is selected
    output [ 0:1] INJ,          // rounding injection, INJ[0] the more significant bit
    output        RESULT_SIGN   // sign of the result
);
  assign Sa  = a[63];
  assign SB  = b[63];
  assign Ea  = a[62:52];
  assign EB  = b[62:52];
  // Hidden bit: any exponent bit set.
  assign Fa  = {|a[62:52], a[51:0]};
  assign FB  = {|b[62:52], b[51:0]};
  assign SOP = sub;
  assign IsRN = (mode == 2'd0);

  set_inj set_inj (
      .Ea(Ea),
      .EB(EB),
      .Fa(Fa),
      .FB(FB),
      .Sa(Sa),
      .SB(SB),
      .SOP(SOP),
      .mode(mode),
      .INJ(INJ),
      .RESULT_SIGN(RESULT_SIGN)
  );
endmodule
