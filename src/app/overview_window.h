#pragma once

#include <QLabel>
#include <QPolygonF>
#include <functional>
#include <string_view>
#include <vector>

#include "app/child_window.h"
#include "app/zoom.h"
#include "session/session.h"

class QPainter;
class QScrollArea;

namespace sumaris {

// The block diagrams of the four path overview windows, as data: each block
// stands for one stage and holds rows of hardware units; flows connect
// blocks along the data path. Positions are twips of a design 5205 wide (the
// control panel's width); the window scales the design to fit.
struct OverviewBlockDesign {
  const char* label;  // "Label3": element 0, the block's background; the
                      // stage list names the stage it stands for
  int left;
  int top;
  int width;
  int height;                                   // 0: as tall as its unit rows need
  std::vector<std::vector<const char*>> units;  // rows of unit box texts
};

// A connection drawn along corners given in the design: the arrow at the
// last point. A control signal (a select, a shift amount) is dashed and
// named; a branch of another connection starts with a junction dot.
struct OverviewWire {
  std::vector<std::pair<int, int>> points;
  bool control = false;
  const char* label = nullptr;  // written with its top left at labelLeft, labelTop
  int labelLeft = 0;
  int labelTop = 0;
  bool branch = false;
};

struct OverviewDesign {
  PathBlock path;
  const char* name;         // "R1", "R2", "N1", "FINAL"
  const char* windowTitle;  // the sub-window's title bar
  const char* title;        // Label1
  const char* subtitle;     // Label12, null for none
  int width;
  int height;
  std::vector<OverviewBlockDesign> blocks;
  std::vector<std::pair<const char*, const char*>> flows;  // from block, to block
  const char* initial;              // the block selected when the window loads
  std::vector<OverviewWire> wires;  // connections along given corners
};

const OverviewDesign& OverviewDesignFor(PathBlock path);
// A block's place in its design (twips), as tall as its unit rows need.
QRect OverviewBlockRect(const OverviewBlockDesign& block);

// Element 0 of a block: covers the whole block, light yellow while the block
// is highlighted, transparent otherwise. Its units are child labels named
// after it with their index ("Label3(1)", "Label3(2)", ...). A click on the
// block or on any of its units reports `clicked`. Its tooltip names its
// stage in full, with the gates and logic depth of the stage's hardware.
class OverviewBlock : public QLabel {
  Q_OBJECT

 public:
  OverviewBlock(PathBlock path, const OverviewBlockDesign& design, QWidget* parent);

  const OverviewBlockDesign& design() const { return design_; }
  int slot() const { return stage_.slot; }
  void SetHighlighted(bool highlighted);
  bool highlighted() const { return highlighted_; }
  // A small marker in the block's corner: the last recomputation changed
  // cells of its stage.
  void SetChanged(bool changed);
  bool changed() const { return changed_; }
  const std::vector<QLabel*>& units() const { return units_; }
  // The tooltip: "Step 1, R1Medium: exponent difference, medium part" and
  // the stage's gate count and depth.
  static QString TipFor(const StageDescriptor& stage);

  // Places the block and its units for a design scaled by `scale` (pixels
  // per design twip) with the design's origin at `origin`.
  void Arrange(double scale, QPointF origin);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const OverviewBlockDesign& design_;
  const StageDescriptor& stage_;
  bool highlighted_ = false;
  bool changed_ = false;
  std::vector<QLabel*> units_;
  std::vector<QRect> unitDesign_;  // twips, relative to the block
};

// One path overview window (`R1`, `R2`, `N1`, `FINAL`). It knows the
// highlighted block and its stage window; bringing the overview to the front
// brings that stage window forward too (LabelSWITCH). The diagram is fitted
// into the window, or zoomed and scrolled.
class OverviewWindow : public ChildWindow {
  Q_OBJECT

 public:
  // `stageWindow` finds the window of a slot (null while it does not exist).
  OverviewWindow(const OverviewDesign& design, std::function<ChildWindow*(int slot)> stageWindow,
                 QWidget* parent = nullptr);

  const OverviewDesign& design() const { return design_; }
  PathBlock path() const { return design_.path; }

  // SelectedBlock: the label of the highlighted block; SelectedWindow: the
  // stage window of that block (null when it does not exist).
  QString SelectedBlock() const;
  ChildWindow* SelectedWindow() const;
  int selectedSlot() const;

  // Element 0 of every block transparent, the selected one highlighted;
  // then the selected stage window is shown and focused.
  void LabelSWITCH();
  // The highlight procedure of a block (Label3_highlight, ...): show this
  // window, select the block and LabelSWITCH. False for an unknown label.
  bool Highlight(std::string_view block);
  // FINAL's Switch2Results: the Result block and the Results window.
  void Switch2Results();
  // A click on a block: select it and LabelSWITCH (the window is showing).
  void BlockClicked(OverviewBlock* block);

  OverviewBlock* Block(std::string_view label) const;
  const std::vector<OverviewBlock*>& blocks() const { return blocks_; }
  // Marks the blocks of the stages whose cells changed (by slot).
  void MarkChangedStages(const std::function<bool(int slot)>& changed);

  // Fitted into the window (as it opens), or a percentage of the design.
  void SetZoom(Zoom zoom);
  Zoom zoom() const { return zoom_; }
  int shownPercent() const;
  QWidget* canvas() const { return canvas_; }

  void Activated() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  friend class OverviewCanvas;
  void Arrange();
  void PaintFlows(QPainter& painter);
  void Select(OverviewBlock* block);

  const OverviewDesign& design_;
  std::function<ChildWindow*(int)> stageWindow_;
  std::vector<OverviewBlock*> blocks_;
  OverviewBlock* selected_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* subtitle_ = nullptr;
  std::vector<QPolygonF> flowDesign_;  // twips
  std::vector<QPolygonF> flowPixels_;
  std::vector<QPolygonF> wirePixels_;  // design_.wires, in pixels
  double scale_ = 1;
  QPointF origin_;
  QScrollArea* scroll_ = nullptr;
  QWidget* canvas_ = nullptr;
  Zoom zoom_ = Zoom::Fitted();
};

}  // namespace sumaris
