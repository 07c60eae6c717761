// The result window's model: the significand from the chosen path, the
// exponent from the path decision, the three read-outs, and the line that a
// double click on the decimal value appends to the pad file.
#include <gtest/gtest.h>

#include <bitset>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "session/adder.h"
#include "session/session.h"
#include "wires/number_text.h"

namespace sumaris {
namespace {

std::string Field11(int v) {
  return std::bitset<11>(static_cast<unsigned>(v)).to_string();
}

// Sets the result rows directly: sign, exponent field, and the significand
// as "h.ffff..." (hidden bit, then fraction bits from weight 1/2 down;
// missing bits are 0).
void SetResult(Results& r, int sign, int field, const std::string& significand) {
  r.Sa[0].SetNumber(sign);
  r.Ea.SetText(Field11(field));
  std::string cells = significand.substr(0, 1) + significand.substr(2);
  cells.resize(53, '0');
  r.Fa.SetText(cells);
}

TEST(Results, ReadOutsFollowTheExponentField) {
  struct Case {
    int sign, field;
    std::string significand;
    double value;  // the decimal value shown, unless the field is 2047
    std::string ebias;
  } cases[] = {
      {0, 1023, "1.", 1.0, "0"},
      {1, 1023, "1.", -1.0, "0"},
      {0, 1024, "1.01", 2.5, "1"},
      {1, 1022, "1.1", -0.75, "-1"},
      {0, 0, "0.1", std::ldexp(1.0, -1023), "-1023"},  // field 0: 2^-1022 times the significand
      {0, 0, "1.", std::ldexp(1.0, -1022), "-1023"},   // a normalised significand at field 0
      {0, 1, "1.", std::ldexp(1.0, -1022), "-1022"},
      {1, 2046, "1.", -std::ldexp(1.0, 1023), "1023"},
      {0, 2047, "1.", 0, "1024"},
      {1, 2047, "1.1", 0, "1024"},
  };
  Adder adder;
  Results& r = adder.results;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "field " << c.field << ", " << c.significand);
    SetResult(r, c.sign, c.field, c.significand);
    r.SetValue();
    r.TempLablels();
    EXPECT_EQ(r.Readout("Label4"), c.ebias);
    if (c.field == 2047) {
      EXPECT_EQ(r.Readout("Label1"), "Cannot display result - too big");
      continue;
    }
    const std::optional<double> shown = ReadWholeNumber(r.Readout("Label1"));
    ASSERT_TRUE(shown.has_value()) << r.Readout("Label1");
    // The text carries 15 significant digits.
    EXPECT_NEAR(*shown / c.value, 1.0, 1e-14) << r.Readout("Label1");
    EXPECT_EQ(std::signbit(*shown), c.sign == 1);
  }
}

TEST(Results, CalcExponentAndCalcFraction) {
  Adder adder;
  Results& r = adder.results;
  SetResult(r, 0, 0, "0.");
  EXPECT_EQ(r.CalcExponent(), std::ldexp(1.0, -1022));
  SetResult(r, 0, 1100, "1.");
  EXPECT_EQ(r.CalcExponent(), std::ldexp(1.0, 77));
  SetResult(r, 0, 2047, "1.");
  EXPECT_EQ(r.CalcExponent(), -1);
  SetResult(r, 0, 5, "1." + std::string(51, '0') + "1");
  EXPECT_EQ(r.CalcFraction(), 1.0 + std::ldexp(1.0, -52));
  SetResult(r, 0, 5, "0.11");
  EXPECT_EQ(r.CalcFraction(), 0.75);
}

// The significand comes from the chosen path: bits 0..51 from F.FAR and
// bit 52 from F.FAR[52] on the R path, all 53 from F_NEAR on the N path;
// the exponent from E_final; texts are copied as they stand.
TEST(Results, PullTakesTheSignificandOfTheChosenPath) {
  Adder adder;
  std::string far(52, '0');
  std::string near(53, '0');
  for (int i = 0; i < 52; ++i)
    far[static_cast<std::size_t>(i)] = (i % 3 == 0) ? '1' : '0';
  for (int i = 0; i < 53; ++i)
    near[static_cast<std::size_t>(i)] = (i % 5 == 1) ? '1' : '0';
  near[52] = '1';
  adder.r2Select1.FFAR.SetText(far);
  adder.r2Select1.FFAR[7] = "2";
  adder.r2Select2.FFAR52[0] = "0";
  adder.nPost.F_NEAR.SetText(near);
  adder.pathDecision.E_final.SetText("10000000001");
  Results& r = adder.results;
  r.Sa[0] = "1";
  EXPECT_EQ(r.Readout("Label5"), "N Path ");  // before the first Pull

  adder.pathDecision.IS_R[0] = "1";
  r.Pull();
  std::string expectedFar = far + "0";
  expectedFar[7] = '2';
  EXPECT_EQ(r.Fa.Text(), expectedFar);
  EXPECT_EQ(r.Ea.Text(), "10000000001");
  EXPECT_EQ(r.Readout("Label5"), "R path");
  EXPECT_EQ(r.Sa.Text(), "1");  // the sign is not this stage's to write
  EXPECT_EQ(r.Readout("Label4"), "2");

  adder.pathDecision.IS_R[0] = "0";
  adder.pathDecision.E_final.SetText("01111111111");
  r.Pull();
  EXPECT_EQ(r.Fa.Text(), near);
  EXPECT_EQ(r.Ea.Text(), "01111111111");
  EXPECT_EQ(r.Readout("Label5"), "N path");
  EXPECT_EQ(r.Readout("Label4"), "0");

  // The IS_R1 copy and the other stages' wires play no part.
  adder.pathDecision.IS_R1[0] = "1";
  r.Pull();
  EXPECT_EQ(r.Readout("Label5"), "N path");
}

