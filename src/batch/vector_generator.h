#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace sumaris {

// Test vectors for the adder, spread over the cases that matter for a
// two-path design, with the expected result taken from the host's own
// IEEE 754 arithmetic under the vector's rounding mode.

// The families of operand pairs the generator draws from.
enum class VectorClass {
  Random,          // any two finite operands
  EqualExponents,  // exponent difference 0
  NearExponents,   // difference 1 .. 3: the N path's territory
  ShiftEdges,      // difference 52 .. 55 and 62 .. 66: the alignment's edges
  FarApart,        // difference beyond 66: the small operand is only sticky
  Cancellation,    // effective subtraction of nearly equal operands
  Ties,            // the exact result lies halfway between two doubles (or next to it)
  Subnormals,      // subnormal operands, or normal operands with a subnormal result
  Zeros,           // +0, -0 and x - x
  Huge,            // exponents near the top: sums that may overflow
  Specials,        // infinities and NaNs
  kCount
};

std::string_view VectorClassName(VectorClass c);

// A small, fully specified generator (splitmix64), so a seed gives the same
// file on every machine and library.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, n) for n >= 1 (the tiny bias of a 64-bit modulus is no concern here).
  std::uint64_t Below(std::uint64_t n) { return Next() % n; }
  // Uniform in [lo, hi].
  int Between(int lo, int hi) {
    return lo + static_cast<int>(Below(static_cast<std::uint64_t>(hi - lo + 1)));
  }

 private:
  std::uint64_t state_;
};

// A binary64 encoding from its fields: sign (bit 0 of it), biased exponent
// (its low 11 bits) and fraction (its low 52 bits).
std::uint64_t Binary64(std::uint64_t sign, int exponent, std::uint64_t fraction);

// A fraction with structure as well as noise: zero, all ones, a single one,
// a run of ones at the top or at the bottom, or random bits. Long runs of
// zeros or ones reach the carries and the sticky bits.
std::uint64_t StructuredFraction(SplitMix64& rng);

// Two finite operands with structured fractions whose biased exponents lie
// `d` apart (the lower one at 0 at the least), in either order.
void PlaceApart(SplitMix64& rng, int d, std::uint64_t& a, std::uint64_t& b);

// One generated vector as bit patterns.
struct GeneratedVector {
  bool subtract = false;
  char mode = 'N';  // N, U, D or Z
  std::uint64_t a = 0;
  std::uint64_t b = 0;
  std::uint64_t c = 0;  // the host's result
  VectorClass kind = VectorClass::Random;
};

// The host's IEEE 754 result of a + b (or a - b) under the rounding mode
// letter N, U, D or Z.
std::uint64_t HostResult(std::uint64_t a, std::uint64_t b, bool subtract, char mode);

// The same with the exception flags the operation raised, in TestFloat's
// order: bit 0 inexact, 1 underflow, 2 overflow, 3 infinite, 4 invalid.
std::uint64_t HostResult(std::uint64_t a, std::uint64_t b, bool subtract, char mode,
                         unsigned& flags);

// Draws the next vector.
GeneratedVector GenerateVector(SplitMix64& rng);

// The 64 bits, most significant first, with `one` for a one and "0" for a zero.
std::string BitText(std::uint64_t bits, char one = '1');

// Writes `count` vectors in the vector file format, one a line:
// OP (0 add, 1 subtract), mode letter, A and B with their ones written as
// "|" (so they stay text), and C as 0/1 digits.
void WriteVectors(std::ostream& out, long long count, std::uint64_t seed);

// The same vectors for one operation and one rounding mode, as TestFloat
// cases ("A B C FF" in hexadecimal, the host's result and flags). A vector
// drawn for the other operation has B negated, which keeps its kind.
void WriteTestFloatVectors(std::ostream& out, long long count, std::uint64_t seed, bool subtract,
                           char mode);

}  // namespace sumaris
