#pragma once

#include <iosfwd>

#include "batch/batch_runner.h"

namespace sumaris {

class UserDialogs;
struct FileLocations;

// The batch loop of a vector file on `jobs` threads, each with an adder of
// its own. The vectors are read in order, cut into runs of consecutive
// vectors and handed to the threads; the report lines and the "Bad Input on
// line " messages are written in input order, so the report is the very one
// the sequential loop writes. The one thing a vector inherits from the one
// before it, the rounding mode that an unknown mode letter keeps, is worked
// out while reading and set before each run. An unreadable field or an
// error inside a vector ends the run at that vector, as sequentially: what
// came before it is reported, and the summary holds the I/O error (no
// message). A Stop answered to "Bad Input on line " ends it after that vector.
// With `progress`, these runners note how far they got after every run of
// vectors reported; with `classifyFailures`, the summary counts the failures
// by why they failed (ClassifyFailure).
BatchSummary RunParallel(std::istream& in, std::ostream& report, UserDialogs& dialogs, int jobs,
                         BatchProgress* progress = nullptr, bool classifyFailures = false);

// The same over the files (RunOnFiles: the report is put in place at the
// end; a file that cannot be opened shows "I/O error!" and the reason). For
// the headless tool: no viewer, no beep.
BatchSummary RunParallel(const FileLocations& files, UserDialogs& dialogs, int jobs,
                         BatchProgress* progress = nullptr, bool classifyFailures = false);

// TestFloat cases on `jobs` threads: the failure lines and the "Bad Input on
// line " messages in input order, the summary the same as RunTestFloat's.
BatchSummary RunTestFloatParallel(std::istream& in, std::ostream& failures, bool subtract,
                                  char mode, UserDialogs& dialogs, int jobs,
                                  BatchProgress* progress = nullptr, bool classifyFailures = false);

// The number of threads to use by default: the machine's cores.
int DefaultJobs();

}  // namespace sumaris
