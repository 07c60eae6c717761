#pragma once

namespace sumaris {

class Adder;
class Session;
class TextViewer;
class UserDialogs;
struct FileLocations;

// The control panel's "FromFile": runs every vector of fpinput.txt through
// the adder the way a user would, through the operand entry's controls,
// letting the windows repaint every 100 vectors, then opens the report
// fpoutput.txt in the text viewer and beeps.
//
// The pause gives the window system up to 20000 turns in a row and ends as
// soon as a turn finds nothing to do. With `exactTurns` > 0 it takes exactly
// that many turns instead, as a measure of what the literal pause costs.
void RunFromFile(Adder& adder, Session& session, UserDialogs& dialogs, TextViewer& viewer,
                 const FileLocations& files, bool breakPoint, int exactTurns = 0);

}  // namespace sumaris
