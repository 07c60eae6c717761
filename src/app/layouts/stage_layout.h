#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "adder/stage_list.h"

namespace sumaris::layout {

// The declarative description of a stage window: what the generic stage
// window draws and where. Every position and size is in twips (1/1440 inch)
// from the top left of the window's drawing; the window converts by the
// screen's logical DPI. A stage's layout table lists its wire rows, fixed
// cells, labels, block outlines, lines and buttons; nothing is placed by hand
// in window code.

// A visible wire row laid out by LayoutWire: cell 0 at (left, top), index
// labels above, the title to the left of cell 0 unless placed explicitly.
struct Row {
  std::string wire;  // the wire's name in its stage (Wire::name())
  int left = 0;      // left of cell 0
  int top = 0;       // top of cell 0
  int groupGap = 80;
  // The title label; the wire's own title when empty. titleLeft/titleTop
  // place it; by default it sits right above the index labels at cell 0.
  std::string title;
  std::optional<int> titleLeft;
  std::optional<int> titleTop;
  int greyCell = -1;  // a cell drawn light grey (the hidden bit), -1 for none
};

// One cell of a wire placed at design time: one-bit signals, single labels,
// the separate cells of a short wire. No index label.
struct FixedCell {
  std::string wire;
  int cell = 0;
  int left = 0;
  int top = 0;
  int width = 180;  // a single label can be wider than a bit cell
};

enum class TextStyle {
  Title,    // wire and signal titles: Arial 8.25, black
  Block,    // a hardware unit inside a block outline: Tahoma 8.25, centred
  Note,     // small notes such as mux input marks "0"/"1": Arial 7
  Heading,  // the window's heading: Arial 12 bold
};

struct Text {
  std::string text;
  int left = 0;
  int top = 0;
  int width = 1200;
  int height = 255;
  TextStyle style = TextStyle::Title;
  std::string wire;  // the wire whose title this is, if any: its tooltip
};

// A block outline (rectangle) around a hardware unit.
struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool trapezoid = false;  // drawn as a multiplexer shape, narrow side down
  std::string tip;         // its tooltip: what the unit computes and why it is there
};

// A connection along the data flow.
struct Line {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  bool arrow = false;  // an arrow head at (x2, y2)
};

// A text that the stage computes outside its wires (Stage::Readout).
struct Readout {
  std::string source;  // the name passed to Stage::Readout
  int left = 0;
  int top = 0;
  int width = 3000;
  int height = 255;
  std::string tip;  // what it shows
  // Read from the session's comparison with IEEE 754 (session/ieee_readouts.h)
  // rather than from the stage.
  bool ofSession = false;
  // Set in the program's plain font and wrapped at the width, for a sentence.
  bool wrapped = false;
};

// What an Edit or Expand button hands the Wire Bits Editor.
struct EditorRequest {
  std::string wire;  // the wire's name; empty: the button hands no wire
  int start = 0;     // first and last bit numbers as titled
  int end = 0;
  std::string title;  // the wire title shown by the editor
  // The display name passed; the stage's own display name when absent.
  std::optional<std::string> displayName;
  bool viewOnly = false;
  // The cell the editor's first box shows; the leftmost unless a button
  // edits a cell further right.
  int firstCell = 0;
};

struct Button {
  std::string name;     // object name ("EditEA", "ExpandFSOPA", "ShowPI")
  std::string caption;  // "Edit", "Expand", "...", "Edit\\Expand", "Show PI"
  int left = 0;
  int top = 0;
  int width = 495;
  int height = 255;
  // The editor call of a click; absent for the buttons that do nothing.
  std::optional<EditorRequest> opens;
  // What the button's tooltip says; none when empty.
  std::string tooltip;
  // "Where?": brings the stage where the result differs from IEEE 754 to the
  // front; enabled only while there is such a stage.
  bool showsIeeeDifference = false;
};

struct StageLayout {
  int width = 0;  // extent of the drawing, for scrolling
  int height = 0;
  std::vector<Row> rows;
  std::vector<FixedCell> cells;
  std::vector<Text> texts;
  std::vector<Box> boxes;
  std::vector<Line> lines;
  std::vector<Readout> readouts;
  std::vector<Button> buttons;
  // The tooltip of each wire's title, row and cells by the wire's name: what
  // it carries and how its bits are numbered.
  std::map<std::string, std::string> wireTips;
};

// The drawing of each stage of the stage list, one function a stage, named
// after its class: StageLayout R1MediumLayout(const R1Medium& stage); ...
// A drawing takes the names, ranges and titles of its rows from the stage's
// wires.
#define SUMARIS_DECLARE_STAGE_LAYOUT(slot, Class, ...) \
  StageLayout Class##Layout(const Class& stage);
SUMARIS_STAGE_LIST(SUMARIS_DECLARE_STAGE_LAYOUT)
#undef SUMARIS_DECLARE_STAGE_LAYOUT

// The layout table of the stage in `slot` (1 .. 25).
const StageLayout& StageLayoutForSlot(int slot);

}  // namespace sumaris::layout
