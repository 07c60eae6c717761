// Step 10, R1 Shift Left: the large operand in the adder's frame.
//
// For an effective subtraction the large operand moves one position left
// (like the small one in Align 1), with a 0 at the bottom since it is never
// complemented; for an addition one position right, a 0 on top.
module r1_shift_l (
    input  [ 0:52] FL,
    input          seff,
    output [-1:52] FLP
);
  assign FLP = seff ? {FL, 1'b0} : {1'b0, FL};
endmodule
