// Step 8, Shift Right: the alignment shifter.
//
// The small operand (55 bits) is shifted right by MAG_MED (0 .. 63) into a
// 118-bit field [-1:116]; every position it leaves or never reaches reads
// seff, so a one's complement stays one and the sign is extended. A
// logarithmic shifter: six rows of multiplexers shift by 1, 2, 4, 8, 16
// and 32 when the matching bit of MAG_MED is set.
module r1_shift_r (
    input  [-1:53]  FSOP,
    input  [ 5:0]   MAG_MED,
    input           seff,
    output [-1:116] FSOPAmed
);
  // Index 117 is the leftmost position [-1], index 0 the rightmost [116].
  wire [117:0] row0 = {FSOP, {63{seff}}};
  wire [117:0] row1 = MAG_MED[0] ? {{1{seff}}, row0[117:1]} : row0;
  wire [117:0] row2 = MAG_MED[1] ? {{2{seff}}, row1[117:2]} : row1;
  wire [117:0] row3 = MAG_MED[2] ? {{4{seff}}, row2[117:4]} : row2;
  wire [117:0] row4 = MAG_MED[3] ? {{8{seff}}, row3[117:8]} : row3;
  wire [117:0] row5 = MAG_MED[4] ? {{16{seff}}, row4[117:16]} : row4;
  wire [117:0] row6 = MAG_MED[5] ? {{32{seff}}, row5[117:32]} : row5;

  assign FSOPAmed = row6;
endmodule
