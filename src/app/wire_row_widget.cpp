#include "app/wire_row_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "app/style.h"
#include "app/twips.h"
#include "core/wire.h"

namespace sumaris {

WireRowWidget::WireRowWidget(const Wire& wire, int groupGap, int greyCell, QWidget* parent)
    : QWidget(parent),
      wire_(wire),
      groupGap_(groupGap),
      greyCell_(greyCell),
      row_(LayoutWire(wire.first(), wire.last(), groupGap)) {
  setObjectName(QString::fromStdString(wire.name()));
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  ComputeRects();
}

void WireRowWidget::PlaceAt(int leftTwips, int topTwips) {
  originLeft_ = leftTwips;
  originTop_ = topTwips;
  ComputeRects();
  move(Tw(leftTwips - twips::kIndexLeft, zoom_), Tw(topTwips - twips::kIndexAbove, zoom_));
}

void WireRowWidget::SetZoom(double zoom) {
  if (zoom == zoom_) return;
  zoom_ = zoom;
  PlaceAt(originLeft_, originTop_);
  update();
}

void WireRowWidget::ComputeRects() {
  // Every edge is converted from absolute twips, so rounding never adds up
  // along a long row.
  const double z = zoom_;
  const int x0 = Tw(originLeft_ - twips::kIndexLeft, z);
  const int y0 = Tw(originTop_ - twips::kIndexAbove, z);
  cellRects_.clear();
  indexRects_.clear();
  int right = 0;
  int bottom = 0;
  for (const RowCell& cell : row_.cells) {
    const int left = originLeft_ + cell.left;
    const QRect box(QPoint(Tw(left, z) - x0, Tw(originTop_, z) - y0),
                    QPoint(Tw(left + twips::kCellWidth, z) - x0 - 1,
                           Tw(originTop_ + twips::kCellHeight, z) - y0 - 1));
    const int labelLeft = left - twips::kIndexLeft;
    const int labelTop = originTop_ - twips::kIndexAbove;
    const QRect label(QPoint(Tw(labelLeft, z) - x0, Tw(labelTop, z) - y0),
                      QPoint(Tw(labelLeft + twips::kIndexSize, z) - x0 - 1,
                             Tw(labelTop + twips::kIndexSize, z) - y0 - 1));
    cellRects_.push_back(box);
    indexRects_.push_back(label);
    right = std::max({right, box.right(), label.right()});
    bottom = std::max({bottom, box.bottom(), label.bottom()});
  }
  size_ = QSize(right + 1, bottom + 1);
  resize(size_);
}

QRect WireRowWidget::CellRect(int position) const {
  return cellRects_.at(static_cast<std::size_t>(position));
}

QRect WireRowWidget::IndexRect(int position) const {
  return indexRects_.at(static_cast<std::size_t>(position));
}

int WireRowWidget::CellAt(const QPoint& point) const {
  for (std::size_t p = 0; p < cellRects_.size(); ++p) {
    if (cellRects_[p].contains(point)) return static_cast<int>(p);
  }
  return -1;
}

QSize WireRowWidget::sizeHint() const {
  return size_;
}

void WireRowWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect dirty = event->rect();

  style::CellPainter cells(painter, palette(), style::DigitPlacement::WholePixel, zoom_);
  const int count = std::min(static_cast<int>(cellRects_.size()), wire_.size());
  for (int p = 0; p < count; ++p) {
    const QRect& box = cellRects_[static_cast<std::size_t>(p)];
    if (!box.intersects(dirty)) continue;
    cells.Paint(box, wire_[p].text(),
                p == greyCell_ ? style::CellState::HiddenBit : style::CellState::Plain,
                changedCell && changedCell(p));
  }

  painter.setFont(style::Zoomed(style::IndexFont(), zoom_));
  painter.setPen(style::IndexColor());
  for (std::size_t p = 0; p < row_.cells.size(); ++p) {
    const RowCell& cell = row_.cells[p];
    if (!cell.indexVisible) continue;
    const QRect& label = indexRects_[p];
    if (!label.intersects(dirty)) continue;
    painter.drawText(label, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                     QString::fromStdString(cell.index));
  }
}

}  // namespace sumaris
