// The N path's leading-zero anticipation. The prediction LZP may be one
// short of the exact count of leading zeros of |FLP - x| (counted from bit
// -1), never anything else; the normalisation then always brings the
// leading one to bit 0 of F_NEAR.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "npath/npath_test_util.h"

namespace sumaris {
namespace {

using namespace npath_test;

u64 Lzp(const Adder& adder) { return ValueOf(adder.nApprox.LZP); }

// Runs the N path on the operands and checks prediction and normalisation
// against the difference worked out from the operands' fields. Returns
// whether the prediction was one short.
bool CheckPrediction(Adder& adder, const Fields& a, const Fields& b, const std::string& what) {
  RunNPath(adder, a, b);
  const Addends addends = ExpectedAddends(a, b);
  const u64 diff = addends.Difference();
  EXPECT_EQ(ValueOf(adder.nSigadd.abs_FPSUM), diff) << what;
  const u64 lzp = Lzp(adder);
  if (diff == 0) {
    // Equal addends: no position survives the recoding, FOPSUM is 0.
    EXPECT_EQ(lzp, 54u) << what;
    EXPECT_EQ(adder.nPost.F_NEAR.Text(), std::string(53, '0')) << what;
    return false;
  }
  const int exact = LeadingZeros(diff, 54);
  EXPECT_TRUE(lzp == static_cast<u64>(exact) || lzp + 1 == static_cast<u64>(exact))
      << what << ": LZP " << lzp << ", leading zeros " << exact << ", FOPSUM "
      << adder.nApprox.FOPSUM[0].str();
  // Normalised: the leading one at bit 0, the bits below it in order.
  const u64 normalised = ((diff << exact) & Mask(54)) >> 1;
  EXPECT_EQ(ValueOf(adder.nPost.F_NEAR), normalised) << what;
  EXPECT_EQ(adder.nPost.sel[0].str(), lzp == static_cast<u64>(exact) ? "1" : "0") << what;
  return lzp + 1 == static_cast<u64>(exact);
}

// A random exponent field and one 0 or 1 apart from it, subnormals included.
std::pair<int, int> NearExponents(std::mt19937_64& rng) {
  const int e = rng() % 8 == 0 ? static_cast<int>(rng() % 3) : 1 + static_cast<int>(rng() % 2046);
  int other = e + static_cast<int>(rng() % 3) - 1;
  if (other < 0 || other > 2046) other = e;
  return {e, other};
}

TEST(NApprox, PredictionIsExactOrOneShortOverRandomOperands) {
  Adder adder;
  std::mt19937_64 rng(31);
  int oneShort = 0;
  const int kTrials = 4000;
  for (int i = 0; i < kTrials; ++i) {
    const auto [ea, eb] = NearExponents(rng);
    Fields a{0, ea, rng() & Mask(52)};
    Fields b{1, eb, rng() & Mask(52)};
    // Half of the pairs share a random number of leading fraction bits, so
    // that deep cancellations are common.
    if (rng() & 1) {
      const int shared = static_cast<int>(rng() % 53);
      const u64 high = Mask(52) & ~Mask(52 - shared);
      b.fraction = (a.fraction & high) | (b.fraction & ~high);
    }
    oneShort += CheckPrediction(adder, a, b, "random " + std::to_string(i)) ? 1 : 0;
  }
  // Both outcomes occur, so the check above is not vacuous.
  EXPECT_GT(oneShort, kTrials / 20);
  EXPECT_LT(oneShort, kTrials - kTrials / 20);
}

// A fraction made of runs of equal bits of random lengths.
u64 Runs(std::mt19937_64& rng) {
  u64 f = 0;
  int bit = static_cast<int>(rng() & 1);
  for (int pos = 51; pos >= 0;) {
    const int length = 1 + static_cast<int>(rng() % 20);
    for (int k = 0; k < length && pos >= 0; ++k, --pos) f |= u64(bit) << pos;
    bit ^= 1;
  }
  return f;
}

TEST(NApprox, PredictionUnderMassiveCancellation) {
  Adder adder;
  std::mt19937_64 rng(32);
  const int e = 1023;
  for (int i = 0; i < 600; ++i) {
    const u64 f = i % 2 ? Runs(rng) : rng() & Mask(52);
    const u64 k = 1 + rng() % 5;
    // Equal exponents, significands a few ulps apart, either way round.
    if (f >= k) {
      CheckPrediction(adder, {0, e, f}, {0, e, f - k}, "ulps below");
      CheckPrediction(adder, {0, e, f - k}, {0, e, f}, "ulps above");
    }
    // Exponents one apart: 2 x F_a against F_b cancels deeply only when F_a
    // is just above 1 and F_b just below 2.
    const u64 faFraction = Runs(rng) >> (rng() % 53);
    const u64 fbFraction = Mask(52) & ~(Runs(rng) >> (rng() % 53));
    CheckPrediction(adder, {0, e + 1, faFraction}, {0, e, fbFraction}, "one apart");
    CheckPrediction(adder, {0, e, fbFraction}, {0, e + 1, faFraction}, "one apart, B larger");
    CheckPrediction(adder, {0, e + 1, k - 1}, {0, e, Mask(52) - (k - 1)}, "one apart, ulps");
    // Runs in both operands with a shared prefix of random length.
    const int shared = static_cast<int>(rng() % 53);
    const u64 high = Mask(52) & ~Mask(52 - shared);
    const u64 g = (f & high) | (Runs(rng) & ~high);
    CheckPrediction(adder, {0, e, f}, {0, e, g}, "runs");
  }
}

TEST(NApprox, PredictionOnHandPickedCancellations) {
  Adder adder;
  const u64 ones = Mask(52);
  struct Case {
    const char* what;
    Fields a;
    Fields b;
  };
  const Case cases[] = {
      {"1 - (1 - ulp/2)", {0, 1023, 0}, {0, 1022, ones}},
      {"(2 - ulp) - 1", {0, 1023, ones}, {0, 1023, 0}},
      {"1 ulp, equal exponents", {0, 1023, 1}, {0, 1023, 0}},
      {"-1 ulp, equal exponents", {0, 1023, 0}, {0, 1023, 1}},
      {"alternating bits", {0, 1023, 0xAAAAAAAAAAAAA}, {0, 1023, 0x5555555555555}},
      {"all ones against 1", {0, 1023, ones}, {0, 1023, 1}},
      {"smallest subnormals", {0, 0, 1}, {0, 0, 2}},
      {"subnormal against the smallest normal", {0, 1, 0}, {0, 0, ones}},
      {"largest finite, one apart", {0, 2046, ones}, {0, 2045, ones}},
      {"high bit only", {0, 1023, u64{1} << 51}, {0, 1023, (u64{1} << 51) - 1}},
  };
  for (const Case& c : cases) CheckPrediction(adder, c.a, c.b, c.what);
}

TEST(NApprox, EqualAddendsCount54) {
  Adder adder;
  RunNPath(adder, {0, 1023, 0x123456789ABCD}, {1, 1023, 0x123456789ABCD});
  EXPECT_EQ(adder.nApprox.XOR55.Text(), std::string(55, '0'));
  EXPECT_EQ(adder.nApprox.FOPSUM[0].str(), "0");
  EXPECT_EQ(adder.nApprox.LZP.Text(), "110110");
  EXPECT_EQ(adder.nApprox.LZP1.Text(), "110110");
  EXPECT_EQ(adder.nApprox.LZP2.Text(), "110111");
}

TEST(NApprox, NoPositionWithPositiveSignCounts55) {
  Adder adder;
  NApprox& s = adder.nApprox;
  SetValue(s.FLP, 0x0F0F0F0F0F0F0);
  SetValue(s.FSOPA, Mask(54) - (u64{0x0F0F0F0F0F0F0} << 1));  // x = FLP
  s.FOPSUM[0] = "1";
  s.Calculate();
  EXPECT_EQ(s.XOR55.Text(), std::string(55, '0'));
  EXPECT_EQ(s.LZP.Text(), "110111");
}

TEST(NApprox, AddendsDifferingOnlyInBit52CountLikeEqualOnes) {
  Adder adder;
  const u64 flp = 0x1ABCDEF012345ull;  // 53 bits, bits -1 .. 51
  const u64 x = flp << 1;
  for (const u64 other : {x, x ^ 1}) {
    SetValue(adder.nSmallExp.FLP, flp);
    SetValue(adder.nSmallSig.FSOPA, Mask(54) - other);
    adder.nSigadd.Pull();
    adder.nSigadd.Calculate();
    adder.nApprox.Pull();
    adder.nApprox.Calculate();
    EXPECT_EQ(ValueOf(adder.nApprox.LZP), 54u) << (other & 1);
  }
}

TEST(NApprox, FirstNonCancellingPositionSetsBothCounts) {
  // FLP[-1] = 1 against x = 0: marks at bits -2 and -1 (LZP2 = LZP1 = 0).
  // FLP[0] = 1 against x = 0: the first mark at bit -1 (LZP1 = 0, LZP2 = 1).
  struct Case {
    u64 flp;  // 53 bits, bits -1 .. 51
    u64 x;    // 54 bits, bits -1 .. 52
    int lzp1;
    int lzp2;
  };
  const Case cases[] = {
      {u64{1} << 52, 0, 0, 0},
      {u64{1} << 51, 0, 0, 1},
  };
  Adder adder;
  NApprox& s = adder.nApprox;
  for (const Case& c : cases) {
    SetValue(s.FLP, c.flp);
    SetValue(s.FSOPA, Mask(54) - c.x);
    s.FOPSUM[0] = "1";
    s.Calculate();
    const int first = static_cast<int>(s.XOR55.Text().find('1'));
    EXPECT_EQ(ValueOf(s.LZP2), static_cast<u64>(c.lzp2));
    EXPECT_EQ(first, c.lzp2);
    EXPECT_EQ(ValueOf(s.LZP1), static_cast<u64>(c.lzp1));
    EXPECT_EQ(ValueOf(s.LZP), static_cast<u64>(c.lzp2));
    s.FOPSUM[0] = "0";
    s.Calculate();
    EXPECT_EQ(s.LZP.Text(), s.LZP1.Text());
  }
}

TEST(NApprox, BitsLeftOutStayZero) {
  Adder adder;
  std::mt19937_64 rng(33);
  NApprox& s = adder.nApprox;
  for (int i = 0; i < 100; ++i) {
    SetValue(s.FLP, rng() & Mask(53));
    SetValue(s.FSOPA, rng() & Mask(54));
    s.FOPSUM[0] = (rng() & 1) ? "1" : "0";
    s.Calculate();
    EXPECT_EQ(s.PNM.Bit(52).str(), "0");
    EXPECT_EQ(s.PNP.Bit(51).str(), "0");
    EXPECT_EQ(s.PNP.Bit(52).str(), "0");
    EXPECT_EQ(s.PNM.Bit(-2).str(), "0");
    EXPECT_EQ(s.PS_i.Bit(-2).str(), "0");
    EXPECT_EQ(s.PC_i.Bit(51).str(), "0");
    // Bit 52 of the addends takes no part: flipping FSOPA[52] changes nothing.
    const std::string xor55 = s.XOR55.Text();
    s.FSOPA.Bit(52) = s.FSOPA.Bit(52).Is('1') ? "0" : "1";
    s.Calculate();
    EXPECT_EQ(s.XOR55.Text(), xor55);
  }
}

TEST(NApprox, PullTakesAddendsAndTheSignOfTheSubtraction) {
  Adder adder;
  SetValue(adder.nSmallExp.FLP, 0x1F0F0F0F0F0F0ull);
  SetValue(adder.nSmallSig.FSOPA, 0x2A5A5A5A5A5A5ull);
  adder.nSigadd.Fopsum2[0] = "1";
  adder.nApprox.Pull();
  EXPECT_EQ(adder.nApprox.FLP.Text(), adder.nSmallExp.FLP.Text());
  EXPECT_EQ(adder.nApprox.FSOPA.Text(), adder.nSmallSig.FSOPA.Text());
  EXPECT_EQ(adder.nApprox.FOPSUM[0].str(), "1");
}

}  // namespace
}  // namespace sumaris
