#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/child_window.h"
#include "session/wire_editor.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sumaris {

class Session;
class UserDialogs;
class Wire;

// The "Wire Bits Editor" window (object name "Editor"): one box per bit of a
// wire with the bit numbers above, Apply and Cancel. It shows the state of a
// WireEditor and hands every box event to it; it keeps no state of its own.
//
// Controls, found by object name: the labels "FormName" and "WireName", the
// line "Line1", the buttons "Apply" and "Cancel", and the two control arrays
// of 119 elements each, "Text1" (the bit boxes) and "Label2" (their bit
// numbers): every element of an array carries the array's object name and
// its position 0 .. 118 in the int property "index" (Box(i) and BitLabel(i)
// return them directly).
//
// Double-click messages go to the editor's UserDialogs; when the editor has
// none, the window answers with message boxes of its own.
class EditorWindow : public ChildWindow {
  Q_OBJECT

 public:
  EditorWindow(WireEditor& editor, Session& session, QWidget* parent = nullptr);
  ~EditorWindow() override;

  // What an Edit or Expand button does: LoadParams, then show the editor.
  void Open(Wire* source, int start, int endb, const std::string& formName,
            const std::string& wireName, bool viewOnly);

  // Activation re-reads the wire (typed changes are lost), focuses box 0 and
  // selects its text.
  void Activated() override;

  QLineEdit* Box(int i) const { return boxes_.at(static_cast<std::size_t>(i)); }
  QLabel* BitLabel(int i) const { return labels_.at(static_cast<std::size_t>(i)); }

  // Client-area height in twips; the width follows the wire.
  static constexpr int kClientHeight = 3300;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Refresh();
  void FocusBox(int i);
  void ApplyWidth();
  void StretchToWidth();

  WireEditor& editor_;
  Session& session_;
  std::unique_ptr<UserDialogs> ownDialogs_;
  QLabel* formName_ = nullptr;
  QLabel* wireName_ = nullptr;
  QFrame* line1_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::array<QLineEdit*, WireEditor::kBoxes> boxes_{};
  std::array<QLabel*, WireEditor::kBoxes> labels_{};
};

}  // namespace sumaris
