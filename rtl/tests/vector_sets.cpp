#include "vector_sets.h"

#include <array>
#include <fstream>

#include "batch/headless_adder.h"
#include "batch/vector_generator.h"
#include "core/errors.h"

namespace sumaris::rtl {
namespace {

constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kSign = std::uint64_t{1} << 63;

int Exponent(std::uint64_t x) {
  return static_cast<int>((x >> 52) & 0x7FF);
}
std::uint64_t Fraction(std::uint64_t x) {
  return x & kFractionMask;
}

int Distance(std::uint64_t a, std::uint64_t b) {
  const int d = Exponent(a) - Exponent(b);
  return d < 0 ? -d : d;
}

std::vector<Region> MakeRegions() {
  std::vector<Region> regions;
  // The alignment shifter's edges: distances 53 to 65 one by one.
  for (int d = 53; d <= 65; ++d) {
    regions.push_back(
        {"shift " + std::to_string(d),
         [d](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) { PlaceApart(rng, d, a, b); },
         [d](std::uint64_t a, std::uint64_t b) { return Distance(a, b) == d; }});
  }
  regions.push_back({"shift beyond 65",
                     [](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) {
                       PlaceApart(rng, rng.Between(66, 2045), a, b);
                     },
                     [](std::uint64_t a, std::uint64_t b) { return Distance(a, b) > 65; }});
  regions.push_back(
      {"equal exponents",
       [](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) { PlaceApart(rng, 0, a, b); },
       [](std::uint64_t a, std::uint64_t b) { return Distance(a, b) == 0; }});
  regions.push_back({"near exponents",
                     [](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) {
                       PlaceApart(rng, rng.Between(1, 3), a, b);
                     },
                     [](std::uint64_t a, std::uint64_t b) {
                       return Distance(a, b) >= 1 && Distance(a, b) <= 3;
                     }});
  regions.push_back({"massive cancellation",
                     [](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) {
                       // Equal signs and close magnitudes: a shared top, a few
                       // differing low bits, exponents equal or one apart.
                       const int e = rng.Between(2, 2046);
                       const std::uint64_t low = (std::uint64_t{1} << rng.Between(1, 52)) - 1;
                       const std::uint64_t sign = rng.Next() & 1;
                       if (rng.Below(2) == 0) {
                         const std::uint64_t top = rng.Next() & ~low;
                         a = Binary64(sign, e, top | (rng.Next() & low));
                         b = Binary64(sign, e, top | (rng.Next() & low));
                       } else {
                         a = Binary64(sign, e, rng.Next() & low);
                         b = Binary64(sign, e - 1, (kFractionMask & ~low) | (rng.Next() & low));
                       }
                       if (rng.Below(2) == 1) std::swap(a, b);
                     },
                     [](std::uint64_t a, std::uint64_t b) {
                       return Distance(a, b) <= 1 && ((a ^ b) & kSign) == 0;
                     }});
  regions.push_back(
      {"exact cancellation",
       [](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) {
         a = Binary64(rng.Next(), rng.Between(0, 2046), StructuredFraction(rng));
         b = rng.Below(2) == 0 ? a : a ^ kSign;  // x - x or x + -x
       },
       [](std::uint64_t a, std::uint64_t b) { return (a & ~kSign) == (b & ~kSign); }});
  regions.push_back(
      {"ties and sticky",
       [](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) {
         // B near half an ulp of A: exactly half, a quarter,
         // a whole ulp, with or without bits below.
         const int ea = rng.Between(60, 2046);
         const int eb = ea - 53 + rng.Between(-2, 1);
         const std::uint64_t below[] = {0, 1, kFractionMask, std::uint64_t{1} << 51, rng.Next()};
         a = Binary64(rng.Next(), ea, StructuredFraction(rng));
         b = Binary64(rng.Next(), eb, below[rng.Below(5)]);
         if (rng.Below(2) == 1) std::swap(a, b);
       },
       [](std::uint64_t a, std::uint64_t b) {
         return Distance(a, b) >= 52 && Distance(a, b) <= 55;
       }});
  regions.push_back(
      {"zeros",
       [](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) {
         a = Binary64(rng.Next(), 0, 0);
         b = rng.Below(2) == 0
                 ? Binary64(rng.Next(), 0, 0)
                 : Binary64(rng.Next(), rng.Between(0, 2046), StructuredFraction(rng));
         if (rng.Below(2) == 1) std::swap(a, b);
       },
       [](std::uint64_t a, std::uint64_t b) { return (a & ~kSign) == 0 || (b & ~kSign) == 0; }});
  regions.push_back({"subnormals",
                     [](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) {
                       a = Binary64(rng.Next(), 0, rng.Next() | 1);
                       b = Binary64(rng.Next(), rng.Between(0, 3), StructuredFraction(rng));
                       if (rng.Below(2) == 1) std::swap(a, b);
                     },
                     [](std::uint64_t a, std::uint64_t b) {
                       return (Exponent(a) == 0 && Fraction(a) != 0) ||
                              (Exponent(b) == 0 && Fraction(b) != 0);
                     }});
  regions.push_back({"huge exponents",
                     [](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) {
                       a = Binary64(rng.Next(), rng.Between(2040, 2046), StructuredFraction(rng));
                       b = Binary64(rng.Next(), rng.Between(2040, 2046), StructuredFraction(rng));
                     },
                     [](std::uint64_t a, std::uint64_t b) {
                       return Exponent(a) >= 2040 && Exponent(b) >= 2040 && Exponent(a) < 2047 &&
                              Exponent(b) < 2047;
                     }});
  regions.push_back(
      {"infinities and NaNs",
       [](SplitMix64& rng, std::uint64_t& a, std::uint64_t& b) {
         // Exponent all ones: fraction 0 an infinity, else a NaN.
         a = Binary64(rng.Next(), 2047, rng.Below(2) == 0 ? 0 : StructuredFraction(rng) | 1);
         b = rng.Below(2) == 0
                 ? Binary64(rng.Next(), 2047, rng.Below(2) == 0 ? 0 : rng.Next())
                 : Binary64(rng.Next(), rng.Between(0, 2046), StructuredFraction(rng));
         if (rng.Below(2) == 1) std::swap(a, b);
       },
       [](std::uint64_t a, std::uint64_t b) {
         return Exponent(a) == 2047 || Exponent(b) == 2047;
       }});
  return regions;
}

}  // namespace

std::uint64_t FieldBits(std::string_view text) {
  std::uint64_t bits = 0;
  for (const char c : text)
    bits = (bits << 1) | (c == '1' || c == '|' ? 1 : 0);
  return bits;
}

std::vector<AdderVector> ReadVectorFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  VectorReader reader(in);
  std::vector<AdderVector> vectors;
  char mode = 'N';
  long long line = 0;
  VectorReader::Field op, letter, a, b, c;
  while (!reader.Exhausted()) {
    ++line;
    for (VectorReader::Field* field : {&op, &letter, &a, &b, &c})
      reader.ReadField(*field);
    if (RoundingForLetter(letter.text)) mode = letter.text[0];
    if (a.text.size() != 64 || b.text.size() != 64 || c.text.size() != 64) continue;
    AdderVector v;
    v.a = FieldBits(a.text);
    v.b = FieldBits(b.text);
    v.subtract = IsSubtraction(op.text);
    v.mode = mode;
    v.origin = path.substr(path.find_last_of('/') + 1) + " line " + std::to_string(line);
    v.hasExpected = true;
    v.expected = FieldBits(c.text);
    vectors.push_back(std::move(v));
  }
  return vectors;
}

