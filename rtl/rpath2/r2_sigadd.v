// Step 14, injection addition of the low bits: C[52], R' and S'.
//
// Below the last kept bit (52) the aligned small operand has bit 53 and the
// sticky region 54..116. The OR tree over the sticky region, each bit first
// compared with seff, gives the sticky bit S (for a subtraction: the
// complemented tail is not all ones). For a subtraction with S = 0 the
// +1 of the two's complement reaches bit 53 (t). Then the injection bits
// are added: INJ[1] at the sticky position, INJ[0] at bit 53, which gives
// the new sticky S', round bit R' and the carry C[52] into bit 52.
module r2_sigadd (
    input  [54:116] FSOPA,
    input  [53:53]  FSOPA53,
    input           seff,
    input  [ 0:1]   INJ,
    output          OrOut,
    output [52:54]  C52RS     // C[52], R', S'
);
  assign OrOut = |(FSOPA ^ {63{seff}});

  wire sticky = OrOut;
  wire twos_complement_one = seff & ~sticky;
  wire sticky_carry = sticky & INJ[1];
  wire [1:0] round_sum = {1'b0, FSOPA53} + {1'b0, INJ[0]} + {1'b0, sticky_carry} +
                         {1'b0, twos_complement_one};

  assign C52RS[52] = round_sum[1];
  assign C52RS[53] = round_sum[0];
  assign C52RS[54] = sticky ^ INJ[1];
endmodule
