// The N path (slots 19 to 23) against integer arithmetic: the addends it
// prepares from the operands, the magnitude of their difference, the
// leading-zero prediction (exact or one short) and the normalisation.
#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

#include "support/adder_driver.h"
#include "support/bits.h"

namespace sumaris::test {
namespace {

// In the frame of bits -1..52 (bit 52 weighs 1): FLP is twice the larger
// significand, x the smaller one aligned to it. "Larger" follows the two low
// exponent bits only: d = (EA - EB) mod 4 of 0 or 1 takes A, 2 or 3 takes B,
// and an odd d, or d = 2, shifts the smaller one a position right.
struct Addends {
  std::uint64_t flp, x;
  int d;
};
Addends Expected(std::uint64_t a, std::uint64_t b) {
  const int d = ((Field(a) - Field(b)) % 4 + 4) % 4;
  const std::uint64_t large = Significand(d <= 1 ? a : b), small = Significand(d <= 1 ? b : a);
  return {large << 1, d == 0 ? small << 1 : small, d};
}

TEST(NPreparation, LargerDoubledSmallerAlignedAndComplemented) {
  AdderDriver driver;
  Adder& adder = driver.adder();
  std::mt19937_64 rng(19);
  const int pairs[][2] = {{1023, 1023}, {1023, 1022}, {1022, 1023}, {1024, 1022}, {0, 0},
                          {1, 0},       {1024, 1023}, {1023, 1024}, {2046, 2045}, {3, 1}};
  for (const auto& [ea, eb] : pairs) {
    for (int n = 0; n < 20; ++n) {
      const std::uint64_t a = Pack(rng() & 1, ea, rng()), b = Pack(rng() & 1, eb, rng());
      driver.Load(Operand::A, a);
      driver.Load(Operand::B, b);
      Compute(adder, 19, 20);
      const Addends want = Expected(a, b);
      SCOPED_TRACE(::testing::Message() << "EA " << ea << ", EB " << eb);
      EXPECT_EQ(Value(adder.nSmallExp.FLP) << 1, want.flp);  // FLP[-1:51]
      EXPECT_EQ(Value(adder.nSmallSig.FSOPA), Mask(54) - want.x);
      EXPECT_EQ(Bit(adder.nSmallExp.SL), int(Negative(want.d <= 1 ? a : b)));
      // DELTA in the two windows' opposite cell orders.
      EXPECT_EQ(Value(adder.nSmallExp.DELTA), static_cast<std::uint64_t>(want.d));
      EXPECT_EQ(Bit(adder.nSmallSig.DELTA, 0), want.d & 1);
      EXPECT_EQ(Bit(adder.nSmallSig.DELTA, 1), want.d >> 1);
    }
  }
}

TEST(NSigadd, MagnitudeAndSelectBitMatchIntegerSubtraction) {
  Adder adder;
  NSigadd& s = adder.nSigadd;
  std::mt19937_64 rng(21);
  // FLP[-1:51] and x in the frame of bits -1..52; FSOPA is x's complement.
  std::vector<std::pair<std::uint64_t, std::uint64_t>> cases;
  for (const std::uint64_t flp : {std::uint64_t{0}, std::uint64_t{1}, Mask(52), Mask(53)}) {
    for (const std::uint64_t x : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{3}, Mask(54),
                                  flp << 1, (flp << 1) - 1}) {
      cases.emplace_back(flp, x & Mask(54));
    }
  }
  for (int n = 0; n < 3000; ++n) {
    const std::uint64_t flp = rng() & Mask(53);
    const long long delta = n % 2 ? static_cast<long long>(rng() % 9) - 4 : 0;
    const std::uint64_t near = (flp << 1) + static_cast<std::uint64_t>(delta);
    cases.emplace_back(flp, n % 2 ? near & Mask(54) : rng() & Mask(54));
    cases.emplace_back(flp, (flp << 1) ^ (std::uint64_t{1} << (rng() % 54)));
  }
  for (const auto& [flp53, x] : cases) {
    SetValue(s.FLP, flp53);
    SetValue(s.FSOPA, Mask(54) - x);
    s.Calculate();
    const std::uint64_t flp = flp53 << 1, sum0 = (flp + (Mask(54) - x) + (std::uint64_t{1} << 54));
    SCOPED_TRACE(::testing::Message() << std::hex << "FLP " << flp << ", x " << x);
    ASSERT_EQ(Bit(s.Fopsum2), flp > x ? 1 : 0);
    ASSERT_EQ(Value(s.abs_FPSUM), flp > x ? flp - x : x - flp);
    // Both sums of the compound adder: FLP + FSOPA inverted over 55 bits, and
    // FLP + FSOPA + 1 over 54.
    ASSERT_EQ(Value(s.my_XNOR), ~sum0 & Mask(55));
    ASSERT_EQ(Value(s.my_xor), (sum0 + 1) & Mask(54));
  }
}

// Runs the N path on two operands and checks the prediction against the
// exact leading zeros of the difference; returns whether it was one short.
bool CheckPrediction(AdderDriver& driver, std::uint64_t a, std::uint64_t b) {
  Adder& adder = driver.adder();
  driver.Load(Operand::A, a);
  driver.Load(Operand::B, b);
  Compute(adder, 19, 23);
  const Addends want = Expected(a, b);
  const std::uint64_t diff = want.flp > want.x ? want.flp - want.x : want.x - want.flp;
  const std::uint64_t lzp = Value(adder.nApprox.LZP);
  const int exact = std::countl_zero(diff) - 10;  // of 54 bits
  SCOPED_TRACE(Hex(a) + " - " + Hex(b));
  EXPECT_EQ(Value(adder.nSigadd.abs_FPSUM), diff);
  EXPECT_EQ(Bit(adder.nPost.IS_R2), int(diff >> 53));
  if (diff == 0) {  // equal addends: nothing survives the recoding
    EXPECT_EQ(lzp, 54u);
    EXPECT_EQ(Value(adder.nPost.F_NEAR), 0u);
    return false;
  }
  EXPECT_TRUE(lzp == std::uint64_t(exact) || lzp + 1 == std::uint64_t(exact))
      << "LZP " << lzp << ", leading zeros " << exact;
  // Normalised: the leading one at bit 0 of F_NEAR.
  EXPECT_EQ(Value(adder.nPost.F_NEAR), ((diff << exact) & Mask(54)) >> 1);
  EXPECT_EQ(Bit(adder.nPost.sel), lzp == std::uint64_t(exact) ? 1 : 0);
  return lzp + 1 == std::uint64_t(exact);
}

// A fraction of runs of equal bits, the patterns a recoding must not misread.
std::uint64_t Runs(std::mt19937_64& rng) {
  std::uint64_t f = 0;
  for (int pos = 51, bit = rng() & 1; pos >= 0; bit ^= 1) {
    for (int k = 1 + rng() % 20; k > 0 && pos >= 0; --k, --pos)
      f |= std::uint64_t(bit) << pos;
  }
  return f;
}

TEST(NApprox, PredictionIsExactOrOneShortAndNPostAlwaysNormalises) {
  AdderDriver driver;
  std::mt19937_64 rng(31);
  int oneShort = 0, trials = 0;
  const auto check = [&](std::uint64_t a, std::uint64_t b) {
    oneShort += CheckPrediction(driver, a, b) ? 1 : 0;
    ++trials;
  };
  const std::uint64_t ones = Mask(52);
  // 1 - (1 - ulp/2), (2 - ulp) - 1, +-1 ulp, subnormals, the smallest normal
  // against the largest subnormal, the top of the range, equal, alternating.
  const std::uint64_t picked[] = {0x3FF0000000000000, 0x3FEFFFFFFFFFFFFF, 0x3FFFFFFFFFFFFFFF,
                                  0x3FF0000000000000, 0x3FF0000000000001, 0x3FF0000000000000,
                                  0x3FF0000000000000, 0x3FF0000000000001, 0x0000000000000001,
                                  0x0000000000000002, 0x0010000000000000, 0x000FFFFFFFFFFFFF,
                                  0x7FEFFFFFFFFFFFFF, 0x7FDFFFFFFFFFFFFF, 0x3FF0000000000005,
                                  0x3FF0000000000005, 0x3FFAAAAAAAAAAAAA, 0x3FF5555555555555};
  for (std::size_t i = 0; i < std::size(picked); i += 2)
    check(picked[i], picked[i + 1]);
  for (int n = 0; n < 1500 && !HasFailure(); ++n) {
    const int e = 2 + rng() % 2040;
    // Equal exponents a few units apart, and one apart with 2 x F_a near F_b.
    const std::uint64_t f = n % 2 ? Runs(rng) : rng() & ones, k = 1 + rng() % 5;
    check(Pack(0, e, f), Pack(1, e, f ^ k));
    const std::uint64_t low = Runs(rng) >> (rng() % 53), high = ones & ~(Runs(rng) >> (rng() % 53));
    check(Pack(0, e + 1, low), Pack(0, e, high));
    check(Pack(1, e, high), Pack(1, e + 1, low));
    // Random neighbours sharing a prefix of random length, subnormals included.
    const int ea = n % 8 == 0 ? rng() % 3 : e, eb = ea + rng() % 3 - (ea > 0 ? 1 : 0);
    const std::uint64_t shared = ones & ~Mask(52 - rng() % 53), fa = rng();
    check(Pack(0, ea, fa), Pack(0, eb, (fa & shared) | (Runs(rng) & ~shared)));
  }
  // Both outcomes occur, so neither branch of the check is vacuous.
  EXPECT_GT(oneShort, trials / 20);
  EXPECT_LT(oneShort, trials - trials / 20);
}

// No position survives the recoding: the counts from bit -1 and bit -2 are
// 54 and 55, and the sign of the difference picks one.
TEST(NApprox, CountsOfNoMarkedPosition) {
  Adder adder;
  NApprox& s = adder.nApprox;
  SetValue(s.FLP, 0x0F0F0F0F0F0F0);
  SetValue(s.FSOPA, Mask(54) - (std::uint64_t{0x0F0F0F0F0F0F0} << 1) - 1);  // x = FLP + bit 52
  for (const int sign : {0, 1}) {
    s.FOPSUM[0] = Digit(sign);
    s.Calculate();
    EXPECT_EQ(Value(s.XOR55), 0u);
    EXPECT_EQ(Value(s.LZP1), 54u);
    EXPECT_EQ(Value(s.LZP2), 55u);
    EXPECT_EQ(Value(s.LZP), sign ? 55u : 54u);
  }
}

TEST(NPost, EveryShiftAmountOverRandomMagnitudes) {
  Adder adder;
  NPost& post = adder.nPost;
  std::mt19937_64 rng(41);
  for (int s = 0; s <= 63; ++s) {
    for (int n = 0; n < 20; ++n) {
      const std::uint64_t abs = (rng() & Mask(54)) >> (rng() % 54);
      SetValue(post.abs_FPSUM, abs);
      SetValue(post.LZP, static_cast<unsigned>(s));
      post.Calculate();
      const std::uint64_t norm = s >= 54 ? 0 : (abs << s) & Mask(54);
      ASSERT_EQ(Value(post.norm_FPSUM), norm) << "shift " << s;
      ASSERT_EQ(Bit(post.sel), int(norm >> 53)) << "shift " << s;
      ASSERT_EQ(Value(post.F_NEAR), norm >> 53 ? norm >> 1 : norm & Mask(53)) << "shift " << s;
    }
  }
}

}  // namespace
}  // namespace sumaris::test
