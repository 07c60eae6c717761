#pragma once

#include <QPointer>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "app/child_window.h"
#include "app/layouts/stage_layout.h"
#include "app/zoom.h"

class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;

namespace sumaris {

class EditorWindow;
class Session;
class Stage;
class Wire;
class WireEditor;
class WireRowWidget;

// Opens the one Wire Bits Editor of the program, creating its window on
// first use (it joins the main window through ChildWindow::AddToHost) and
// reusing it afterwards. Shared by every stage window.
class EditorLauncher {
 public:
  EditorLauncher(WireEditor& editor, Session& session);
  ~EditorLauncher();
  EditorLauncher(const EditorLauncher&) = delete;
  EditorLauncher& operator=(const EditorLauncher&) = delete;

  // `opener`: the stage window whose button was pressed (null: none); the
  // editor keeps clear of its rows. `firstCell`: the cell the first box shows.
  void Open(Wire* source, int start, int end, const std::string& formName, const std::string& title,
            bool viewOnly, int firstCell = 0, const class StageWindow* opener = nullptr);

  // The editor window; null before its first use.
  EditorWindow* window() const;

 private:
  WireEditor& editor_;
  Session& session_;
  QPointer<EditorWindow> window_;
};

// The window of one stage of the adder, drawn from the stage's layout table:
// its wire rows (cells with index labels), single cells, texts, unit boxes,
// connecting lines, read-outs and Edit/Expand buttons. The window holds no
// simulation state: every cell, read-out and row is read from the stage when
// painted, so Refresh only schedules a repaint.
//
// Activation (the window comes to the front or gets the focus) shows the
// `Inconsistent` label if the session's inconsistency flag is set, hides it
// otherwise, and moves the step counter to the stage's slot. The main window
// also refreshes the label of every stage window whenever the flag changes,
// so no window ever shows a stale warning.
//
// The drawing can be zoomed (cells, texts, lines and buttons together, each
// drawn anew at its size) or fitted to the window's width. Its units, wire
// titles, rows and cells have tooltips from the layout table; a right click
// on a row, a cell or a read-out offers to copy it.
class StageWindow : public ChildWindow {
  Q_OBJECT

 public:
  StageWindow(Stage& stage, Session& session, const layout::StageLayout& layout,
              EditorLauncher* editor, QWidget* parent = nullptr);
  ~StageWindow() override;

  Stage& stage() const { return stage_; }
  int slot() const;

  void Activated() override;
  void Deactivated() override;

  // Repaints what is on screen (cells, read-outs); nothing when hidden.
  void Refresh();
  // Whether the cells the last recomputation changed are drawn marked
  // (View > Highlight changes); off until the main window turns it on.
  void SetMarkChanges(bool on);
  bool marksChanges() const { return markChanges_; }
  // Shows or hides the `Inconsistent` label.
  void ShowInconsistent(bool inconsistent);

  // The zoom of the drawing, and the percentage it is shown at (a fitted
  // drawing shows whatever fits).
  void SetZoom(Zoom zoom);
  Zoom zoom() const { return zoom_; }
  int shownPercent() const { return PercentOf(scale_); }
  double scale() const { return scale_; }

  // The copy menu of a right click at `point` (window coordinates): "Copy
  // bits" and "Copy as hex" on a wire row or cell, "Copy text" on a
  // read-out, and in a window with the result's read-outs "Copy decimal"
  // and "Copy hex". Null where there is nothing to copy. The caller owns it.
  QMenu* CopyMenuAt(const QPoint& point);
  // Copies a read-out's text as shown; false when the window has none.
  bool CopyReadout(std::string_view source);
  // The text a read-out shows now; empty when the window has no such read-out.
  QString ReadoutShown(std::string_view source) const;
  // A short note at the bottom of the visible drawing, gone after a few
  // seconds (the pad file's "Appended to ~/pad.txt").
  void ShowNote(const QString& text);
  QLabel* noteLabel() const { return note_; }

  QLabel* inconsistentLabel() const { return inconsistent_; }
  WireRowWidget* Row(const QString& wireName) const;
  const std::vector<WireRowWidget*>& rows() const { return rows_; }
  QPushButton* Button(const QString& name) const;
  // Where the wire rows and single cells are on screen now, in pixels of
  // `in`, as far as they can be seen.
  std::vector<QRect> RowRects(const QWidget* in) const;
  QWidget* canvas() const { return canvas_; }
  QScrollArea* scrollArea() const { return scroll_; }

  // The readable title of a stage, shown in its window's title bar.
  static QString TitleFor(const Stage& stage);
  // The size of a stage's drawing with its margin, in pixels: what the
  // window shows without scrolling.
  static QSize DrawingSize(const Stage& stage, const layout::StageLayout& layout);

  static constexpr const char* kInconsistentText = "The System is now inconsistent";
  // How long a note stays, milliseconds.
  static constexpr int kNoteMilliseconds = 4000;

 signals:
  // A double click on a read-out; `source` is its Stage::Readout name.
  void readoutDoubleClicked(const QString& source);
  // Another window became the active one.
  void deactivated();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void BuildButtons(QWidget* canvas);
  // Enables "Where?" while the result differs from IEEE 754.
  void RefreshButtons();
  void ButtonClicked(const layout::Button& button);
  void PlaceInconsistentLabel();
  void PlaceNote();
  // Places the canvas, rows, read-outs and buttons for the zoom.
  void Relayout();
  double FitScale() const;

  Stage& stage_;
  Session& session_;
  const layout::StageLayout& layout_;
  EditorLauncher* editor_;
  QScrollArea* scroll_ = nullptr;
  QWidget* canvas_ = nullptr;
  QLabel* inconsistent_ = nullptr;
  QLabel* note_ = nullptr;
  std::vector<WireRowWidget*> rows_;
  std::vector<QWidget*> readouts_;
  std::vector<QPushButton*> buttons_;
  QRect extent_;     // of the drawing, twips
  QRect fitExtent_;  // of what Fit width fits: the drawing but its longest rows
  Zoom zoom_;
  double scale_ = 1.0;
  bool markChanges_ = false;
};

}  // namespace sumaris
