// Step 1, R1 Medium: the low seven bits of the exponent difference.
//
// The difference is formed in one's complement, D = EA + not EB = EA - EB - 1,
// by a 7-bit adder with no carry in. Bits 5..0 are DELTA, bit 6 the sign of
// the low part (SIGN_MED), and the carry out goes on to R1 Large. XORing
// DELTA with SIGN_MED gives the magnitude (one's complement negation):
// MAG_MED = EA - EB - 1 when A has the larger exponent, EB - EA otherwise.
// That is the alignment shift distance. RES_MED says that MAG_MED is 2 or
// more (bits 5..1 not all zero).
module r1_medium (
    input  [6:0] Ea,
    input  [6:0] EB,
    output [5:0] DELTA,
    output [6:6] SIGN_MED,
    output [7:7] Cout,
    output [5:0] MAG_MED,
    output       RES_MED
);
  wire [6:0] EB_INV = ~EB;
  wire [7:0] sum = {1'b0, Ea} + {1'b0, EB_INV};

  assign DELTA    = sum[5:0];
  assign SIGN_MED = sum[6];
  assign Cout     = sum[7];
  assign MAG_MED  = DELTA ^ {6{SIGN_MED}};
  assign RES_MED  = |MAG_MED[5:1];
endmodule
