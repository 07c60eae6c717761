// Step 22, N path leading-zero anticipation.
//
// The normalisation shift has to be known about as early as the difference
// itself, so it is predicted from the two addends rather than counted on
// the sum. A first recoding gives per position PS (sum digit) and PC
// (borrow into the next higher position) of FLP - x; a second recoding
// (PN+, PN-) leaves a signed-digit form in which the first non-zero digit
// (XOR55 = PN- xor PN+) lies at the leading one of the difference or one
// position to the right of it. Two priority encoders count the zeros in
// front of it, from bit -1 (LZP1, 54 positions) and from bit -2 (LZP2, 55
// positions); FOPSUM, bit -2 of the subtraction's inverted sum (which of
// FLP - x and x - FLP is the magnitude), picks one. NPost corrects the
// possible one-position error.
module n_approx (
    input  [-1:51] FLP,
    /* verilator lint_off UNUSEDSIGNAL */
    // Bit 52 of FSOPA has no FLP partner and enters no digit of the
    // recoding; the port keeps the subtraction's full FSOPA[-1:52].
    input  [-1:52] FSOPA,
    /* verilator lint_on UNUSEDSIGNAL */
    input  [-2:-2] FOPSUM,
    output [-2:52] PNP,
    output [-2:52] PNM,
    output [-2:52] XOR55,
    output [ 5:0]  LZP1,
    output [ 5:0]  LZP2,
    output [ 5:0]  LZP
);
  // First recoding of FLP - x over bits -1..51 (x = not FSOPA).
  wire [-1:51] x = ~FSOPA[-1:51];
  /* verilator lint_off UNUSEDSIGNAL */
  // Both rows span [-2:52] like the digit rows; their end positions hold
  // constant 0s that the second recoding does not read.
  wire [-2:52] PS_i = {1'b0, x ^ FLP, 1'b0};
  wire [-2:52] PC_i = {x & ~FLP, 1'b0, 1'b0};  // PC_i[j-1] from position j
  /* verilator lint_on UNUSEDSIGNAL */
  // Second recoding.
  assign PNM = {1'b0, PS_i[-1:51] ^ PC_i[-1:51], 1'b0};
  assign PNP = {PS_i[-1:51] & ~PC_i[-1:51], 1'b0, 1'b0};  // PNP[k-1] from position k
  assign XOR55 = PNM ^ PNP;

  // Priority encoders, PENC(54) from bit -1 and PENC(55) from bit -2. A one
  // placed after the last position makes "no one at all" count 54 or 55.
  leading_zeros_64 penc54 (
      .value({XOR55[-1:52], 1'b1, 9'b0}),
      .count(LZP1)
  );
  leading_zeros_64 penc55 (
      .value({XOR55[-2:52], 1'b1, 8'b0}),
      .count(LZP2)
  );

  assign LZP = FOPSUM ? LZP2 : LZP1;
endmodule
