// The path decision: IS_R from SEFF, IS_R1 and IS_R2; the R path's exponent
// increment ADDR; E_final = E + ADDR - SEFF on the R path and
// E - LZP - 1 + norm_FPSUM[-1] on the N path, wrapped to 11 bits.
#include <gtest/gtest.h>

#include <bitset>
#include <string>

#include "session/adder.h"
#include "session/session.h"
#include "wires/errors.h"

namespace sumaris {
namespace {

// The 11 low bits of v in two's complement, most significant first.
std::string Field11(int v) {
  return std::bitset<11>(static_cast<unsigned>(((v % 2048) + 2048) % 2048)).to_string();
}
std::string Bits6(int v) {
  return std::bitset<6>(static_cast<unsigned>(v)).to_string();
}

struct Inputs {
  int seff, isr1, isr2;
  int rinc, fposum, fposumi;
  int e, lzp, norm;
};

void Set(PathDecision& pd, const Inputs& in) {
  pd.seff[0].SetNumber(in.seff);
  pd.isr1[0].SetNumber(in.isr1);
  pd.isr2[0].SetNumber(in.isr2);
  pd.RINC[0].SetNumber(in.rinc);
  pd.FPOSUM[0].SetNumber(in.fposum);
  pd.FPOSUMI[0].SetNumber(in.fposumi);
  pd.E.SetText(Field11(in.e));
  pd.LZP.SetText(Bits6(in.lzp));
  pd.norm_FPSUM[0].SetNumber(in.norm);
}

TEST(PathDecision, ChoosesThePathAndComputesTheFinalExponent) {
  struct Case {
    const char* what;
    Inputs in;
    int isR;   // expected path: 1 R, 0 N
    int addr;  // expected ADDR bit 0
    int v;     // expected exponent before the wrap, worked out by hand
  } cases[] = {
      {"addition, no overflow", {0, 0, 0, 0, 0, 1, 1000, 7, 1}, 1, 0, 1000},
      {"addition, plain sum overflows", {0, 0, 0, 0, 1, 1, 1000, 7, 1}, 1, 1, 1001},
      {"addition, RINC takes the overflowing FPOSUMI", {0, 0, 0, 1, 0, 1, 1000, 0, 0}, 1, 1, 1001},
      {"addition, RINC takes FPOSUMI without overflow", {0, 0, 0, 1, 1, 0, 1000, 0, 0}, 1, 0, 1000},
      {"addition whatever IS_R1 and IS_R2 say", {0, 1, 1, 0, 0, 0, 5, 3, 0}, 1, 0, 5},
      {"subtraction, far apart, no overflow", {1, 1, 0, 0, 0, 0, 1000, 20, 1}, 1, 0, 999},
      {"subtraction, far apart, overflow", {1, 1, 0, 0, 1, 1, 1000, 20, 1}, 1, 1, 1000},
      {"subtraction the N path hands back", {1, 0, 1, 1, 0, 1, 1000, 0, 0}, 1, 1, 1000},
      {"N path", {1, 0, 0, 0, 1, 1, 1000, 5, 0}, 0, 1, 994},
      {"N path, prediction one short", {1, 0, 0, 0, 0, 0, 1000, 5, 1}, 0, 0, 995},
      {"N path, zero difference", {1, 0, 0, 0, 0, 0, 1023, 54, 0}, 0, 0, 968},
      {"N path, LZP 55", {1, 0, 0, 0, 0, 0, 1023, 55, 0}, 0, 0, 967},
      {"N path below exponent 0", {1, 0, 0, 0, 0, 0, 10, 54, 0}, 0, 0, -45},
      {"N path, largest LZP at E 0", {1, 0, 0, 0, 0, 0, 0, 63, 0}, 0, 0, -64},
      {"v = 2048: all zeros", {0, 0, 0, 0, 1, 0, 2047, 0, 0}, 1, 1, 2048},
      {"v = -1 on the N path: all ones", {1, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 0, -1},
      {"v = -1 on the R path: all ones", {1, 1, 0, 0, 0, 0, 0, 0, 0}, 1, 0, -1},
      {"largest field, no change", {0, 0, 0, 0, 0, 0, 2047, 0, 0}, 1, 0, 2047},
  };
  Adder adder;
  PathDecision& pd = adder.pathDecision;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Set(pd, c.in);
    pd.Calculate();
    EXPECT_EQ(pd.IS_R.Text(), std::to_string(c.isR));
    EXPECT_EQ(pd.IS_R1.Text(), std::to_string(c.isR));
    EXPECT_EQ(pd.ADDR.Text(), "00000" + std::to_string(c.addr));
    EXPECT_EQ(pd.ADD_F.Text(), c.isR == 1 ? pd.ADDR.Text() : Bits6(c.in.lzp));
    EXPECT_EQ(pd.E_final.Text(), Field11(c.v));
  }
  // The two wrap-arounds, spelled out.
  Set(pd, {0, 0, 0, 0, 1, 0, 2047, 0, 0});
  pd.Calculate();
  EXPECT_EQ(pd.E_final.Text(), "00000000000");
  Set(pd, {1, 0, 0, 0, 0, 0, 0, 0, 0});
  pd.Calculate();
  EXPECT_EQ(pd.E_final.Text(), "11111111111");
}

// Bits 5..1 of ADDR are never written: whatever they hold enters ADD_F and
// the exponent on the R path.
TEST(PathDecision, OnlyBitZeroOfAddrIsWritten) {
  Adder adder;
  PathDecision& pd = adder.pathDecision;
  pd.ADDR.SetText("100000");
  Set(pd, {0, 0, 0, 1, 0, 1, 100, 0, 0});
  pd.Calculate();
  EXPECT_EQ(pd.ADDR.Text(), "100001");
  EXPECT_EQ(pd.E_final.Text(), Field11(100 + 33));
}

// Pull copies each input from its source stage; E is the exponent of B
// when R1Large's SIGN_BIG is 1, of A otherwise.
TEST(PathDecision, PullsEachInputFromItsSource) {
  Adder adder;
  OperandEntry& in = adder.input;
  const std::string ea = "10000000011";  // 1027, bit 10 first
  const std::string eb = "01111111110";  // 1022
  for (int i = 0; i <= 10; ++i) {
    in.SetBox(BoxRow::Ea, i, std::string(1, ea[static_cast<std::size_t>(10 - i)]));
    in.SetBox(BoxRow::EB, i, std::string(1, eb[static_cast<std::size_t>(10 - i)]));
  }
  adder.nPost.norm_FPSUM[0] = "1";
  adder.r2Post.FPOSUM[0] = "1";
  adder.r2Post.FPOSUMI[0] = "0";
  adder.r2Select2.RINC[0] = "1";
  adder.r2Select1.RINC[0] = "0";  // not the one the path decision reads
  adder.nPost.LZP.SetText("101101");
  adder.r1IsR1.IS_R1[0] = "1";
  adder.nPost.IS_R2[0] = "0";
  adder.r11Comp.seff[0] = "1";
  adder.r1Align1.seff[0] = "0";  // not the one the path decision reads
  PathDecision& pd = adder.pathDecision;

  adder.r1Large.SIGN_BIG[0] = "1";
  pd.Pull();
  EXPECT_EQ(pd.E.Text(), eb);
  EXPECT_EQ(pd.SIGN_BIG.Text(), "1");
  EXPECT_EQ(pd.norm_FPSUM.Text(), "1");
  EXPECT_EQ(pd.FPOSUM.Text(), "1");
  EXPECT_EQ(pd.FPOSUMI.Text(), "0");
  EXPECT_EQ(pd.RINC.Text(), "1");
  EXPECT_EQ(pd.LZP.Text(), "101101");
  EXPECT_EQ(pd.isr1.Text(), "1");
  EXPECT_EQ(pd.isr2.Text(), "0");
  EXPECT_EQ(pd.seff.Text(), "1");

  adder.r1Large.SIGN_BIG[0] = "0";
  adder.r2Post.FPOSUM[0] = "0";
  adder.r2Post.FPOSUMI[0] = "1";
  adder.nPost.IS_R2[0] = "1";
  pd.Pull();
  EXPECT_EQ(pd.E.Text(), ea);
  EXPECT_EQ(pd.FPOSUM.Text(), "0");
  EXPECT_EQ(pd.FPOSUMI.Text(), "1");
  EXPECT_EQ(pd.isr2.Text(), "1");

  // SIGN_BIG edited in this stage changes nothing: E was pulled already,
  // and the next Pull reads R1Large's again.
  pd.SIGN_BIG[0] = "1";
  pd.Calculate();
  EXPECT_EQ(pd.E.Text(), ea);
  pd.Pull();
  EXPECT_EQ(pd.SIGN_BIG.Text(), "0");
  EXPECT_EQ(pd.E.Text(), ea);
}

// Through the whole adder: the chosen path and the final exponent of a few
// additions whose paths are known from the operands alone.
TEST(PathDecision, ThroughTheAdderTheExponentFollowsThePath) {
  Adder adder;
  Session session(adder);
  session.FillStepTable();
  auto run = [&](const char* a, const char* b, bool subtract) {
    adder.input.SetDecimal(Operand::A, a);
    adder.input.OperandChange(Operand::A);
    adder.input.SetDecimal(Operand::B, b);
    adder.input.OperandChange(Operand::B);
    adder.input.SelectOption(subtract ? 6 : 5);
    session.Run();
  };
  run("1.5", "1.5", false);  // 3 = 1.5 * 2^1: R path, overflow
  EXPECT_EQ(adder.pathDecision.IS_R.Text(), "1");
  EXPECT_EQ(adder.pathDecision.E_final.Text(), Field11(1024));
  run("1.5", "1.25", true);  // 0.25: N path, massive cancellation
  EXPECT_EQ(adder.pathDecision.IS_R.Text(), "0");
  EXPECT_EQ(adder.pathDecision.E_final.Text(), Field11(1021));
  run("8", "1", true);  // 7 = 1.75 * 2^2: R path, exponents 3 apart
  EXPECT_EQ(adder.pathDecision.IS_R.Text(), "1");
  EXPECT_EQ(adder.pathDecision.E_final.Text(), Field11(1025));
  run("2", "1.5", true);  // 0.5, exponents 1 apart: N path
  EXPECT_EQ(adder.pathDecision.IS_R.Text(), "0");
  EXPECT_EQ(adder.pathDecision.E_final.Text(), Field11(1022));
  run("4", "1", true);  // 3 = 1.5 * 2^1, exponents 2 apart: R path
  EXPECT_EQ(adder.pathDecision.IS_R.Text(), "1");
  EXPECT_EQ(adder.pathDecision.E_final.Text(), Field11(1024));
}

// A cell edited to a number too large for the exponent arithmetic stops
// the computation with an overflow, as an integer conversion does.
TEST(PathDecision, AnExponentBeyondSixteenBitsIsAnOverflow) {
  Adder adder;
  PathDecision& pd = adder.pathDecision;
  Set(pd, {0, 0, 0, 0, 0, 0, 0, 0, 0});
  pd.E[0] = "99";  // 99 * 1024
  EXPECT_THROW(pd.Calculate(), Overflow);
  pd.E[0] = "31";  // 31 * 1024 = 31744 still fits
  EXPECT_NO_THROW(pd.Calculate());
  EXPECT_EQ(pd.E_final.Text(), Field11(31744));
}

}  // namespace
}  // namespace sumaris
