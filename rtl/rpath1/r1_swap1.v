// Step 5, Swap part 1: the small operand for the alignment shifter.
//
// SIGN_MED = 0 means A has the larger exponent (within the shifter's
// reach), so B is the one to shift; else A. Both are placed in one 55-bit
// frame [-1:53], the free end filled with seff (1 keeps a one's
// complement, 0 an unsigned number).
module r1_swap1 (
    input  [-1:52] FAOP,
    input  [ 0:53] FBOP,
    input          seff,
    input  [ 6:6]  SIGN_MED,
    output [-1:53] FSOP
);
  assign FSOP = SIGN_MED ? {FAOP, seff} : {seff, FBOP};
endmodule