// A pad line: the sign, the 11 exponent cells from bit 10, the 52 fraction
// cells from bit 1; "1" for a cell reading exactly "1", "@" otherwise.
std::string PadLineOf(std::uint64_t bits) {
  std::string line;
  for (int k = 63; k >= 0; --k)
    line += ((bits >> k) & 1) ? '1' : '@';
  return line;
}

void SetBits(Results& r, std::uint64_t bits) {
  r.Sa[0].SetNumber(static_cast<int>(bits >> 63));
  r.Ea.SetText(std::bitset<11>((bits >> 52) & 0x7FF).to_string());
  r.Fa.SetText("1" + std::bitset<52>(bits & ((std::uint64_t{1} << 52) - 1)).to_string());
}

TEST(Results, PadLineSpellsTheResultBits) {
  Adder adder;
  Results& r = adder.results;
  // Sign 0, exponent field 1024, fraction 0.
  SetBits(r, std::uint64_t{1024} << 52);
  EXPECT_EQ(r.PadLine(), "@1" + std::string(62, '@'));
  for (std::uint64_t bits : {std::uint64_t{0}, ~std::uint64_t{0}, std::uint64_t{0xC00921FB54442D18},
                             std::uint64_t{0x8000000000000001}}) {
    SetBits(r, bits);
    EXPECT_EQ(r.PadLine(), PadLineOf(bits));
    EXPECT_EQ(r.PadLine().size(), 64u);
  }
  // The hidden bit is left out; only the exact text "1" is a one.
  SetBits(r, 0);
  r.Fa[0] = "1";
  r.Fa[52] = "2";
  r.Ea[10] = " 1";
  EXPECT_EQ(r.PadLine(), std::string(64, '@'));
  r.Sa[0] = "1";  // the sign goes by its numeric value
  EXPECT_EQ(r.PadLine(), "1" + std::string(63, '@'));
}

class PadFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("sumaris-pad-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  static std::vector<std::string> Lines(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }

  // Every cell of every stage, to show that nothing changed.
  static std::map<std::string, std::string> AllWires(Adder& adder) {
    std::map<std::string, std::string> all;
    for (int slot = 1; slot <= 25; ++slot) {
      const Stage* stage = adder.StageInSlot(slot);
      for (const Wire* w : stage->wires())
        all[stage->name() + "." + w->name()] = w->Text();
    }
    return all;
  }

  std::filesystem::path folder_;
};

TEST_F(PadFile, TwoDoubleClicksAppendTwoLinesAndKeepWhatWasThere) {
  Adder adder;
  Results& r = adder.results;
  const std::filesystem::path pad = folder_ / "pad.txt";
  ASSERT_TRUE(r.AppendToPad(pad));  // created when missing
  SetBits(r, 0xC00921FB54442D18);
  ASSERT_TRUE(r.AppendToPad(pad));
  EXPECT_EQ(Lines(pad), (std::vector<std::string>{PadLineOf(0), PadLineOf(0xC00921FB54442D18)}));

  std::ofstream(pad, std::ios::trunc) << "an earlier line\n";
  SetBits(r, std::uint64_t{1024} << 52);
  ASSERT_TRUE(r.AppendToPad(pad));
  ASSERT_TRUE(r.AppendToPad(pad));
  const std::string line = "@1" + std::string(62, '@');
  EXPECT_EQ(Lines(pad), (std::vector<std::string>{"an earlier line", line, line}));
}

TEST_F(PadFile, AnUnwritablePathFailsWithoutChangingAnyWire) {
  Adder adder;
  Session session(adder);
  session.FillStepTable();
  adder.input.SetDecimal(Operand::A, "-2.5");
  adder.input.OperandChange(Operand::A);
  session.Run();
  const auto before = AllWires(adder);
  const std::string label1 = adder.results.Readout("Label1");
  EXPECT_FALSE(adder.results.AppendToPad(folder_ / "no such folder" / "pad.txt"));
  EXPECT_FALSE(adder.results.AppendToPad(folder_));  // a folder, not a file
  EXPECT_EQ(AllWires(adder), before);
  EXPECT_EQ(adder.results.Readout("Label1"), label1);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "no such folder"));
}

}  // namespace
}  // namespace sumaris
