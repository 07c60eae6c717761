// Step 11, IS_R1: the exponents differ by two or more.
//
// Then no massive cancellation is possible and the R path's result stands.
// MAG_MED is EA - EB - 1 when A's exponent is larger and EB - EA otherwise,
// so the distance is 2 or more when MAG_MED >= 2 (RIGHT_OR), when it is 64
// or more (IS_BIG), or when A is larger (SIGN_BIG = 0) and MAG_MED = 1.
module r1_is_r1 (
    input  MAG_MED,      // bit 0 of MAG_MED
    input  SIGN_BIG_N,   // not SIGN_BIG: A has the larger exponent
    input  RIGHT_OR,     // MAG_MED[5:1] not all zero
    input  IS_BIG,
    output IS_R1
);
  wire AND_res = SIGN_BIG_N & MAG_MED;
  assign IS_R1 = RIGHT_OR | IS_BIG | AND_res;
endmodule
