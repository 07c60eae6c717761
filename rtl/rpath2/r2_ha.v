// Step 12, half adders: the first row of the R path's addition.
//
// 54 half adders over bits -1..52 of the aligned small operand FSOPA and
// the large operand FLP turn the two addends into a sum row XSUM and a
// carry row XCARRY, where XCARRY[k] is the carry out of bit k+1. The
// compound adder then only adds two rows whose bit 52 of the carry row is
// free for the rounding injection. The sum of bit 52 goes to the rounding
// decision (SumBit52); the carry out of bit -1 is dropped.
module r2_ha (
    input  [-1:52] FSOPA,
    input  [-1:52] FLP,
    output [-1:51] XSUM,
    output [-1:51] XCARRY,
    output [52:52] SumBit52
);
  assign XSUM     = FSOPA[-1:51] ^ FLP[-1:51];
  assign XCARRY   = FSOPA[0:52] & FLP[0:52];
  assign SumBit52 = FSOPA[52] ^ FLP[52];
endmodule