std::vector<AdderVector> GeneratedVectors(int count, std::uint64_t seed) {
  SplitMix64 rng(seed);
  std::vector<AdderVector> vectors;
  vectors.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const GeneratedVector g = GenerateVector(rng);
    AdderVector v;
    v.a = g.a;
    v.b = g.b;
    v.subtract = g.subtract;
    v.mode = g.mode;
    v.origin =
        "generated #" + std::to_string(i) + " (" + std::string(VectorClassName(g.kind)) + ")";
    vectors.push_back(std::move(v));
  }
  return vectors;
}

const std::vector<Region>& Regions() {
  static const std::vector<Region> regions = MakeRegions();
  return regions;
}

std::vector<AdderVector> RegionVectors(const Region& region, int perCase, std::uint64_t seed) {
  SplitMix64 rng(seed);
  std::vector<AdderVector> vectors;
  for (const char mode : {'N', 'U', 'D', 'Z'}) {
    for (const bool subtract : {false, true}) {
      for (int i = 0; i < perCase; ++i) {
        AdderVector v;
        region.draw(rng, v.a, v.b);
        v.subtract = subtract;
        v.mode = mode;
        v.origin = region.name + " #" + std::to_string(vectors.size());
        vectors.push_back(std::move(v));
      }
    }
  }
  return vectors;
}

std::string Describe(const AdderVector& v) {
  static const char* const kDigits = "0123456789abcdef";
  auto hex = [](std::uint64_t x) {
    std::string s(16, '0');
    for (int i = 15; i >= 0; --i, x >>= 4)
      s[static_cast<std::size_t>(i)] = kDigits[x & 15];
    return s;
  };
  return v.origin + ": " + (v.subtract ? "sub " : "add ") + v.mode + " " + hex(v.a) + " " +
         hex(v.b);
}

CellAdder::CellAdder() : headless_(std::make_unique<HeadlessAdder>()) {}
CellAdder::~CellAdder() = default;

TestVector CellAdder::ToTestVector(const AdderVector& v) {
  TestVector t;
  t.op = v.subtract ? "1" : "0";
  t.mode = std::string(1, v.mode);
  t.a = BitText(v.a);
  t.b = BitText(v.b);
  t.c = BitText(v.expected);
  return t;
}

std::uint64_t CellAdder::Add(const TestVector& v) {
  headless_->runner.RunNext(v);
  return FieldBits(headless_->runner.ResultBits());
}

std::uint64_t CellAdder::Add(const AdderVector& v) {
  return Add(ToTestVector(v));
}

const Adder& CellAdder::adder() const {
  return headless_->adder;
}

}  // namespace sumaris::rtl
