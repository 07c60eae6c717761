// The N path's significand subtraction against integer arithmetic: the
// magnitude |FLP - x|, the select bit, and every carry wire against a
// serial carry computation done here from scratch.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "npath/npath_test_util.h"

namespace sumaris {
namespace {

using namespace npath_test;

// Bits -2 .. 52; index j + 2.
using Bits55 = std::array<int, 55>;

// The two addends sign-extended to 55 bits: FLP by 0 (and without a bit 52,
// so its 53 cells sit at bits -1 .. 51), FSOPA by 1.
struct Operands {
  u64 flp54;    // FLP in the frame of bits -1 .. 52
  u64 fsopa54;  // FSOPA, bits -1 .. 52
  u64 A() const { return flp54; }
  u64 B() const { return fsopa54 | (u64{1} << 54); }
};

int BitOf(u64 value, int j) { return static_cast<int>((value >> (52 - j)) & 1); }

// The carry into bit j (j = -2 .. 52) for a given carry-in at bit 52, and
// the carry out of bit -2, by a plain ripple from the least significant end.
struct Ripple {
  Bits55 into{};  // into[j + 2]
  int out = 0;
};
Ripple Carries(const Operands& o, int carryIn) {
  Ripple r;
  int c = carryIn;
  for (int j = 52; j >= -2; --j) {
    r.into[j + 2] = c;
    c = (BitOf(o.A(), j) + BitOf(o.B(), j) + c) >= 2 ? 1 : 0;
  }
  r.out = c;
  return r;
}

void Check(Adder& adder, const Operands& o, const std::string& what) {
  NSigadd& s = adder.nSigadd;
  SetValue(s.FLP, o.flp54 >> 1);
  SetValue(s.FSOPA, o.fsopa54);
  s.Calculate();

  const u64 flp = o.flp54;
  const u64 x = Mask(54) - o.fsopa54;  // FSOPA is the one's complement of x
  // The arithmetic meaning.
  ASSERT_EQ(s.Fopsum2[0].str(), flp > x ? "1" : "0") << what;
  ASSERT_EQ(ValueOf(s.abs_FPSUM), flp > x ? flp - x : x - flp) << what;

  // Both sums of the compound adder.
  const u64 s0 = (o.A() + o.B()) & Mask(55);
  const u64 s1 = (o.A() + o.B() + 1) & Mask(54);
  EXPECT_EQ(ValueOf(s.my_XNOR), ~s0 & Mask(55)) << what;
  EXPECT_EQ(ValueOf(s.my_xor), s1) << what;

  // Digit sums, propagate bits and carries against the serial computation.
  const Ripple c0 = Carries(o, 0);
  const Ripple c1 = Carries(o, 1);
  for (int j = -2; j <= 52; ++j) {
    const int sigma = BitOf(o.A(), j) + BitOf(o.B(), j);
    ASSERT_EQ(s.Sigma.Bit(j).str(), std::to_string(sigma)) << what << " Sigma bit " << j;
    ASSERT_EQ(s.P.Bit(j).str(), sigma == 1 ? "1" : "0") << what << " P bit " << j;
    ASSERT_EQ(s.gen_c.Bit(j).str(), std::to_string(c0.into[j + 2])) << what << " gen_c " << j;
    // The status of bits j .. 52: 2 when they carry out on their own, 1 when
    // only a carry-in at bit 52 would leave through them, 0 otherwise.
    const int out0 = j == -2 ? c0.out : c0.into[j + 1];
    const int out1 = j == -2 ? c1.out : c1.into[j + 1];
    ASSERT_EQ(s.PIE.Bit(j).str(), std::to_string(out0 ? 2 : (out1 ? 1 : 0)))
        << what << " PI bit " << j;
    if (j >= -1) {
      ASSERT_EQ(s.GP_C.Bit(j).str(), std::to_string(c1.into[j + 2])) << what << " GP_C " << j;
      ASSERT_EQ(s.prop_c.Bit(j).str(), std::to_string(c1.into[j + 2] - c0.into[j + 2]))
          << what << " prop_c " << j;
    }
  }
}

// FSOPA for an aligned smaller significand x.
u64 Complement(u64 x) { return Mask(54) - x; }

TEST(NSigadd, MagnitudeAndCarriesOverRandomAddends) {
  Adder adder;
  std::mt19937_64 rng(21);
  for (int i = 0; i < 3000; ++i) {
    Check(adder, {(rng() & Mask(53)) << 1, rng() & Mask(54)}, "random " + std::to_string(i));
  }
}

TEST(NSigadd, MagnitudeAndCarriesNearCancellation) {
  // Addends whose difference is tiny or zero: long runs of propagating
  // digits, the case a prefix adder must get right.
  Adder adder;
  std::mt19937_64 rng(22);
  for (int i = 0; i < 1500; ++i) {
    const u64 flp = (rng() & Mask(53)) << 1;
    const long long delta = static_cast<long long>(rng() % 9) - 4;
    const u64 x = static_cast<u64>(static_cast<long long>(flp) + delta) & Mask(54);
    Check(adder, {flp, Complement(x)}, "near " + std::to_string(delta));
    // A difference of one power of two.
    const int k = static_cast<int>(rng() % 54);
    const u64 y = flp ^ (u64{1} << k);
    Check(adder, {flp, Complement(y)}, "power " + std::to_string(k));
  }
}

TEST(NSigadd, ExtremeAddends) {
  Adder adder;
  const std::vector<Operands> cases = {
      {0, Mask(54)},                     // 0 - 0
      {Mask(53) << 1, 0},                // largest FLP, x = all ones
      {Mask(53) << 1, Mask(54)},         // largest FLP, x = 0
      {0, 0},                            // 0 - all ones
      {u64{1} << 53, Complement(u64{1} << 53)},  // equal, only bit -1
      {u64{1} << 53, Complement(1)},     // 2^53 - 1: borrow through every bit
      {2, Complement(1)},                // 1 ulp
      {2, Complement(3)},                // -1 ulp
  };
  for (std::size_t i = 0; i < cases.size(); ++i) Check(adder, cases[i], "case " + std::to_string(i));
}

TEST(NSigadd, EqualAddendsGiveZeroAndSelectTheInvertedSum) {
  Adder adder;
  const u64 flp = 0x1234567890ABCull << 1;
  Check(adder, {flp, Complement(flp)}, "equal");
  EXPECT_EQ(adder.nSigadd.Fopsum2[0].str(), "0");
  EXPECT_EQ(adder.nSigadd.abs_FPSUM.Text(), std::string(54, '0'));
  EXPECT_EQ(adder.nSigadd.my_XNOR.Text(), std::string(55, '0'));  // S0 = -1, all ones
}

TEST(NSigadd, MagnitudeComesFromTheChosenSum) {
  Adder adder;
  NSigadd& s = adder.nSigadd;
  Check(adder, {u64{0b1010} << 1, Complement(0b101)}, "FLP > x");
  EXPECT_EQ(s.abs_FPSUM.Text(), s.my_xor.Text());
  Check(adder, {u64{0b101} << 1, Complement(0b10001)}, "FLP < x");
  EXPECT_EQ(s.abs_FPSUM.Text(), s.my_XNOR.Text().substr(1));
}

TEST(NSigadd, FixedCellsAndTheUnwrittenCarry) {
  Adder adder;
  std::mt19937_64 rng(23);
  for (int i = 0; i < 50; ++i) {
    Check(adder, {(rng() & Mask(53)) << 1, rng() & Mask(54)}, "fixed");
    EXPECT_EQ(adder.nSigadd.Sigma.Bit(-2).str(), "1");
    EXPECT_EQ(adder.nSigadd.P.Bit(-2).str(), "1");
    EXPECT_EQ(adder.nSigadd.prop_c.Bit(52).str(), "1");
    EXPECT_EQ(adder.nSigadd.gen_c.Bit(52).str(), "0");
  }
  // gen_c[52] is never written: a text put there survives a calculation.
  adder.nSigadd.gen_c.Bit(52) = "1";
  adder.nSigadd.Calculate();
  EXPECT_EQ(adder.nSigadd.gen_c.Bit(52).str(), "1");
}

TEST(NSigadd, DigitSumStatusAndInSumCarryCellsStartEmpty) {
  Adder adder;
  for (const Wire* w : {&adder.nSigadd.Sigma, &adder.nSigadd.PIE, &adder.nSigadd.GP_C}) {
    for (int p = 0; p < w->size(); ++p) EXPECT_EQ((*w)[p].str(), "") << w->name() << " " << p;
  }
  for (const Wire* w : {&adder.nSigadd.P, &adder.nSigadd.gen_c, &adder.nSigadd.prop_c,
                        &adder.nSigadd.my_XNOR, &adder.nSigadd.abs_FPSUM}) {
    EXPECT_EQ(w->Text(), std::string(static_cast<std::size_t>(w->size()), '0')) << w->name();
  }
}

TEST(NSigadd, OperatorKillsPropagatesOrGenerates) {
  for (int right = 0; right <= 2; ++right) {
    EXPECT_EQ(NSigadd::Operator(0, right), 0);
    EXPECT_EQ(NSigadd::Operator(1, right), right);
    EXPECT_EQ(NSigadd::Operator(2, right), 2);
  }
}

TEST(NSigadd, PropagateRunFromTheBottom) {
  // Sigma digits 1 from bit 52 up to bit 30, then a generate at bit 29:
  // PI is 1 over the run and prop_c[j] is 1 wherever j + 1 lies in it.
  Adder adder;
  const u64 flp = u64{1} << (52 - 29);               // FLP bit 29 = 1
  const u64 fsopa = (u64{1} << (52 - 29)) | Mask(23);  // FSOPA bits 29 .. 52 = 1
  Check(adder, {flp, fsopa}, "run");
  for (int j = 30; j <= 52; ++j) EXPECT_EQ(adder.nSigadd.PIE.Bit(j).str(), "1") << j;
  EXPECT_EQ(adder.nSigadd.PIE.Bit(29).str(), "2");
  for (int j = 29; j <= 51; ++j) {
    EXPECT_EQ(adder.nSigadd.prop_c.Bit(j).str(), "1") << j;
    EXPECT_EQ(adder.nSigadd.gen_c.Bit(j).str(), "0") << j;
  }
}

TEST(NSigadd, PullTakesBothAddends) {
  Adder adder;
  SetValue(adder.nSmallExp.FLP, 0x1F0F0F0F0F0F0ull);
  SetValue(adder.nSmallSig.FSOPA, 0x2A5A5A5A5A5A5ull);
  adder.nSigadd.Pull();
  EXPECT_EQ(adder.nSigadd.FLP.Text(), adder.nSmallExp.FLP.Text());
  EXPECT_EQ(adder.nSigadd.FSOPA.Text(), adder.nSmallSig.FSOPA.Text());
}

}  // namespace
}  // namespace sumaris
