// The N path's normalisation: left shift by LZP, then one position back
// when the leading one reached bit -1; IS_R2 is bit -1 of the magnitude.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "npath/npath_test_util.h"

namespace sumaris {
namespace {

using namespace npath_test;

struct Expected {
  u64 norm;
  int sel;
  u64 fNear;
};

// abs_FPSUM is 54 bits (bits -1 .. 52); shifting left by s drops what
// passes bit -1 and brings zeros in at bit 52.
Expected Shifted(u64 abs, int s) {
  const u64 norm = s >= 54 ? 0 : (abs << s) & Mask(54);
  const int sel = static_cast<int>(norm >> 53);
  // With the leading one at bit -1 the result is taken one position
  // further right, dropping bit 52; otherwise bit -1 (a zero) is dropped.
  const u64 fNear = sel ? norm >> 1 : norm & Mask(53);
  return {norm, sel, fNear};
}

u64 ValueOfText(const std::string& text) {
  u64 value = 0;
  for (char c : text) value = (value << 1) | (c == '1' ? 1 : 0);
  return value;
}

void RunPost(NPost& post, u64 abs, int s) {
  SetValue(post.abs_FPSUM, abs);
  SetValue(post.LZP, static_cast<u64>(s));
  post.Calculate();
}

TEST(NPost, EveryShiftAmountOverRandomMagnitudes) {
  Adder adder;
  std::mt19937_64 rng(41);
  for (int s = 0; s <= 63; ++s) {
    for (int i = 0; i < 20; ++i) {
      const u64 abs = (rng() & Mask(54)) >> (rng() % 54);
      RunPost(adder.nPost, abs, s);
      const Expected e = Shifted(abs, s);
      ASSERT_EQ(ValueOf(adder.nPost.norm_FPSUM), e.norm) << "shift " << s;
      ASSERT_EQ(adder.nPost.sel[0].str(), std::to_string(e.sel)) << "shift " << s;
      ASSERT_EQ(ValueOf(adder.nPost.F_NEAR), e.fNear) << "shift " << s;
    }
  }
}

TEST(NPost, NamedShiftCases) {
  struct Case {
    const char* what;
    u64 abs;
    int lzp;
    std::string norm;
    const char* sel;
    std::string fNear;
  };
  const std::string a = "1" + std::string(26, '0') + std::string(26, '1') + "0";  // 54 cells
  const Case cases[] = {
      // Leading one at bit -1, no shift: F_NEAR = abs_FPSUM[-1:51].
      {"lzp 0, bit -1 set", ValueOfText(a), 0, a, "1", a.substr(0, 53)},
      // Prediction one short: the leading one lands on bit 0.
      {"one short", u64{0b1011} << 40, 9, "0" + std::string("1011") + std::string(49, '0'), "0",
       "1011" + std::string(49, '0')},
      // 53: only cell 0 receives bit 52.
      {"lzp 53", Mask(54), 53, "1" + std::string(53, '0'), "1", "1" + std::string(52, '0')},
      // 54 and 55: everything shifted out.
      {"lzp 54", Mask(54), 54, std::string(54, '0'), "0", std::string(53, '0')},
      {"lzp 55", Mask(54), 55, std::string(54, '0'), "0", std::string(53, '0')},
      {"zero difference", 0, 54, std::string(54, '0'), "0", std::string(53, '0')},
  };
  Adder adder;
  for (const Case& c : cases) {
    RunPost(adder.nPost, c.abs, c.lzp);
    EXPECT_EQ(adder.nPost.norm_FPSUM.Text(), c.norm) << c.what;
    EXPECT_EQ(adder.nPost.sel[0].str(), c.sel) << c.what;
    EXPECT_EQ(adder.nPost.F_NEAR.Text(), c.fNear) << c.what;
  }
}

TEST(NPost, ShiftCopiesCellTextsUnchanged) {
  Adder adder;
  NPost& post = adder.nPost;
  SetValue(post.abs_FPSUM, 0);
  post.abs_FPSUM[5] = "x";
  SetValue(post.LZP, 3);
  post.Calculate();
  EXPECT_EQ(post.norm_FPSUM[2].str(), "x");
  EXPECT_EQ(post.F_NEAR[1].str(), "x");
}

TEST(NPost, IsR2IsBitMinusOneOfTheFreshlyPulledMagnitude) {
  Adder adder;
  std::mt19937_64 rng(42);
  for (int i = 0; i < 64; ++i) {
    const u64 abs = rng() & Mask(54);
    SetValue(adder.nSigadd.abs_FPSUM, abs);
    SetValue(adder.nApprox.LZP, rng() & 63);
    // Whatever this window held before, IS_R2 follows the new magnitude.
    SetValue(adder.nPost.abs_FPSUM, ~abs & Mask(54));
    adder.nPost.Pull();
    EXPECT_EQ(adder.nPost.IS_R2[0].str(), (abs >> 53) ? "1" : "0");
    EXPECT_EQ(adder.nPost.abs_FPSUM.Text(), adder.nSigadd.abs_FPSUM.Text());
    EXPECT_EQ(adder.nPost.LZP.Text(), adder.nApprox.LZP.Text());
    // Calculate leaves IS_R2 alone.
    adder.nPost.Calculate();
    EXPECT_EQ(adder.nPost.IS_R2[0].str(), (abs >> 53) ? "1" : "0");
  }
}

}  // namespace
}  // namespace sumaris
