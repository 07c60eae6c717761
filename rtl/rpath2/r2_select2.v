// Step 18, final selection of bit 52, the last bit of the R path's
// significand: the fixed LSB of the candidate that RINC chose.
module r2_select2 (
    input  [52:52] LSBINC,
    input  [52:52] LSBNINC,
    input          RINC,
    output [52:52] FFAR52
);
  assign FFAR52 = RINC ? LSBINC : LSBNINC;
endmodule
