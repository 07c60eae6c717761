// The vector file reader and the batch loop on arbitrary bytes: every field
// form, quotes, line ends, blank lines, byte order marks, free values, "|"
// bits, wrong lengths, fields beyond the length limit, and vectors that
// reach the adder.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

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
  // One line per failure, its seven fields apart: line ends, commas and
  // quotes inside a field are written as blanks.
  const std::string r = report.str();
  long long lines = 0;
  std::size_t from = 0;
  for (std::size_t end = r.find('\n'); end != std::string::npos; end = r.find('\n', from)) {
    const std::string_view line(r.data() + from, end - from);
    Check(line.size() >= 2 && line.front() == '"' && line.back() == '"');
    Check(std::count(line.begin(), line.end(), ',') == 6);
    Check(std::count(line.begin(), line.end(), '"') == 2);
    ++lines;
    from = end + 1;
  }
  Check(from == r.size());
  Check(lines == s.failed);
  return 0;
}
