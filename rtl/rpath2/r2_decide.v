// Step 15, Rounding Decision.
//
// The compound adder has both candidates, sum and sum + 1 at bit 51; the
// bits below (C[52], R', S', and XSUM[52]) decide which one is the rounded
// result (RINC) and what its last bit 52 becomes. Each candidate may have
// overflowed into bit -1 (FPOSUM[-1]), in which case it will be shifted
// right one position and its bit 52 comes from bit 51. The LSB fixes clear
// bit 52 for round-to-nearest ties (to even) in both cases.
module r2_decide (
    input  [-1:-1] FPOSUMm1,   // overflow bit of the plain sum
    input  [-1:-1] FPOSUMIm1,  // overflow bit of the incremented sum
    input  [51:51] FPOSUM51,
    input  [51:51] FPOSUMI51,
    input  [52:52] XSUM52,
    input  [52:54] C52RS,
    input          IsRN,       // round to nearest even
    input          IsRI,       // injection 11: round away from zero
    output [51:51] LSBinc2,
    output [51:51] LSBninc2,
    output [52:52] LSBNINC,
    output [52:52] LSBincO,
    output [52:52] LSBnincO,
    output         RINC
);
  wire c = C52RS[52];
  wire r = C52RS[53];
  wire s = C52RS[54];
  wire x = XSUM52;
  wire n = IsRN;
  wire i = IsRI;

  // Bit 52 without overflow: cleared only in round to nearest when R' and S'
  // are both 0 (after the half-ulp injection: an exact tie, round to even).
  wire fix_lsb_no_overflow = ~n | r | s;
  // Bit 52 after an overflow shift.
  wire not_rn_or_x = ~n | x;
  wire not_rn_or_not_x = ~n | ~x;
  wire fix_t1 = s ? 1'b1 : not_rn_or_x;
  wire fix_t2 = s ? 1'b1 : not_rn_or_not_x;
  wire fix_t3 = c ? fix_t1 : fix_t2;
  wire fix_lsb_overflow = r ? fix_t3 : 1'b1;

  assign LSBinc2  = FPOSUMI51 & fix_lsb_overflow;
  assign LSBNINC  = (c ^ x) & fix_lsb_no_overflow;
  assign LSBninc2 = fix_lsb_overflow & FPOSUM51;
  assign LSBnincO = FPOSUMm1 ? LSBninc2 : LSBNINC;
  assign LSBincO  = FPOSUMIm1 ? LSBinc2 : LSBNINC;

  // The increment: without overflow when C[52] and XSUM[52] both carry into
  // bit 51; with overflow by the round bit and the mode.
  wire m1 = c ? (i | x) : (i & x);
  wire m2 = c ? (x | n | i) : (x & (n | i));
  wire w = r ? m2 : m1;
  assign RINC = FPOSUMm1 ? w : (c & x);
endmodule
