// The Verilator models of the adder's RTL behind plain C++ classes, so the
// co-simulation and the benchmark need no Verilator header.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace sumaris::rtl {

// The RTL's rounding mode input: 0 nearest even, 1 up, 2 down, 3 toward zero.
// The letter of a vector file (N, U, D, Z); -1 for any other text.
int ModeCode(std::string_view letter);

// sumaris_adder: the combinational adder.
class RtlAdder {
 public:
  RtlAdder();
  ~RtlAdder();
  RtlAdder(const RtlAdder&) = delete;
  RtlAdder& operator=(const RtlAdder&) = delete;

  std::uint64_t Add(std::uint64_t a, std::uint64_t b, bool subtract, int mode);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// sumaris_adder_pipe: the adder with a register between its two cycles.
class RtlPipeline {
 public:
  RtlPipeline();
  ~RtlPipeline();
  RtlPipeline(const RtlPipeline&) = delete;
  RtlPipeline& operator=(const RtlPipeline&) = delete;

  // Presents the operands and settles the logic without a clock edge; the
  // output still belongs to the operands of the last edge.
  std::uint64_t Present(std::uint64_t a, std::uint64_t b, bool subtract, int mode);
  // One rising clock edge with the operands presented; returns the output
  // after the edge.
  std::uint64_t Clock(bool reset = false);
  std::uint64_t result() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A debug build of sumaris_adder in which every signal of every block can be
// read by its hierarchical name below the top, e.g.
// "r_path.r_path_cycle1.r1_medium.MAG_MED".
class RtlProbe {
 public:
  RtlProbe();
  ~RtlProbe();
  RtlProbe(const RtlProbe&) = delete;
  RtlProbe& operator=(const RtlProbe&) = delete;

  std::uint64_t Add(std::uint64_t a, std::uint64_t b, bool subtract, int mode);
  // The signal's bits, leftmost index of its range first (the order of a
  // wire's cells); nothing when the design has no such signal.
  std::optional<std::string> Bits(std::string_view path) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace sumaris::rtl
