#pragma once

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
void RunFromFile(Adder& adder, Session& session, UserDialogs& dialogs, TextViewer& viewer,
                 const FileLocations& files, bool breakPoint, int pauseTurns = kFromFilePauseTurns);

}  // namespace sumaris
