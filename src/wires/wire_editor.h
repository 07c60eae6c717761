#pragma once

#include <array>
#include <string>
#include <string_view>

#include "wires/cell.h"

namespace sumaris {

class Session;
class Wire;

// The Wire Bits Editor's state: one editor for the whole program, reused for
// every wire. Box i always shows cell position i of the source wire, counted
// from its leftmost cell; start and endb decide only how many boxes there
// are and which bit numbers they carry. Nothing typed reaches the wire
// before Apply.
class WireEditor {
 public:
  static constexpr int kBoxes = 119;

  // The entry point of the stages' Edit and Expand buttons. `source` may be
  // null (a button that hands the editor no wire).
  void LoadParams(Wire* source, int start, int endb, std::string formName, std::string wireName,
                  bool viewOnly);
  // Fills the boxes from the source wire (also on every activation).
  void Init();
  // Typing in box i: the text is checked, the focus moves on.
  void TypeIntoBox(int i, std::string_view text);
  // Apply: write the boxes into the wire, mark the system inconsistent,
  // hide the editor and recompute from the current step.
  void Apply(Session& session);
  // Cancel: hide the editor and enable Apply again.
  void Cancel();

  // --- state shown by the window ---------------------------------------
  Wire* source() const { return source_; }
  int start() const { return start_; }
  int endb() const { return endb_; }
  int step() const { return step_; }
  int count() const { return count_; }
  bool loading() const { return loading_; }
  const std::string& formName() const { return formName_; }
  const std::string& wireName() const { return wireName_; }

 private:
  Wire* source_ = nullptr;
  int start_ = 0;
  int endb_ = 0;
  int step_ = 1;
  int count_ = 0;
  bool loading_ = false;
  std::string formName_ = "form name";
  std::string wireName_ = "wire";
};

}  // namespace sumaris
