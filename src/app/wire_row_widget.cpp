#include "app/wire_row_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>
#include <algorithm>

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

QFont WireRowWidget::CellFont() {
  QFont font("Times New Roman");
  font.setPointSizeF(8.25);
  return font;
}

QFont WireRowWidget::IndexFont() {
  QFont font("Arial");
  font.setPointSizeF(8.25);
  return font;
}

void WireRowWidget::PlaceAt(int leftTwips, int topTwips) {
  originLeft_ = leftTwips;
  originTop_ = topTwips;
  ComputeRects();
  move(Tw(leftTwips - twips::kIndexLeft), Tw(topTwips - twips::kIndexAbove));
}

void WireRowWidget::ComputeRects() {
  // Every edge is converted from absolute twips, so rounding never adds up
  // along a long row.
  const int x0 = Tw(originLeft_ - twips::kIndexLeft);
  const int y0 = Tw(originTop_ - twips::kIndexAbove);
  cellRects_.clear();
  indexRects_.clear();
  int right = 0;
  int bottom = 0;
  for (const RowCell& cell : row_.cells) {
    const int left = originLeft_ + cell.left;
    const QRect box(QPoint(Tw(left) - x0, Tw(originTop_) - y0),
                    QPoint(Tw(left + twips::kCellWidth) - x0 - 1,
                           Tw(originTop_ + twips::kCellHeight) - y0 - 1));
    const int labelLeft = left - twips::kIndexLeft;
    const int labelTop = originTop_ - twips::kIndexAbove;
    const QRect label(QPoint(Tw(labelLeft) - x0, Tw(labelTop) - y0),
                      QPoint(Tw(labelLeft + twips::kIndexSize) - x0 - 1,
                             Tw(labelTop + twips::kIndexSize) - y0 - 1));
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

  const QFont cellFont = CellFont();
  painter.setFont(cellFont);
  const QFontMetrics metrics(cellFont);
  const int zeroWidth = metrics.horizontalAdvance(QLatin1Char('0'));
  const int textHeight = metrics.height();
  const QColor frame(150, 150, 150);
  const int cells = std::min(static_cast<int>(cellRects_.size()), wire_.size());
  for (int p = 0; p < cells; ++p) {
    const QRect& box = cellRects_[static_cast<std::size_t>(p)];
    if (!box.intersects(dirty)) continue;
    painter.fillRect(box, p == greyCell_ ? GreyCellColor() : QColor(Qt::white));
    painter.setPen(frame);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    const Cell& cell = wire_[p];
    const QPoint glyphAt(box.left() + (box.width() - zeroWidth + 1) / 2,
                         box.top() + (box.height() - textHeight) / 2);
    if (cell.Is('0')) {
      painter.drawStaticText(glyphAt, zero_);
    } else if (cell.Is('1')) {
      painter.drawStaticText(glyphAt, one_);
    } else {
      const std::string_view text = cell.text();
      painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip,
                       QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
  }

  painter.setFont(IndexFont());
  painter.setPen(IndexColor());
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
