// The vector file reader and the batch loop on arbitrary bytes: every field
// form, quotes, line ends, free values, "|" bits, wrong lengths, and vectors
// that reach the adder.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "adder/adder.h"
#include "batch/batch_runner.h"
#include "batch/headless_adder.h"
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
  const std::string text(reinterpret_cast<const char*>(data), size);

  // The reader alone: every vector read has its bars replaced; reading stops
  // at the end or at an unreadable field, never past the input.
  {
    std::istringstream in(text);
    sumaris::VectorReader reader(in);
    sumaris::TestVector v;
    for (int n = 0; n < 4096 && !reader.Exhausted(); ++n) {
      try {
        reader.ReadVector(v);
      } catch (const sumaris::VectorReadError&) {
        break;
      }
      Check(v.a.find('|') == std::string::npos && v.b.find('|') == std::string::npos &&
            v.c.find('|') == std::string::npos);
      Check(reader.offset() <= size);
    }
  }

  // The whole loop, as FromFile and sumaris-batch run it.
  std::istringstream in(text);
  std::ostringstream report;
  const sumaris::BatchSummary s = h.runner.RunStreams(in, report);
  Check(s.passed + s.failed + s.badInput <= s.vectors);
  Check(s.ioError || s.passed + s.failed + s.badInput == s.vectors);
  // One line per failure; a quoted field may hold line ends of its own, so
  // the report holds at least that many.
  const std::string r = report.str();
  long long lineEnds = 0;
  for (char c : r)
    lineEnds += c == '\n';
  Check(lineEnds >= s.failed);
  Check(r.empty() == (s.failed == 0));
  Check(r.empty() || r.back() == '\n');
  return 0;
}
