#include "batch/vector_generator.h"

#include <array>
#include <ostream>

#include "adder/ieee754.h"
#include "batch/batch_runner.h"
#include "batch/testfloat_format.h"

namespace sumaris {
namespace {

constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;
constexpr int kMaxFinite = 2046;

const std::array<int, static_cast<std::size_t>(VectorClass::kCount)> kWeights = {
    10,  // Random
    10,  // EqualExponents
    12,  // NearExponents
    12,  // ShiftEdges
    8,   // FarApart
    12,  // Cancellation
    12,  // Ties
    10,  // Subnormals
    6,   // Zeros
    6,   // Huge
    2,   // Specials
};

VectorClass DrawClass(SplitMix64& rng) {
  int total = 0;
  for (int w : kWeights)
    total += w;
  int pick = static_cast<int>(rng.Below(static_cast<std::uint64_t>(total)));
  for (std::size_t i = 0; i < kWeights.size(); ++i) {
    if (pick < kWeights[i]) return static_cast<VectorClass>(i);
    pick -= kWeights[i];
  }
  return VectorClass::Random;
}

// An operand with its ones written as "|". A zero has no ones and would
// read as the number 0, so it is quoted.
void AppendOperand(std::string& line, std::uint64_t bits) {
  const bool quote = bits == 0;
  if (quote) line += '"';
  line += BitText(bits, '|');
  if (quote) line += '"';
}

}  // namespace

std::uint64_t Binary64(std::uint64_t sign, int exponent, std::uint64_t fraction) {
  return ((sign & 1) << 63) | (static_cast<std::uint64_t>(exponent & 0x7FF) << 52) |
         (fraction & kFractionMask);
}

void PlaceApart(SplitMix64& rng, int d, std::uint64_t& a, std::uint64_t& b) {
  const int high = rng.Between(d + 1 > kMaxFinite ? kMaxFinite : d + 1, kMaxFinite);
  const int low = high - d < 0 ? 0 : high - d;
  a = Binary64(rng.Below(2), high, StructuredFraction(rng));
  b = Binary64(rng.Below(2), low, StructuredFraction(rng));
  if (rng.Below(2) == 1) std::swap(a, b);
}

std::uint64_t StructuredFraction(SplitMix64& rng) {
  switch (rng.Below(8)) {
    case 0:
      return 0;
    case 1:
      return kFractionMask;
    case 2:
      return std::uint64_t{1} << rng.Below(52);
    case 3:
      return kFractionMask << rng.Below(52);  // ones on top
    case 4:
      return kFractionMask >> rng.Below(52);  // ones at the bottom
    default:
      return rng.Next() & kFractionMask;
  }
}

std::string_view VectorClassName(VectorClass c) {
  switch (c) {
    case VectorClass::Random:
      return "random";
    case VectorClass::EqualExponents:
      return "equal exponents";
    case VectorClass::NearExponents:
      return "near exponents";
    case VectorClass::ShiftEdges:
      return "shift edges";
    case VectorClass::FarApart:
      return "far apart";
    case VectorClass::Cancellation:
      return "cancellation";
    case VectorClass::Ties:
      return "ties";
    case VectorClass::Subnormals:
      return "subnormals";
    case VectorClass::Zeros:
      return "zeros";
    case VectorClass::Huge:
      return "huge";
    case VectorClass::Specials:
      return "specials";
    case VectorClass::kCount:
      break;
  }
  return "?";
}

std::uint64_t HostResult(std::uint64_t a, std::uint64_t b, bool subtract, char mode) {
  unsigned flags = 0;
  return HostResult(a, b, subtract, mode, flags);
}

std::uint64_t HostResult(std::uint64_t a, std::uint64_t b, bool subtract, char mode,
                         unsigned& flags) {
  const IeeeResult r =
      Ieee754AddSub(a, b, subtract ? Operation::Subtract : Operation::Add,
                    RoundingForLetter(std::string_view(&mode, 1)).value_or(Rounding::NearestEven));
  flags = r.flags;
  return r.bits;
}

GeneratedVector GenerateVector(SplitMix64& rng) {
  GeneratedVector v;
  v.kind = DrawClass(rng);
  v.mode = "NUDZ"[rng.Below(4)];
  v.subtract = rng.Below(2) == 1;
  std::uint64_t& a = v.a;
  std::uint64_t& b = v.b;

  switch (v.kind) {
    case VectorClass::Random: {
      a = Binary64(rng.Below(2), rng.Between(1, kMaxFinite), rng.Next());
      int eb = rng.Between(1, kMaxFinite);
      if (rng.Below(2) == 0) {
        const int ea = static_cast<int>((a >> 52) & 0x7FF);
        eb = ea + rng.Between(-70, 70);
        if (eb < 1) eb = 1;
        if (eb > kMaxFinite) eb = kMaxFinite;
      }
      b = Binary64(rng.Below(2), eb, rng.Next());
      break;
    }
    case VectorClass::EqualExponents:
      PlaceApart(rng, 0, a, b);
      break;
    case VectorClass::NearExponents:
      PlaceApart(rng, rng.Between(1, 3), a, b);
      break;
    case VectorClass::ShiftEdges: {
      static constexpr std::array<int, 9> kEdges = {52, 53, 54, 55, 62, 63, 64, 65, 66};
      PlaceApart(rng, kEdges[rng.Below(kEdges.size())], a, b);
      break;
    }
    case VectorClass::FarApart:
      PlaceApart(rng, rng.Between(67, 2000), a, b);
      break;
    case VectorClass::Cancellation: {
      // Nearly equal magnitudes: equal exponents with a shared top of the
      // fraction, or exponents one apart with 1.000.. against 1.111..
      const int e = rng.Between(2, kMaxFinite);
      const int keep = rng.Between(1, 52);  // low bits that differ
      const std::uint64_t low = (std::uint64_t{1} << keep) - 1;
      const unsigned sign = rng.Below(2);
      if (rng.Below(2) == 0) {
        const std::uint64_t top = rng.Next() & kFractionMask & ~low;
        a = Binary64(sign, e, top | (rng.Next() & low));
        b = Binary64(sign, e, top | (rng.Next() & low));
      } else {
        a = Binary64(sign, e, rng.Next() & low);
        b = Binary64(sign, e - 1, (kFractionMask & ~low) | (rng.Next() & low));
      }
      if (rng.Below(2) == 1) std::swap(a, b);
      if (rng.Below(4) == 0) {
        b ^= std::uint64_t{1} << 63;  // opposite signs, so the effective
        v.subtract = false;           // subtraction comes from an addition
      } else {
        v.subtract = true;
      }
      break;
    }
    case VectorClass::Ties: {
      // B is half an ulp of A (j = 0), a quarter (j = -1) or a whole ulp
      // (j = 1), sometimes with a little more below it.
      const int ea = rng.Between(56, kMaxFinite);
      const int eb = ea - 53 + rng.Between(-1, 1);
      a = Binary64(rng.Below(2), ea, StructuredFraction(rng));
      const std::uint64_t fb =
          rng.Below(3) == 0 ? (rng.Next() & kFractionMask) >> rng.Below(52) : 0;
      b = Binary64(rng.Below(2), eb, fb);
      if (rng.Below(2) == 1) std::swap(a, b);
      break;
    }
    case VectorClass::Subnormals:
      switch (rng.Below(3)) {
        case 0:
          a = Binary64(rng.Below(2), 0, rng.Next());
          b = Binary64(rng.Below(2), rng.Between(1, 60), StructuredFraction(rng));
          if (rng.Below(2) == 1) std::swap(a, b);
          break;
        case 1:
          a = Binary64(rng.Below(2), 0, rng.Next());
          b = Binary64(rng.Below(2), 0, rng.Next());
          break;
        default:
          // Normal operands near the bottom whose difference is subnormal.
          a = Binary64(0, rng.Between(1, 3), rng.Next());
          b = Binary64(0, rng.Between(1, 3), rng.Next());
          v.subtract = true;
          break;
      }
      break;
    case VectorClass::Zeros: {
      const std::uint64_t x =
          Binary64(rng.Below(2), rng.Between(1, kMaxFinite), StructuredFraction(rng));
      const std::uint64_t zero = Binary64(rng.Below(2), 0, 0);
      switch (rng.Below(4)) {
        case 0:
          a = zero;
          b = x;
          break;
        case 1:
          a = x;
          b = zero;
          break;
        case 2:
          a = zero;
          b = Binary64(rng.Below(2), 0, 0);
          break;
        default:  // x - x in either spelling
          a = x;
          b = x;
          if (rng.Below(2) == 0) {
            v.subtract = true;
          } else {
            b ^= std::uint64_t{1} << 63;
            v.subtract = false;
          }
          break;
      }
      break;
    }
    case VectorClass::Huge: {
      const unsigned sign = rng.Below(2);
      a = Binary64(sign, rng.Between(2040, kMaxFinite), StructuredFraction(rng));
      b = Binary64(sign, rng.Between(2040, kMaxFinite), StructuredFraction(rng));
      v.subtract = rng.Below(4) == 0;  // mostly an effective addition
      break;
    }
    case VectorClass::Specials: {
      auto special = [&rng]() {
        const unsigned sign = rng.Below(2);
        switch (rng.Below(3)) {
          case 0:
            return Binary64(sign, 2047, 0);  // infinity
          case 1:
            return Binary64(sign, 2047, std::uint64_t{1} << 51);  // quiet NaN
          default:
            return Binary64(sign, 2047, (rng.Next() & kFractionMask) | 1);  // some NaN
        }
      };
      a = special();
      b = rng.Below(2) == 0 ? special()
                            : Binary64(rng.Below(2), rng.Between(0, kMaxFinite), rng.Next());
      if (rng.Below(2) == 1) std::swap(a, b);
      break;
    }
    case VectorClass::kCount:
      break;
  }
  v.c = HostResult(a, b, v.subtract, v.mode);
  return v;
}

std::string BitText(std::uint64_t bits, char one) {
  std::string s(64, '0');
  for (int i = 0; i < 64; ++i) {
    if ((bits >> (63 - i)) & 1) s[static_cast<std::size_t>(i)] = one;
  }
  return s;
}

void WriteVectors(std::ostream& out, long long count, std::uint64_t seed) {
  SplitMix64 rng(seed);
  std::string line;
  for (long long i = 0; i < count; ++i) {
    const GeneratedVector v = GenerateVector(rng);
    line.clear();
    line += v.subtract ? '1' : '0';
    line += ',';
    line += v.mode;
    line += ',';
    AppendOperand(line, v.a);
    line += ',';
    AppendOperand(line, v.b);
    line += ',';
    line += BitText(v.c);
    line += '\n';
    out << line;
  }
}

void WriteTestFloatVectors(std::ostream& out, long long count, std::uint64_t seed, bool subtract,
                           char mode) {
  SplitMix64 rng(seed);
  std::string line;
  for (long long i = 0; i < count; ++i) {
    GeneratedVector v = GenerateVector(rng);
    if (v.subtract != subtract) v.b ^= std::uint64_t{1} << 63;
    unsigned flags = 0;
    const std::uint64_t c = HostResult(v.a, v.b, subtract, mode, flags);
    line = TestFloatLine({v.a, v.b, c, flags});
    line += '\n';
    out << line;
  }
}

}  // namespace sumaris
