// Step 23, N path normalisation: shift left by LZP, then the one-position
// correction.
//
// abs_FPSUM is shifted left by the predicted count LZP (0 .. 63; zeros come
// in from the right) by a six-row logarithmic shifter. The prediction may
// be one short; then the leading one sits at bit -1 (sel) and the
// significand is read one position further left, F_NEAR = bits -1..51,
// else bits 0..52. IS_R2 is abs_FPSUM's own bit -1: the difference needs
// no normalising shift at all, so the R path's result is the one to take.
module n_post (
    input  [-1:52] abs_FPSUM,
    input  [ 5:0]  LZP,
    output         IS_R2,
    output [-1:52] norm_FPSUM,
    output [-1:-1] sel,
    output [ 0:52] F_NEAR
);
  assign IS_R2 = abs_FPSUM[-1];

  // Index 53 is bit -1, index 0 bit 52.
  wire [53:0] row0 = abs_FPSUM;
  wire [53:0] row1 = LZP[0] ? {row0[52:0], 1'b0} : row0;
  wire [53:0] row2 = LZP[1] ? {row1[51:0], 2'b0} : row1;
  wire [53:0] row3 = LZP[2] ? {row2[49:0], 4'b0} : row2;
  wire [53:0] row4 = LZP[3] ? {row3[45:0], 8'b0} : row3;
  wire [53:0] row5 = LZP[4] ? {row4[37:0], 16'b0} : row4;
  wire [53:0] row6 = LZP[5] ? {row5[21:0], 32'b0} : row5;
  assign norm_FPSUM = row6;

  assign sel = norm_FPSUM[-1];
  assign F_NEAR = sel ? norm_FPSUM[-1:51] : norm_FPSUM[0:52];
endmodule
