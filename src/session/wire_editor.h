#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "core/cell.h"

namespace sumaris {

class Session;
class UserDialogs;
class Wire;

// Where the editor's controls sit, in twips from the top left of its client
// area. The boxes are fixed when the editor is created; only the window's
// width follows the wire.
namespace editor_twips {
inline constexpr int kBoxLeft = 120;  // box 0
inline constexpr int kBoxTop = 1320;
inline constexpr int kBoxWidth = 180;
inline constexpr int kBoxHeight = 330;
inline constexpr int kBoxPitch = 185;
inline constexpr int kGroupGap = 100;    // extra room before every 8th box
inline constexpr int kRowGap = 400;      // between the two rows of boxes
inline constexpr int kBoxesPerRow = 56;  // box 56 starts the second row
inline constexpr int kLabelAbove = 240;  // a bit label's top above its box
}  // namespace editor_twips

struct TwipPoint {
  int left = 0;
  int top = 0;
  friend bool operator==(const TwipPoint&, const TwipPoint&) = default;
};

// The Wire Bits Editor's state: one editor for the whole program, reused for
// every wire. Box i shows cell position firstCell + i of the source wire,
// counted from its leftmost cell; firstCell is 0 except for a button that
// edits a cell further right (NSmallSig's "DELTA(1)" edits cell 1). start
// and endb decide only how many boxes there are and which bit numbers they
// carry. Nothing typed reaches the wire before Apply.
//
// The window shows this state and forwards its box events here; it keeps no
// state of its own. After every change `onChanged` runs; when the editor
// moves the focus to a box and selects the box's whole text, `onFocus` runs.
//
// A button that hands the editor no wire (source null) gets the boxes of its
// range with empty texts and a disabled Apply, as a view-only opening does:
// nothing can be written, and Cancel closes the editor and enables Apply
// again. An editable opening of a wire enables Apply, also while a
// view-only opening is shown: the user asked to edit. A range longer than the wire shows empty
// boxes past the wire's last cell and never reads or writes beyond it.
class WireEditor {
 public:
  static constexpr int kBoxes = 119;

  // --- geometry (twips) ---------------------------------------------------
  // Top left of box i (0 .. 118): two rows of at most 56 boxes, 185 apart,
  // 100 more before every box whose position is a multiple of 8.
  static TwipPoint BoxPlace(int i);
  // Top left of box i's bit label: 240 above the box, at its left.
  static TwipPoint LabelPlace(int i);
  // The window's width for a wire of count n (fractional twips possible).
  static double WindowWidth(int n);

  // --- entry points ---------------------------------------------------------
  // The entry point of the stages' Edit and Expand buttons. `source` may be
  // null (a button that hands the editor no wire). Bringing the editor to the
  // front is the caller's job (it shows the editor right after this).
  void LoadParams(Wire* source, int start, int endb, std::string formName, std::string wireName,
                  bool viewOnly, int firstCell = 0);
  // Fills the boxes from the source wire (also on every activation).
  void Init();
  // The editor window was activated: Init, then box 0 gets the focus and its
  // whole text is selected. Typed but unapplied changes are lost.
  void Activate();
  // Typing in box i: the text is checked, the focus moves on.
  void TypeIntoBox(int i, std::string_view text);
  // A click on box i: its text is selected and its bit label shown (until
  // the next Init).
  void ClickBox(int i);
  // A double click on box i: a message with the box's position (0-based).
  void DoubleClickBox(int i);
  // Box i got the focus some other way (a click, the Tab key).
  void FocusBox(int i);
  // Apply: write the boxes into the wire, mark the system inconsistent,
  // hide the editor and recompute from the step counter as it stood when
  // Apply was pressed. Does nothing while Apply is disabled.
  void Apply(Session& session);
  // Cancel: hide the editor and enable Apply again.
  void Cancel();

  // Where double-click messages go; none: they are dropped.
  void SetDialogs(UserDialogs* dialogs) { dialogs_ = dialogs; }
  UserDialogs* dialogs() const { return dialogs_; }

  std::function<void()> onChanged;
  std::function<void(int)> onFocus;

  // --- state shown by the window ---------------------------------------
  Wire* source() const { return source_; }
  int start() const { return start_; }
  int endb() const { return endb_; }
  int step() const { return step_; }
  int count() const { return count_; }
  int firstCell() const { return firstCell_; }
  bool loading() const { return loading_; }
  const std::string& formName() const { return formName_; }
  const std::string& wireName() const { return wireName_; }

  // Boxes in use: count, at least 1 (a one-bit wire has count 0), at most 119.
  int boxesInUse() const;
  const std::string& boxText(int i) const { return boxes_.at(static_cast<std::size_t>(i)).text; }
  bool boxVisible(int i) const { return boxes_.at(static_cast<std::size_t>(i)).visible; }
  const std::string& labelText(int i) const { return boxes_.at(static_cast<std::size_t>(i)).label; }
  bool labelVisible(int i) const { return boxes_.at(static_cast<std::size_t>(i)).labelVisible; }
  // The box that has the focus, -1 before the first activation.
  int focusedBox() const { return focused_; }
  // The box whose whole text was last selected by the editor, -1 for none.
  int selectedBox() const { return selected_; }
  bool applyEnabled() const { return applyEnabled_; }
  // Width of the window (twips) as set by the last Init.
  double width() const { return width_; }
  // Whether the editor is meant to be on screen: from LoadParams until
  // Apply or Cancel.
  bool shown() const { return shown_; }

 private:
  struct Box {
    std::string text = "0";
    bool visible = true;
    std::string label;
    bool labelVisible = false;
  };

  void Changed();
  void FocusAndSelect(int i);

  Wire* source_ = nullptr;
  int start_ = 0;
  int endb_ = 0;
  int step_ = 1;
  int count_ = 0;
  int firstCell_ = 0;
  bool loading_ = false;
  std::string formName_ = "form name";
  std::string wireName_ = "wire";
  std::array<Box, kBoxes> boxes_{};
  int focused_ = -1;
  int selected_ = -1;
  bool applyEnabled_ = true;
  bool shown_ = false;
  double width_ = 6200;
  UserDialogs* dialogs_ = nullptr;
};

}  // namespace sumaris
