// Post-normalisation of both candidate sums by their own overflow bit, and
// the final selection of F.FAR[0:52] by RINC.

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "rpath2/r2_bits.h"
#include "session/adder.h"
#include "session/session.h"

namespace sumaris {
namespace {

using r2test::BitText;
using r2test::Mask;
using r2test::Read64;
using r2test::WriteBits;

// The 52 kept bits (0..51) of a 53-bit candidate (bits -1..51).
std::uint64_t Normalised(std::uint64_t candidate) {
  const bool overflow = (candidate >> 52) != 0;
  return overflow ? candidate >> 1 : candidate & Mask(52);
}

TEST(R2PostAndSelect, BothOverflowBitsAndBothDecisions) {
  std::mt19937_64 rng(0x5E1);
  for (int n = 0; n < 200; ++n) {
    for (int ovf = 0; ovf <= 1; ++ovf) {
      for (int ovfI = 0; ovfI <= 1; ++ovfI) {
        for (int rinc = 0; rinc <= 1; ++rinc) {
          Adder adder;
          const std::uint64_t plain = (rng() & Mask(52)) | (std::uint64_t(ovf) << 52);
          const std::uint64_t inc = (rng() & Mask(52)) | (std::uint64_t(ovfI) << 52);
          WriteBits(adder.r2Compound.FPOSUM, 0, 53, plain);
          WriteBits(adder.r2Compound.FPOSUMI, 0, 53, inc);
          const int lsbInc = static_cast<int>(rng() & 1);
          const int lsbNinc = static_cast<int>(rng() & 1);
          adder.r2Decide.RINC[0] = BitText(rinc);
          adder.r2Decide.LSBincO[0] = BitText(lsbInc);
          adder.r2Decide.LSBnincO[0] = BitText(lsbNinc);

          adder.r2Post.Pull();
          adder.r2Post.Calculate();
          EXPECT_EQ(Read64(adder.r2Post.FPOSUM_s, 0, 52), Normalised(plain));
          EXPECT_EQ(Read64(adder.r2Post.FPOSUMI_s, 0, 52), Normalised(inc));
          if (ovf == 1) {
            EXPECT_EQ(adder.r2Post.FPOSUM_s[0], "1");
          }

          adder.r2Select1.Pull();
          adder.r2Select1.Calculate();
          adder.r2Select2.Pull();
          adder.r2Select2.Calculate();
          EXPECT_EQ(Read64(adder.r2Select1.FFAR, 0, 52), Normalised(rinc == 1 ? inc : plain));
          EXPECT_EQ(adder.r2Select2.FFAR52[0], BitText(rinc == 1 ? lsbInc : lsbNinc));
          EXPECT_EQ(adder.r2Select1.RINC[0], BitText(rinc));
          EXPECT_EQ(adder.r2Select2.RINC[0], BitText(rinc));
        }
      }
    }
  }
}

TEST(R2PostAndSelect, SelectCopiesTextsAsTheyStand) {
  Adder adder;
  adder.r2Select1.FPOSUM_s.SetText(std::string(52, '0'));
  adder.r2Select1.FPOSUMI_s.SetText(std::string(52, '1'));
  adder.r2Select1.RINC[0] = "1";
  adder.r2Select1.Calculate();
  EXPECT_EQ(adder.r2Select1.FFAR.Text(), std::string(52, '1'));
  adder.r2Select1.RINC[0] = "0";
  adder.r2Select1.Calculate();
  EXPECT_EQ(adder.r2Select1.FFAR.Text(), std::string(52, '0'));
}

void SetDouble(OperandEntry& in, Operand op, double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  std::array<unsigned char, 8> bytes{};
  for (int i = 0; i < 8; ++i) bytes[static_cast<std::size_t>(i)] = (bits >> (8 * i)) & 0xFF;
  BytesToBoxes(bytes, in, op);
}

// An edited RINC in the first selection changes F.FAR[0:51] only: the second
// selection keeps its own copy of the decision.
TEST(R2PostAndSelect, EditedRincInFirstSelectionChangesFfarOnly) {
  Adder adder;
  Session session(adder);
  session.FillStepTable();
  SetDouble(adder.input, Operand::A, 1.0);
  SetDouble(adder.input, Operand::B, 0x1.8p-10);
  session.Run();
  R2Select1& s1 = adder.r2Select1;
  R2Select2& s2 = adder.r2Select2;
  const std::string plain = adder.r2Post.FPOSUM_s.Text();
  const std::string inc = adder.r2Post.FPOSUMI_s.Text();
  ASSERT_NE(plain, inc);
  const std::string rinc = s1.RINC.Text();
  ASSERT_EQ(s1.FFAR.Text(), rinc == "1" ? inc : plain);
  const std::string ffar52 = s2.FFAR52.Text();
  const std::string lsbInc = s2.LSBINC.Text();
  const std::string lsbNinc = s2.LSBNINC.Text();

  const std::string edited = rinc == "1" ? "0" : "1";
  s1.RINC[0] = edited;
  session.SetInconsistent(true);
  session.RecomputeFrom(s1.slot());
  EXPECT_EQ(s1.RINC.Text(), edited);
  EXPECT_EQ(s1.FFAR.Text(), edited == "1" ? inc : plain);
  EXPECT_EQ(s2.RINC.Text(), rinc);
  EXPECT_EQ(s2.FFAR52.Text(), ffar52);
  EXPECT_EQ(s2.LSBINC.Text(), lsbInc);
  EXPECT_EQ(s2.LSBNINC.Text(), lsbNinc);
  EXPECT_EQ(adder.r2Decide.RINC.Text(), rinc);
}

}  // namespace
}  // namespace sumaris
