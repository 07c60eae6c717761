#pragma once

#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
//
// Inside the main window the editor stays above the stage windows while it
// is open. It opens at the bottom right of the main window's area, or at the
// top right (over the operand entry) where the bottom right would cover a
// row or cell of the stage window that opened it; once the user has moved
// it, it keeps the user's place between openings. A wider or narrower wire
// keeps its right edge where it was. Enter applies, Escape cancels.
//
// Bit labels never run together: a label that would overlap the label
// before it in its row of boxes is set one line higher (over the first row)
// or under its box (in the second row).
class EditorWindow : public ChildWindow {
  Q_OBJECT

 public:
  EditorWindow(WireEditor& editor, Session& session, QWidget* parent = nullptr);
  ~EditorWindow() override;

  // What an Edit or Expand button does: LoadParams, then show the editor.
  // `opener` is the window whose button was pressed (null: none), whose rows
  // the editor keeps clear of; it lists its rows in pixels of `area`.
  using RowsIn = std::function<std::vector<QRect>(const QWidget* area)>;
  void Open(Wire* source, int start, int endb, const std::string& formName,
            const std::string& wireName, bool viewOnly, int firstCell = 0,
            const RowsIn& openerRows = {});

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
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Refresh();
  void FocusBox(int i);
  void ApplyWidth();
  void StretchToWidth();
  void ArrangeLabels();
  void ApplyClicked();
  // Where the frame goes for an opening from a window with these rows.
  void PlaceFrame(const RowsIn& openerRows);

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
  // The frame's top left as the editor last placed it; the user moved the
  // frame when it stands elsewhere.
  std::optional<QPoint> placedAt_;
  bool userPlaced_ = false;
};

}  // namespace sumaris
