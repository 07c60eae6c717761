// Test vectors for the RTL, and the cell model driven as the batch runner
// drives it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_runner.h"

namespace sumaris {
struct HeadlessAdder;
class Adder;
class SplitMix64;
}  // namespace sumaris

namespace sumaris::rtl {

// One addition: the operands, the operation and the mode letter (N, U, D, Z),
// and where it comes from (for messages).
struct AdderVector {
  std::uint64_t a = 0;
  std::uint64_t b = 0;
  bool subtract = false;
  char mode = 'N';
  std::string origin;
  // The expected result, when the vector file gives one.
  bool hasExpected = false;
  std::uint64_t expected = 0;
};

// The 64 bits of a vector file field ("1" and "|" ones, anything else zeros).
std::uint64_t FieldBits(std::string_view text);

// The vectors of a file in the batch runner's format, read field by field
// with its VectorReader. A mode field that is no mode letter keeps the mode
// of the vector before, as in a batch run; a vector whose bit fields are not
// 64 characters long is skipped. The operands are taken as the bits they
// are written with: the batch runner would read an unquoted operand of
// digits only (a zero written without any "|") as a number and reject the
// vector, but the adder's answer to those bits is what is compared here.
std::vector<AdderVector> ReadVectorFile(const std::string& path);

// Vectors drawn by the project's generator, every class of it.
std::vector<AdderVector> GeneratedVectors(int count, std::uint64_t seed);

// A region of the operand space: how to draw an operand pair in it and
// what every pair drawn must satisfy.
struct Region {
  std::string name;
  std::function<void(SplitMix64&, std::uint64_t&, std::uint64_t&)> draw;
  std::function<bool(std::uint64_t, std::uint64_t)> holds;
};
const std::vector<Region>& Regions();

// `perCase` pairs of a region for each of the four modes and both operations.
std::vector<AdderVector> RegionVectors(const Region& region, int perCase, std::uint64_t seed);

// "add N a b" with the operands in hexadecimal, for messages.
std::string Describe(const AdderVector& v);

// The cell model: a headless adder that runs one vector the way the batch
// runner runs a line of the vector file (boxes written through the operand
// entry, then Run) and returns the 64 result bits.
class CellAdder {
 public:
  CellAdder();
  ~CellAdder();
  CellAdder(const CellAdder&) = delete;
  CellAdder& operator=(const CellAdder&) = delete;

  std::uint64_t Add(const AdderVector& v);
  // The same for a vector already in the batch runner's form.
  std::uint64_t Add(const TestVector& v);
  const Adder& adder() const;

  static TestVector ToTestVector(const AdderVector& v);

 private:
  std::unique_ptr<HeadlessAdder> headless_;
};

}  // namespace sumaris::rtl
