// The R path's second cycle (slots 12 to 18) against integer arithmetic: the
// compound adder, the injection addition of the low bits, the rounding
// decision over all its single-bit inputs, post-normalisation and selection.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "support/bits.h"

namespace sumaris::test {
namespace {

// F = FSOPA[-1:52] and L = FLP[-1:52] as 54-bit numbers, bit 52 least
// significant: FPOSUM = floor((F + L) / 2) mod 2^53, FPOSUMI = that + 1.
TEST(R2CompoundAdder, SumAndIncrementedSumMatchIntegerAddition) {
  Adder adder;
  std::mt19937_64 rng(0x52C0);
  const std::uint64_t ones = Mask(54), top = std::uint64_t{1} << 53;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> cases;
  for (const std::uint64_t f :
       {0ul, 1ul, ones >> 1, ones, top, top | (ones >> 2), 0x2AAAAAAAAAAAAAul}) {
    for (const std::uint64_t l : {0ul, 1ul, 2ul, ones, top, 0x15555555555555ul})
      cases.emplace_back(f, l);
  }
  for (int n = 0; n < 3000; ++n)
    cases.emplace_back(rng() & ones, rng() & ones);
  for (const auto& [f, l] : cases) {
    SetValue(adder.r2HA.FSOPA, f);
    SetValue(adder.r2HA.FLP, l);
    adder.r2HA.Calculate();  // not pulled: the inputs are these
    Compute(adder, 13, 13);
    SCOPED_TRACE(::testing::Message() << std::hex << "F " << f << ", L " << l);
    const std::uint64_t sum = ((f + l) >> 1) & Mask(53);
    ASSERT_EQ(Value(adder.r2Compound.FPOSUM), sum);
    ASSERT_EQ(Value(adder.r2Compound.FPOSUMI), (sum + 1) & Mask(53));
    ASSERT_EQ(adder.r2HA.SumBit52, static_cast<int>((f + l) & 1));
    // The half adders: sums of bits -1..51, carries one position to the left.
    ASSERT_EQ(Value(adder.r2HA.XSUM), (f ^ l) >> 1);
    ASSERT_EQ(Value(adder.r2HA.XCARRY), f & l & Mask(53));
  }
}

// Bits 53..116 of the aligned operand as a number (x the top bit); a
// subtraction completes the one's complement with +1 at bit 116. The sum's
// bit 53 and the OR of bits 54..116 are the round and sticky bits, to which
// the injection is added; what carries out of bit 53 goes into bit 52.
TEST(R2Sigadd, InjectionAdditionMatchesTheWideSum) {
  // All zeros, all ones, bit 116 alone, bit 54 alone, all but bit 116 or 54.
  std::vector<std::uint64_t> lows = {0x0000000000000000, 0x7FFFFFFFFFFFFFFF, 0x0000000000000001,
                                     0x4000000000000000, 0x7FFFFFFFFFFFFFFE, 0x3FFFFFFFFFFFFFFF,
                                     0x5555555555555555};
  std::mt19937_64 rng(0x5161);
  for (int n = 0; n < 40; ++n)
    lows.push_back((n % 2 ? rng() | rng() : rng() & rng()) & Mask(63));
  Adder adder;
  R2Sigadd& stage = adder.r2Sigadd;
  for (int c = 0; c < 16; ++c) {
    const int subtract = c & 1, x = (c >> 1) & 1, i0 = (c >> 2) & 1, i1 = c >> 3;
    for (const std::uint64_t low : lows) {
      SetValue(stage.FSOPA, low);
      stage.seff[0] = Digit(subtract);
      stage.INJ[0] = Digit(i0);
      stage.INJ[1] = Digit(i1);
      adder.r1BigMux.FSOPA[54] = Digit(x);  // bit 53 is read from the big mux
      stage.FSOPA53[0] = Digit(x);
      stage.Calculate();
      const U128 sum = ((static_cast<U128>(x) << 63) | low) + subtract;
      const int round = static_cast<int>(sum >> 63) & 1;
      const int sticky = (sum & Mask(63)) != 0 ? 1 : 0;
      const int total = 2 * round + sticky + 2 * i0 + i1;
      const int carry = static_cast<int>(sum >> 64) + (total >> 2);
      SCOPED_TRACE(::testing::Message() << "seff " << subtract << " x " << x << " INJ " << i0 << i1
                                        << std::hex << " low " << low);
      EXPECT_EQ(Value(stage.C52RS), static_cast<std::uint64_t>(carry * 4 + (total & 3)));
      // OrOut: some low bit differs from seff.
      EXPECT_EQ(Bit(stage.OrOut), low != (subtract ? Mask(63) : 0) ? 1 : 0);
    }
  }
}

// The rounding decision over every combination of its ten single-bit inputs.
// Without overflow the kept bit is bit 52 (C xor X) and RINC the carry into
// bit 51; with overflow the kept bit is bit 51, bit 52 becomes the round bit.
TEST(R2Decide, EveryInputCombinationAgainstTheRoundingRules) {
  Adder adder;
  R2Decide& d = adder.r2Decide;
  for (int v = 0; v < 1024; ++v) {
    const auto in = [v](int k) { return (v >> k) & 1; };
    const int c = in(0), r = in(1), s = in(2), x = in(3), n = in(4), i = in(5), ovf = in(6),
              ovfI = in(7), sum51 = in(8), sumI51 = in(9);
    SetValue(d.C52RS, c * 4 + r * 2 + s);
    Wire* const bits[] = {&d.XSUM52,    &d.IsRN,     &d.IsRI,     &d.FPOSUMm1,
                          &d.FPOSUMIm1, &d.FPOSUM51, &d.FPOSUMI51};
    for (int k = 3; k < 10; ++k)
      SetValue(*bits[k - 3], in(k));
    d.Calculate();
    // Ties to even: round to nearest with nothing below the kept bit but half.
    const int fixNoOvf = n == 1 && r == 0 && s == 0 ? 0 : 1;
    const int fixOvf = n == 1 && r == 1 && s == 0 && (c ^ x) == 1 ? 0 : 1;
    const int lsbNinc = (c ^ x) & fixNoOvf;
    const int rincOvf = r == 0 ? (c == 0 ? x & i : x | i) : (c == 0 ? x & (n | i) : x | n | i);
    SCOPED_TRACE(::testing::Message() << "inputs C R S X N I ovf ovfI 51 I51 = " << v);
    EXPECT_EQ(Bit(d.LSBNINC), lsbNinc);
    EXPECT_EQ(Bit(d.LSBinc2), sumI51 & fixOvf);
    EXPECT_EQ(Bit(d.LSBninc2), sum51 & fixOvf);
    EXPECT_EQ(Bit(d.LSBnincO), ovf == 1 ? sum51 & fixOvf : lsbNinc);
    EXPECT_EQ(Bit(d.LSBincO), ovfI == 1 ? sumI51 & fixOvf : lsbNinc);
    EXPECT_EQ(Bit(d.RINC), ovf == 0 ? c & x : rincOvf);
  }
}

// Each candidate is normalised by its own overflow bit; RINC picks one.
TEST(R2PostAndSelect, BothOverflowBitsAndBothDecisions) {
  std::mt19937_64 rng(0x5E1);
  Adder adder;
  const auto normalised = [](std::uint64_t v) { return v >> 52 ? v >> 1 : v & Mask(52); };
  for (int n = 0; n < 400; ++n) {
    const int ovf = n & 1, ovfI = (n >> 1) & 1, rinc = (n >> 2) & 1;
    const std::uint64_t plain = (rng() & Mask(52)) | (std::uint64_t(ovf) << 52);
    const std::uint64_t inc = (rng() & Mask(52)) | (std::uint64_t(ovfI) << 52);
    const int lsbInc = rng() & 1, lsbNinc = rng() & 1;
    SetValue(adder.r2Compound.FPOSUM, plain);
    SetValue(adder.r2Compound.FPOSUMI, inc);
    adder.r2Decide.RINC[0] = Digit(rinc);
    adder.r2Decide.LSBincO[0] = Digit(lsbInc);
    adder.r2Decide.LSBnincO[0] = Digit(lsbNinc);
    Compute(adder, 16, 18);
    EXPECT_EQ(Value(adder.r2Post.FPOSUM_s), normalised(plain));
    EXPECT_EQ(Value(adder.r2Post.FPOSUMI_s), normalised(inc));
    EXPECT_EQ(Value(adder.r2Select1.FFAR), normalised(rinc ? inc : plain));
    EXPECT_EQ(Bit(adder.r2Select2.FFAR52), rinc ? lsbInc : lsbNinc);
  }
}

}  // namespace
}  // namespace sumaris::test
