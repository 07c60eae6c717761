// Step 2, R1 Large: the high bits of the exponent difference.
//
// Continues the one's complement difference D = EA - EB - 1 over bits
// 10..7 with the carry from R1 Medium, on exponents extended by a leading 0
// (OEA, OEB), so bit 11 of the sum is the sign of D: SIGN_BIG = 1 when
// EA <= EB, i.e. B has the larger (or equal) exponent. The magnitude bits
// 10..6 (MAG_LRG, bit 6 re-signed from SIGN_MED) tell whether the distance
// is 64 or more: IS_BIG, where the small operand only counts as sticky.
module r1_large (
    input  [10:7] Ea,
    input  [10:7] EB,
    input  [ 7:7] CIN,
    input  [ 6:6] SIGN_MED,
    output [10:7] DELTA,
    output [11:11] SIGN_BIG,
    output [10:6] MAG_LRG,
    output        IS_BIG
);
  wire [11:11] OEA = 1'b0;  // zero extension of the exponents
  wire [11:11] OEB = 1'b0;
  wire [11:11] OEB_INV = ~OEB;
  wire [10:7] EB_INV = ~EB;
  wire [4:0] sum = {OEA, Ea} + {OEB_INV, EB_INV} + {4'b0, CIN};

  assign DELTA = sum[3:0];
  assign SIGN_BIG = sum[4];
  assign MAG_LRG = {DELTA ^ {4{SIGN_BIG}}, SIGN_MED ^ SIGN_BIG};
  assign IS_BIG = |MAG_LRG;
endmodule
