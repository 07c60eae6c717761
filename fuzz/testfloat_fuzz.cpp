// TestFloat case lines on arbitrary bytes: the parser's form checks, and the
// cases that pass them through the adder.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "adder/adder.h"
#include "batch/batch_runner.h"
#include "batch/headless_adder.h"
#include "batch/testfloat_format.h"
#include "session/platform.h"
#include "session/session.h"

namespace {

using Harness = sumaris::HeadlessAdder;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Harness h;
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const bool subtract = (data[0] & 1) != 0;
  const char mode = "NUDZ"[(data[0] >> 1) & 3];

  // A line that parses writes back to the same case.
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const auto c = sumaris::ParseTestFloatLine(line);
    if (!c) continue;
    const auto again = sumaris::ParseTestFloatLine(sumaris::TestFloatLine(*c));
    Check(again && again->a == c->a && again->b == c->b && again->expected == c->expected &&
          again->flags == c->flags && c->flags <= 0x1F);
    Check(sumaris::TestFloatBits(c->a).size() == 18);
  }

  std::istringstream in(text);
  std::ostringstream failures;
  const sumaris::BatchSummary s =
      sumaris::RunTestFloat(in, failures, h.runner, subtract, mode, h.dialogs);
  Check(!s.ioError);
  Check(s.passed + s.failed + s.badInput == s.vectors);
  return 0;
}
