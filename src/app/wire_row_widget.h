#pragma once

#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/layouts/row_layout.h"

namespace sumaris {

class Wire;

// One visible wire row: its bit cells and the red index labels above them,
// painted by one widget. The widget reads the cell texts from the wire on
// every paint, so it holds no simulation state and a repaint is all a
// refresh needs.
//
// The widget's top left is the top left of the index label of cell 0
// (twips::kIndexAbove above and twips::kIndexLeft left of cell 0). Place it
// with PlaceAt. Cells and labels are painted as app/style.h says.
class WireRowWidget : public QWidget {
  Q_OBJECT

 public:
  // `greyCell` is drawn as the hidden bit, on grey; -1 for none.
  WireRowWidget(const Wire& wire, int groupGap, int greyCell = -1, QWidget* parent = nullptr);

  // Puts cell 0's top left at (left, top) twips of the parent's drawing.
  void PlaceAt(int leftTwips, int topTwips);
  // Draws the row at `zoom` times its designed size (cells, digits and bit
  // numbers alike), placed in a drawing shown at that zoom.
  void SetZoom(double zoom);
  double zoom() const { return zoom_; }

  const Wire& wire() const { return wire_; }
  const RowGeometry& rowGeometry() const { return row_; }
  int groupGap() const { return groupGap_; }

  // Where cell p and its index label are painted, in widget pixels.
  QRect CellRect(int position) const;
  QRect IndexRect(int position) const;
  // The cell at a widget position, -1 when none.
  int CellAt(const QPoint& point) const;

  QSize sizeHint() const override;

  // Whether the cell at a position is drawn marked as changed by the last
  // recomputation; none: no cell is.
  std::function<bool(int position)> changedCell;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void ComputeRects();

  const Wire& wire_;
  int groupGap_;
  int greyCell_;
  RowGeometry row_;
  int originLeft_ = 0;  // twips of cell 0 in the parent's drawing
  int originTop_ = 0;
  double zoom_ = 1.0;
  std::vector<QRect> cellRects_;
  std::vector<QRect> indexRects_;
  QSize size_;
};

}  // namespace sumaris
