// The path decision and the Results window: the path chosen and the final
// exponent over both paths (wrapped to 11 bits, never clamped), the result
// assembled from the chosen path, its read-outs, and the pad file lines.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

#include "support/adder_driver.h"
#include "support/bits.h"
#include "support/files.h"

namespace sumaris::test {
namespace {

TEST(PathDecision, PathAndFinalExponentOverEveryControlBitAndExtremeExponents) {
  Adder adder;
  PathDecision& pd = adder.pathDecision;
  const int exponents[][2] = {{1000, 7}, {0, 63}, {2047, 0}, {10, 54}, {1023, 55}, {1, 1}};
  for (const auto& [e, lzp] : exponents) {
    for (int v = 0; v < 128; ++v) {
      const auto in = [v](int k) { return (v >> k) & 1; };
      const int seff = in(0), isr1 = in(1), isr2 = in(2), rinc = in(3), ovf = in(4), ovfI = in(5),
                norm = in(6);
      Wire* const controls[] = {&pd.seff,   &pd.isr1,    &pd.isr2,      &pd.RINC,
                                &pd.FPOSUM, &pd.FPOSUMI, &pd.norm_FPSUM};
      for (int k = 0; k < 7; ++k)
        SetValue(*controls[k], in(k));
      SetValue(pd.E, static_cast<unsigned>(e));
      SetValue(pd.LZP, static_cast<unsigned>(lzp));
      pd.Calculate();
      // The R path for every effective addition and whenever either path
      // says so; its exponent grows by the chosen candidate's overflow bit.
      const bool rPath = seff == 0 || isr1 == 1 || isr2 == 1;
      const int addr = rinc ? ovfI : ovf;
      const int exponent = rPath ? e + addr - seff : e - lzp - 1 + norm;
      SCOPED_TRACE(::testing::Message() << "E " << e << ", LZP " << lzp << ", inputs " << v);
      EXPECT_EQ(Bit(pd.IS_R), rPath ? 1 : 0);
      EXPECT_EQ(Bit(pd.IS_R1), rPath ? 1 : 0);
      EXPECT_EQ(Value(pd.ADDR), static_cast<std::uint64_t>(addr));
      EXPECT_EQ(Value(pd.E_final), static_cast<std::uint64_t>((exponent + 2048) % 2048));
    }
  }
}

// The result's 64 bits written into the Results rows, hidden bit 1.
void SetResult(Results& r, std::uint64_t bits) {
  r.Sa[0] = Digit(bits >> 63);
  SetValue(r.Ea, static_cast<unsigned>(Field(bits)));
  SetValue(r.Fa, Fraction(bits) | (std::uint64_t{1} << 52));
}

std::string Upper(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

TEST(Results, ReadOutsForTheExponentFields) {
  Adder adder;
  Results& r = adder.results;
  for (const int field : {0, 1, 1023, 1024, 2046, 2047}) {
    for (const std::uint64_t bits : {Pack(false, field, 0), Pack(true, field, 0x8000000000001)}) {
      SetResult(r, bits);
      r.SetValue();
      r.TempLablels();
      SCOPED_TRACE(Hex(bits));
      EXPECT_EQ(r.Readout("Label4"), std::to_string(field - 1023));
      EXPECT_EQ(r.Readout(Results::kHexValue), "0x" + Upper(Hex(bits)));
      if (field == 2047) {
        EXPECT_EQ(r.Readout("Label1"), "Cannot display result - too big");
        continue;
      }
      // 1.f * 2^(field - 1023), and at field 0 the significand times 2^-1022.
      const double f = 1 + std::ldexp(static_cast<double>(Fraction(bits)), -52);
      const double want = std::ldexp(Negative(bits) ? -f : f, field == 0 ? -1022 : field - 1023);
      // The exact value, in the shortest text that reads back to it.
      const std::string text = r.Readout("Label1");
      EXPECT_EQ(std::strtod(text.c_str(), nullptr), want) << text;
      if (text.find('.') != std::string::npos && text.size() > 3) {
        std::string shorter = text;
        const std::size_t e = shorter.find('E');
        shorter.erase(e == std::string::npos ? shorter.size() - 1 : e - 1, 1);
        EXPECT_NE(std::strtod(shorter.c_str(), nullptr), want) << shorter;
      }
    }
  }
}

// Bits 0..51 from F.FAR and bit 52 from F.FAR[52] on the R path, all 53
// from F_NEAR on the N path, the exponent from E_final, texts as they stand.
TEST(Results, PullTakesTheSignificandOfTheChosenPath) {
  Adder adder;
  Tag(adder.r2Select1.FFAR, "r");
  adder.r2Select2.FFAR52[0] = "r52";
  Tag(adder.nPost.F_NEAR, "n");
  Tag(adder.pathDecision.E_final, "e");
  for (const bool rPath : {true, false}) {
    adder.pathDecision.IS_R[0] = rPath ? "1" : "0";
    adder.results.Pull();
    for (int p = 0; p <= 52; ++p)
      EXPECT_EQ(adder.results.Fa[p].str(), std::string(rPath ? "r" : "n") + std::to_string(p));
    EXPECT_EQ(adder.results.Ea.Text(), adder.pathDecision.E_final.Text());
    EXPECT_EQ(adder.results.Readout("Label5"), rPath ? "R path" : "N path");
  }
}

TEST(Results, PadLinesAreAppendedAndAnUnwritablePadChangesNothing) {
  AdderDriver driver;
  Results& r = driver.adder().results;
  SetResult(r, Pack(false, 1024, 0));
  EXPECT_EQ(r.PadLine(), "@1" + std::string(62, '@'));
  const std::uint64_t pi = 0xC00921FB54442D18;
  TempFolder folder;
  WriteText(folder / "pad.txt", "an earlier line\n");
  ASSERT_TRUE(r.AppendToPad(folder / "pad.txt"));
  SetResult(r, pi);
  ASSERT_TRUE(r.AppendToPad(folder / "pad.txt"));
  std::string piLine = BitString(pi, '1');
  for (char& c : piLine)
    c = c == '0' ? '@' : c;
  EXPECT_EQ(ReadText(folder / "pad.txt"),
            "an earlier line\n@1" + std::string(62, '@') + "\n" + piLine + "\n");

  driver.Run(Bits(-2.5), Bits(0.75), false, Rounding::NearestEven);
  const std::string before = r.Sa.Text() + r.Ea.Text() + r.Fa.Text() + r.Readout("Label1");
  EXPECT_FALSE(r.AppendToPad(folder / "no such folder" / "pad.txt"));
  EXPECT_FALSE(r.AppendToPad(folder.path()));  // a folder, not a file
  EXPECT_EQ(r.Sa.Text() + r.Ea.Text() + r.Fa.Text() + r.Readout("Label1"), before);
  EXPECT_EQ(Value(r.Ea), 1023u);  // -2.5 + 0.75 = -1.75 = -1.11b * 2^0
}

// The encoding of the result cells, against the driver's own reading, for
// results of every kind, and with a cell that holds no bit.
TEST(Results, EncodingIsTheSixtyFourResultBits) {
  AdderDriver driver;
  const std::uint64_t pairs[][2] = {{Bits(1.5), Bits(0.25)},
                                    {Bits(-3.0), Bits(2.75)},
                                    {0x7FEFFFFFFFFFFFFF, 0x7FEFFFFFFFFFFFFF},
                                    {1, 3}};
  for (const auto& p : pairs) {
    driver.Run(p[0], p[1], true);
    EXPECT_EQ(Hex(driver.adder().results.Encoding()), Hex(driver.Result()));
  }
  Results& r = driver.adder().results;
  r.Fa[52] = "2";  // an edited cell that is no one bit
  EXPECT_EQ(r.Encoding() & 1, 0u);
  r.Fa[52] = "1";
  EXPECT_EQ(r.Encoding() & 1, 1u);
}

}  // namespace
}  // namespace sumaris::test
