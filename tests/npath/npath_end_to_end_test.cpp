// The N path end to end against the host's IEEE arithmetic: for an
// effective subtraction whose exponents are at most one apart and whose
// operands are within a factor of two of each other, the difference of the
// two doubles is exact (Sterbenz), so the host's a - b is the reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "npath/npath_test_util.h"

namespace sumaris {
namespace {

using namespace npath_test;

// The 53-bit significand of a positive normal double, hidden bit included.
u64 SignificandOf(double value) { return FieldsOf(value).Significand(); }

// Runs one pair and compares with the host. Returns whether the pair fell
// in the N path's domain and was checked.
bool CheckPair(Adder& adder, double a, double b, const std::string& what) {
  const Fields fa = FieldsOf(a);
  const Fields fb = FieldsOf(b);
  if (fa.exponent == 0 || fb.exponent == 0) return false;  // normal operands only
  if (std::abs(fa.exponent - fb.exponent) > 1) return false;
  RunNPath(adder, fa, fb);

  // The magnitudes differ: an effective subtraction is |a| - |b| whatever
  // the signs and the operation, and the N path works on magnitudes only.
  const double larger = std::max(std::fabs(a), std::fabs(b));
  const double smaller = std::min(std::fabs(a), std::fabs(b));
  const int eLarger = std::ilogb(larger);
  // IS_R2: the difference keeps the larger operand's exponent (no
  // cancellation). Such a difference may need rounding and is not checked
  // further; one below 2^eLarger is exact.
  const double diff = larger - smaller;
  const bool keepsExponent = diff != 0 && std::ilogb(diff) == eLarger;
  EXPECT_EQ(adder.nPost.IS_R2[0].str(), keepsExponent ? "1" : "0") << what;
  if (keepsExponent || diff == 0) return false;
  if (smaller < larger / 2) return false;  // outside Sterbenz: not exact in general
  if (diff < std::numeric_limits<double>::min()) return false;  // subnormal result

  // F_NEAR is the normalised significand of the exact difference.
  EXPECT_EQ(ValueOf(adder.nPost.F_NEAR), SignificandOf(diff))
      << what << ": " << a << " - " << b;
  // The exponent the path decision will form from LZP and norm_FPSUM[-1]:
  // E - LZP - 1 + norm_FPSUM[-1].
  const long long lzp = static_cast<long long>(ValueOf(adder.nPost.LZP));
  const long long sel = adder.nPost.norm_FPSUM[0].Is('1') ? 1 : 0;
  EXPECT_EQ(std::ilogb(diff), eLarger - lzp - 1 + sel) << what;
  return true;
}

double RandomNormal(std::mt19937_64& rng, int exponent) {
  return Fields{static_cast<int>(rng() & 1), exponent, rng() & Mask(52)}.Value();
}

TEST(NPathEndToEnd, NormalisedDifferenceMatchesTheHost) {
  Adder adder;
  std::mt19937_64 rng(51);
  int checked = 0;
  const int kPairs = 5000;
  for (int i = 0; i < kPairs; ++i) {
    const int e = 1 + static_cast<int>(rng() % 2045);
    const int other = e + static_cast<int>(rng() % 3) - 1;
    const double a = RandomNormal(rng, e);
    double b = RandomNormal(rng, std::max(1, other));
    // Share leading fraction bits often, for deep cancellation.
    if (rng() & 1) {
      const int shared = static_cast<int>(rng() % 53);
      const u64 high = Mask(52) & ~Mask(52 - shared);
      Fields fb = FieldsOf(b);
      fb.fraction = (FieldsOf(a).fraction & high) | (fb.fraction & ~high);
      b = fb.Value();
    }
    checked += CheckPair(adder, a, b, "pair " + std::to_string(i)) ? 1 : 0;
  }
  EXPECT_GT(checked, kPairs / 2);
}

TEST(NPathEndToEnd, NeighboursAndPowersOfTwo) {
  Adder adder;
  std::mt19937_64 rng(52);
  int checked = 0;
  for (int i = 0; i < 500; ++i) {
    const double a = std::fabs(RandomNormal(rng, 1 + static_cast<int>(rng() % 2040)));
    const double p = std::ldexp(1.0, std::ilogb(a));
    const double cases[][2] = {
        {a, std::nextafter(a, 0.0)},
        {std::nextafter(a, 0.0), a},
        {a, std::nextafter(std::nextafter(a, 0.0), 0.0)},
        {p, std::nextafter(p, 0.0)},            // 2^e - (2^e - ulp/2): one apart
        {std::nextafter(p, 0.0), p},
        {std::nextafter(p, 2 * p), std::nextafter(p, 0.0)},
        {1.5 * p, p},
        {p * 1.0000000001, p * 0.75},
    };
    for (const auto& c : cases) {
      checked += CheckPair(adder, c[0], c[1], "neighbours") ? 1 : 0;
      checked += CheckPair(adder, c[0], -c[1], "signs differ") ? 1 : 0;
    }
  }
  EXPECT_GT(checked, 4000);
}

TEST(NPathEndToEnd, SmallestNormalResults) {
  Adder adder;
  const double m = std::numeric_limits<double>::min();
  EXPECT_TRUE(CheckPair(adder, 3 * m, 2 * m, "3m - 2m"));
  EXPECT_TRUE(CheckPair(adder, 2 * m, 3 * m, "2m - 3m"));
  EXPECT_TRUE(CheckPair(adder, 4 * m, 3 * m, "4m - 3m, one apart"));
}

}  // namespace
}  // namespace sumaris
