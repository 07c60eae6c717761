// The injection addition of the bits below 52, against the arithmetic it
// stands for: the low part of the true sum (with the two's-complement
// increment in a subtraction), compressed to a round and a sticky bit, plus
// the injection.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "rpath2/r2_bits.h"
#include "session/adder.h"

namespace sumaris {
namespace {

using r2test::BitText;
using r2test::CellBit;
using r2test::Mask;
using r2test::U128;
using r2test::WriteBits;

struct Expected {
  int c52;
  int r;
  int s;
};

// low63: bits 54..116 with bit 116 least significant; x: bit 53.
Expected Arithmetic(bool subtract, int x, std::uint64_t low63, int i0, int i1) {
  // Bits 53..116 of the aligned operand as one 64-bit field. The large
  // significand has nothing there; a subtraction adds the +1 that completes
  // the one's complement at bit 116.
  const U128 field = (static_cast<U128>(x) << 63) | low63;
  const U128 sum = field + (subtract ? 1 : 0);
  const int carry = static_cast<int>(sum >> 64);
  const std::uint64_t low = static_cast<std::uint64_t>(sum);
  const int round = static_cast<int>(low >> 63);
  const int sticky = (low & Mask(63)) != 0 ? 1 : 0;
  // The injection enters at the round and the sticky position.
  const int total = 2 * round + sticky + 2 * i0 + i1;
  return {carry + (total >> 2), (total >> 1) & 1, total & 1};
}

struct Outcome {
  Expected got;
  int orOut;
};

Outcome Calculate(Adder& adder, bool subtract, int x, std::uint64_t low63, int i0, int i1) {
  R2Sigadd& stage = adder.r2Sigadd;
  WriteBits(stage.FSOPA, 0, 63, low63);
  stage.seff[0] = BitText(subtract ? 1 : 0);
  stage.INJ[0] = BitText(i0);
  stage.INJ[1] = BitText(i1);
  // Bit 53 is taken from the big mux when the window calculates.
  adder.r1BigMux.FSOPA[54] = BitText(x);
  stage.FSOPA53[0] = BitText(x);
  stage.Calculate();
  return {{CellBit(stage.C52RS, 0), CellBit(stage.C52RS, 1), CellBit(stage.C52RS, 2)},
          CellBit(stage.OrOut, 0)};
}

std::vector<std::uint64_t> StickyPatterns() {
  std::vector<std::uint64_t> patterns = {
      0,                               // all zeros
      Mask(63),                        // all ones
      1,                               // bit 116 alone
      std::uint64_t{1} << 62,          // bit 54 alone
      Mask(63) - 1,                    // all ones but bit 116
      Mask(63) >> 1,                   // all ones but bit 54
      0x5555555555555555ull & Mask(63),
  };
  std::mt19937_64 rng(0x5161);
  for (int n = 0; n < 40; ++n) {
    std::uint64_t p = rng() & Mask(63);
    if (n % 3 == 0) p &= rng();  // sparser
    if (n % 3 == 1) p |= rng();  // denser
    patterns.push_back(p & Mask(63));
  }
  return patterns;
}

TEST(R2Sigadd, InjectionAdditionMatchesArithmetic) {
  Adder adder;
  int checked = 0;
  for (bool subtract : {false, true}) {
    for (int x = 0; x <= 1; ++x) {
      for (int inj = 0; inj < 4; ++inj) {
        const int i0 = inj >> 1;
        const int i1 = inj & 1;
        for (std::uint64_t low : StickyPatterns()) {
          const Expected want = Arithmetic(subtract, x, low, i0, i1);
          const Outcome run = Calculate(adder, subtract, x, low, i0, i1);
          SCOPED_TRACE(::testing::Message() << "seff=" << subtract << " x=" << x << " INJ=" << i0
                                            << i1 << " low=" << std::hex << low);
          EXPECT_EQ(run.got.c52, want.c52);
          EXPECT_EQ(run.got.r, want.r);
          EXPECT_EQ(run.got.s, want.s);
          // OrOut: some low bit differs from seff.
          const bool differs = subtract ? low != Mask(63) : low != 0;
          EXPECT_EQ(run.orOut, differs ? 1 : 0);
          ++checked;
        }
      }
    }
  }
  EXPECT_EQ(checked, 2 * 2 * 4 * static_cast<int>(StickyPatterns().size()));
}

// The cases a student reads off the window, spelled out.
TEST(R2Sigadd, NamedCases) {
  struct Case {
    const char* what;
    bool subtract;
    int x;
    std::uint64_t low;
    int i0, i1;
    Expected want;
  };
  const Case cases[] = {
      {"add, INJ 00: R' = bit 53", false, 1, 0, 0, 0, {0, 1, 0}},
      {"add, INJ 10, bit 53 set: carries", false, 1, 0, 1, 0, {1, 0, 0}},
      {"add, INJ 10, bit 53 clear", false, 0, 8, 1, 0, {0, 1, 1}},
      {"add, INJ 11, sticky: carry from S'", false, 0, 8, 1, 1, {1, 0, 0}},
      {"add, INJ 11, no sticky", false, 0, 0, 1, 1, {0, 1, 1}},
      {"add, bit 116 alone is sticky", false, 0, 1, 0, 0, {0, 0, 1}},
      {"sub, low all ones: increment reaches bit 53", true, 1, Mask(63), 0, 0, {1, 0, 0}},
      {"sub, low all ones, x=1, INJ 10", true, 1, Mask(63), 1, 0, {1, 1, 0}},
      {"sub, low all ones, x=0, INJ 11", true, 0, Mask(63), 1, 1, {1, 0, 1}},
      {"sub, one zero bit: sticky", true, 0, Mask(63) - 1, 0, 0, {0, 0, 1}},
      {"sub, low all zeros: sticky", true, 1, 0, 1, 1, {1, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Adder adder;
    const Outcome run = Calculate(adder, c.subtract, c.x, c.low, c.i0, c.i1);
    EXPECT_EQ(run.got.c52, c.want.c52);
    EXPECT_EQ(run.got.r, c.want.r);
    EXPECT_EQ(run.got.s, c.want.s);
    const Expected check = Arithmetic(c.subtract, c.x, c.low, c.i0, c.i1);
    EXPECT_EQ(check.c52 * 4 + check.r * 2 + check.s, c.want.c52 * 4 + c.want.r * 2 + c.want.s);
  }
}

TEST(R2Sigadd, BitFiftyThreeComesFromTheBigMuxNotTheShownCopy) {
  Adder adder;
  Calculate(adder, false, 0, 0, 0, 0);
  adder.r2Sigadd.FSOPA53[0] = "1";  // an edit of the shown copy
  adder.r1BigMux.FSOPA[54] = "0";
  adder.r2Sigadd.Calculate();
  EXPECT_EQ(adder.r2Sigadd.C52RS.Text(), "000");
  adder.r2Sigadd.FSOPA53[0] = "0";
  adder.r1BigMux.FSOPA[54] = "1";
  adder.r2Sigadd.Calculate();
  EXPECT_EQ(adder.r2Sigadd.C52RS.Text(), "010");
}

TEST(R2Sigadd, OrOutComparesTexts) {
  Adder adder;
  R2Sigadd& stage = adder.r2Sigadd;
  WriteBits(stage.FSOPA, 0, 63, Mask(63));
  stage.seff[0] = "1";
  stage.Calculate();
  EXPECT_EQ(stage.OrOut[0], "0");
  stage.FSOPA[40] = "0";
  stage.Calculate();
  EXPECT_EQ(stage.OrOut[0], "1");
}

TEST(R2Sigadd, HalfAdderFunctions) {
  for (int v = 0; v < 16; ++v) {
    const int a = v & 1, b = (v >> 1) & 1, c = (v >> 2) & 1, z = (v >> 3) & 1;
    const int ones = a + b + c + z;
    EXPECT_EQ(R2Sigadd::HAsum(a, b, c, z), ones % 2);
    EXPECT_EQ(R2Sigadd::HAcarry(a, b, c, z), ones >= 2 ? 1 : 0);
  }
}

// Pull copies the low bits and bit 53 from the big mux and seff from the
// complement stage, and sets the injection for the current rounding mode
// before it copies it.
TEST(R2Sigadd, PullSetsInjectionBeforeCopyingIt) {
  struct Mode {
    int option;
    bool negative;
    const char* inj;
  };
  const Mode modes[] = {
      {1, false, "11"}, {1, true, "00"}, {2, false, "00"}, {2, true, "11"},
      {3, false, "00"}, {3, true, "00"}, {4, false, "10"}, {4, true, "10"},
  };
  for (const Mode& m : modes) {
    SCOPED_TRACE(::testing::Message() << "option " << m.option << " negative " << m.negative);
    Adder adder;
    adder.input.SelectOption(m.option);
    adder.input.SetSign(Operand::A, m.negative ? "1" : "0");
    adder.input.INJ[0] = m.inj[0] == '1' ? "0" : "1";  // stale values
    adder.input.INJ[1] = m.inj[1] == '1' ? "0" : "1";
    adder.r2Sigadd.Pull();
    EXPECT_EQ(adder.r2Sigadd.INJ.Text(), m.inj);
    EXPECT_EQ(adder.results.Sa[0], m.negative ? "1" : "0");
  }

  Adder adder;
  std::mt19937_64 rng(3);
  std::string wide;
  for (int p = 0; p < 118; ++p) wide += (rng() & 1) ? '1' : '0';
  adder.r1BigMux.FSOPA.SetText(wide);
  adder.r11Comp.seff[0] = "1";
  adder.r2Sigadd.Pull();
  EXPECT_EQ(adder.r2Sigadd.FSOPA.Text(), wide.substr(55));
  EXPECT_EQ(adder.r2Sigadd.FSOPA53[0].text(), wide.substr(54, 1));
  EXPECT_EQ(adder.r2Sigadd.seff[0], "1");
}

}  // namespace
}  // namespace sumaris
