// The half adders and the compound adder against integer arithmetic: for
// 54-bit operands F and L (bit -1 most significant, bit 52 least), the plain
// sum is floor((F + L) / 2) mod 2^53 and the incremented one that plus one.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <type_traits>

#include "rpath2/r2_bits.h"
#include "session/adder.h"

namespace sumaris {
namespace {

using r2test::Mask;
using r2test::Read64;
using r2test::WriteBits;

static_assert(std::is_same_v<decltype(R2HA::SumBit52), std::int16_t>,
              "the half-adder sum of bit 52 is a 16-bit number, not a cell");

struct Sums {
  std::uint64_t xsum;
  std::uint64_t xcarry;
  int sumBit52;
  std::uint64_t fposum;
  std::uint64_t fposumi;
};

// F and L into the half adders' inputs, then both stages as the sweep runs them.
Sums RunAdders(Adder& adder, std::uint64_t f, std::uint64_t l) {
  WriteBits(adder.r2HA.FSOPA, 0, 54, f);
  WriteBits(adder.r2HA.FLP, 0, 54, l);
  adder.r2HA.Calculate();
  adder.r2Compound.Pull();
  adder.r2Compound.Calculate();
  return {Read64(adder.r2HA.XSUM, 0, 53), Read64(adder.r2HA.XCARRY, 0, 53), adder.r2HA.SumBit52,
          Read64(adder.r2Compound.FPOSUM, 0, 53), Read64(adder.r2Compound.FPOSUMI, 0, 53)};
}

void ExpectArithmetic(const Sums& got, std::uint64_t f, std::uint64_t l) {
  const std::uint64_t total = f + l;  // at most 55 bits
  const std::uint64_t plain = (total >> 1) & Mask(53);
  EXPECT_EQ(got.fposum, plain) << "F=" << f << " L=" << l;
  EXPECT_EQ(got.fposumi, (plain + 1) & Mask(53)) << "F=" << f << " L=" << l;
  EXPECT_EQ(got.sumBit52, static_cast<int>(total & 1)) << "F=" << f << " L=" << l;
  // The half adders: sums of bits -1..51, carries one position to the left.
  EXPECT_EQ(got.xsum, (f ^ l) >> 1);
  EXPECT_EQ(got.xcarry, (f & l) & Mask(53));
}

TEST(R2CompoundAdder, RandomOperandsMatchIntegerSum) {
  Adder adder;
  std::mt19937_64 rng(0x52C0);
  for (int n = 0; n < 3000; ++n) {
    std::uint64_t f = rng() & Mask(54);
    std::uint64_t l = rng() & Mask(54);
    // Real operands never have both overflow bits set; keep most of them so.
    if (n % 4 != 0) l &= ~(f & (std::uint64_t{1} << 53));
    ExpectArithmetic(RunAdders(adder, f, l), f, l);
  }
}

TEST(R2CompoundAdder, EdgeCases) {
  const std::uint64_t ones = Mask(54);
  const std::uint64_t bit52 = 1;                       // least significant position
  const std::uint64_t bitM1 = std::uint64_t{1} << 53;  // overflow position
  struct Case {
    const char* what;
    std::uint64_t f;
    std::uint64_t l;
  };
  const Case cases[] = {
      {"bit 52 both 1", bit52, bit52},
      {"bit 52 one of them", bit52, 0},
      {"bit 52 both 1 over a carry chain", (ones >> 1), bit52},
      {"all ones plus zero wraps FPOSUMI", ones, 0},
      {"all ones plus all ones", ones, ones},
      {"both overflow bits (edited wires)", bitM1, bitM1},
      {"overflow bits and a carry into them", bitM1 | (ones >> 2), bitM1 | 2},
      {"zero", 0, 0},
      {"alternating", 0x2AAAAAAAAAAAAAull, 0x15555555555555ull},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Adder adder;
    const Sums got = RunAdders(adder, c.f, c.l);
    ExpectArithmetic(got, c.f, c.l);
  }
}

TEST(R2CompoundAdder, BitFiftyTwoBothOneCarriesIntoPlainSum) {
  Adder adder;
  const Sums got = RunAdders(adder, 1, 1);
  EXPECT_EQ(got.sumBit52, 0);
  EXPECT_EQ(adder.r2HA.XCARRY.Bit(51), "1");
  EXPECT_EQ(got.fposum, 1u);  // 1 + 1 = 2: bit 51 of the plain sum
  EXPECT_EQ(got.fposumi, 2u);
}

TEST(R2CompoundAdder, AllOnesWrapsWithoutCarryOutCell) {
  Adder adder;
  const Sums got = RunAdders(adder, Mask(54), 0);
  EXPECT_EQ(got.fposum, Mask(53));
  EXPECT_EQ(got.fposumi, 0u);
}

TEST(R2CompoundAdder, EditedBitFiftyTwoOfXsumChangesNothing) {
  std::mt19937_64 rng(7);
  for (int n = 0; n < 50; ++n) {
    Adder adder;
    const std::uint64_t f = rng() & Mask(53);
    const std::uint64_t l = rng() & Mask(53);
    const Sums plain = RunAdders(adder, f, l);
    // The last cell of XSUM here (bit 52) is never pulled: it keeps what the
    // editor wrote, and the adder ignores it.
    for (const char* text : {"1", "0", "1"}) {
      adder.r2Compound.XSUM[53] = text;
      adder.r2Compound.Pull();
      EXPECT_EQ(adder.r2Compound.XSUM[53], text);
      adder.r2Compound.Calculate();
      EXPECT_EQ(Read64(adder.r2Compound.FPOSUM, 0, 53), plain.fposum);
      EXPECT_EQ(Read64(adder.r2Compound.FPOSUMI, 0, 53), plain.fposumi);
    }
  }
}

TEST(R2CompoundAdder, PullTakesBitsMinusOneToFiftyTwoOfTheBigMux) {
  Adder adder;
  std::mt19937_64 rng(11);
  std::string wide;
  for (int p = 0; p < 118; ++p) wide += (rng() & 1) ? '1' : '0';
  std::string flp;
  for (int p = 0; p < 54; ++p) flp += (rng() & 1) ? '1' : '0';
  adder.r1BigMux.FSOPA.SetText(wide);
  adder.r1ShiftL.FLP.SetText(flp);
  adder.r2HA.Pull();
  EXPECT_EQ(adder.r2HA.FSOPA.Text(), wide.substr(0, 54));
  EXPECT_EQ(adder.r2HA.FLP.Text(), flp);
}

TEST(R2CompoundAdder, SumBitFiftyTwoKeepsItsValueUntilNextCalculate) {
  Adder adder;
  RunAdders(adder, 1, 0);
  ASSERT_EQ(adder.r2HA.SumBit52, 1);
  adder.r2HA.ClearAll();
  adder.r2HA.FSOPA[53] = "0";
  adder.r2HA.Pull();  // upstream is all zeros, but nothing is computed yet
  EXPECT_EQ(adder.r2HA.SumBit52, 1);
  adder.r2HA.Calculate();
  EXPECT_EQ(adder.r2HA.SumBit52, 0);
}

}  // namespace
}  // namespace sumaris
