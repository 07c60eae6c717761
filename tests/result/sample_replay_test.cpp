// The 5,000 reference vectors of tests/data/sample.txt through the whole
// adder. Each line holds OP, the rounding mode letter, A, B and the expected
// result C, all bit fields as 64 characters (sign, exponent, fraction); "1"
// and "|" are one bits, anything else a zero bit. C is the specified adder's
// own result, so every line must match bit for bit, including the lines
// where it differs from IEEE 754.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "support/adder_driver.h"

namespace sumaris::test {
namespace {

struct Vector {
  int line;
  bool subtract;
  char mode;
  std::uint64_t a, b, c;
};

// The fields of one line, split at commas; surrounding double quotes and a
// trailing carriage return are dropped.
std::vector<std::string> Fields(std::string text) {
  if (!text.empty() && text.back() == '\r') text.pop_back();
  std::vector<std::string> fields(1);
  for (char ch : text) {
    if (ch == ',') {
      fields.emplace_back();
    } else if (ch != '"') {
      fields.back() += ch;
    }
  }
  return fields;
}

bool BitPattern(const std::string& field, std::uint64_t& bits) {
  if (field.size() != 64) return false;
  bits = 0;
  for (char ch : field)
    bits = (bits << 1) | ((ch == '1' || ch == '|') ? 1 : 0);
  return true;
}

std::vector<Vector> ReadSample() {
  std::ifstream in(std::string(SUMARIS_TEST_DATA) + "/sample.txt");
  std::vector<Vector> vectors;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    const std::vector<std::string> f = Fields(text);
    Vector v{line, f.size() > 0 && f[0] == "1", f.size() > 1 && !f[1].empty() ? f[1][0] : '?', 0, 0,
             0};
    if (f.size() != 5 || f[1].size() != 1 || !BitPattern(f[2], v.a) || !BitPattern(f[3], v.b) ||
        !BitPattern(f[4], v.c)) {
      ADD_FAILURE() << "sample.txt line " << line << " is not a vector: " << text;
      continue;
    }
    vectors.push_back(v);
  }
  return vectors;
}

int OptionOf(char letter) {
  for (const Rounding& r : kRoundings) {
    if (r.letter == letter) return r.option;
  }
  return 0;
}

TEST(SampleVectors, FieldsAreReadAsTheBatchFileDefinesThem) {
  std::uint64_t bits = 0;
  ASSERT_TRUE(BitPattern(std::string(63, '0') + "|", bits));
  EXPECT_EQ(bits, 1u);
  ASSERT_TRUE(BitPattern("1" + std::string(62, 'x') + "1", bits));
  EXPECT_EQ(bits, kSignBit | 1);
  EXPECT_FALSE(BitPattern(std::string(63, '1'), bits));
  const std::vector<std::string> f = Fields("1,\"N\",ab,cd,ef\r");
  ASSERT_EQ(f.size(), 5u);
  EXPECT_EQ(f[1], "N");
  EXPECT_EQ(f[4], "ef");
}

TEST(SampleVectors, EveryLineMatchesBitForBit) {
  const std::vector<Vector> vectors = ReadSample();
  ASSERT_EQ(vectors.size(), 5000u);
  AdderDriver driver;
  int failures = 0;
  int modes[4] = {};
  int subtractions = 0;
  for (const Vector& v : vectors) {
    const int option = OptionOf(v.mode);
    ASSERT_NE(option, 0) << "line " << v.line << ": mode " << v.mode;
    ++modes[option - 1];
    subtractions += v.subtract ? 1 : 0;
    const std::uint64_t got = driver.Run(v.a, v.b, v.subtract, option);
    if (got != v.c && ++failures <= 20) {
      ADD_FAILURE() << "line " << v.line << " (" << v.mode << (v.subtract ? ", sub" : ", add")
                    << "): " << Hex(v.a) << ", " << Hex(v.b) << " gave " << Hex(got)
                    << ", expected " << Hex(v.c);
    }
  }
  EXPECT_EQ(failures, 0);
  // The file exercises all four modes and both operations.
  for (int m : modes)
    EXPECT_GT(m, 500);
  EXPECT_GT(subtractions, 1000);
  EXPECT_LT(subtractions, 4000);
}

}  // namespace
}  // namespace sumaris::test
