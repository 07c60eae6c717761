#pragma once

#include <functional>
#include <optional>
#include <string>

namespace sumaris {

class Adder;
class Session;
class TextViewer;
class UserDialogs;
struct FileLocations;

constexpr int kFromFilePauseTurns = 20000;

// The control panel's "FromFile": runs every vector of fpinput.txt through
// the adder the way a user would, through the operand entry's controls,
// letting the windows repaint every 100 vectors, then opens the report
// fpoutput.txt in the text viewer and beeps.
//
// Before every hundredth vector the window system processes its pending
// events `pauseTurns` times in a row (20000 in the program; the benchmarks
// vary it to tell the pause from the rest).
//
// What the control panel lends a run: its BreakPoint box, read at every
// vector, so a box ticked during a pause stops the run at the next vector
// with its question; and where the run says how far it got, at every pause
// and before every message: "Vector n of N" (n the vectors begun, N from a
// first quick count of the file) or "Vector n" where the file cannot be
// counted; an empty text when the run is over.
struct FromFilePanel {
  std::function<bool()> breakPoint;
  std::function<void(const std::string& progress)> showProgress;
};
void RunFromFile(Adder& adder, Session& session, UserDialogs& dialogs, TextViewer& viewer,
                 const FileLocations& files, const FromFilePanel& panel,
                 int pauseTurns = kFromFilePauseTurns);

// "Vector 7 of 250", or "Vector 7" when the count is not known.
std::string VectorProgress(long long vector, std::optional<long long> total);

}  // namespace sumaris
