// Step 9, Big Mux: the aligned small operand FSOPA.
//
// For an exponent distance of 64 or more (IS_BIG) the shifter's output is
// not used: the small operand is placed right of 64 positions of seff,
// where it only affects the sticky bit.
module r1_big_mux (
    input  [ 0:53]  FSO,
    input  [-1:116] FSOPAmed,
    input           IS_BIG,
    input           seff,
    output [-1:116] FSOPA
);
  assign FSOPA = IS_BIG ? {{64{seff}}, FSO} : FSOPAmed;
endmodule
