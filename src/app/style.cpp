#include "app/style.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace sumaris::style {

namespace {

// A face at a size, bold only when asked.
QFont Font(const char* family, double points, bool bold = false) {
  QFont font(family);
  font.setPointSizeF(points);
  if (bold) font.setBold(true);
  return font;
}

}  // namespace

QFont Arial(double points, bool bold) {
  QFont font("Arial");
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QFont ProgramFont() {
  return Font("Arial", 8.25);
}

QFont TitleFont() {
  return Font("Arial", 8.25);
}

QFont UnitFont(double scale) {
  return Font("Tahoma", std::max(4.0, 8.25 * scale));
}

QFont NoteFont() {
  return Font("Arial", 7);
}

QFont HeadingFont() {
  return Font("Arial", 12, true);
}

QFont EmphasisFont() {
  return Font("Arial", 9.75, true);
}

QFont CellFont() {
  return Font("Times New Roman", 8.25);
}

QFont IndexFont() {
  return Font("Arial", 8.25);
}

QFont EditorBoxFont() {
  return Font("Times New Roman", 9.75);
}

QFont FormFont(double points, bool bold) {
  QFont font;
  font.setFamilies({"Arial", "Liberation Sans"});
  font.setPointSizeF(points);
  if (bold) font.setBold(true);
  return font;
}

QFont IconFont() {
  QFont font("Arial");
  font.setPixelSize(24);
  font.setBold(true);
  return font;
}

CellPainter::CellPainter(QPainter& painter, const QPalette& palette, DigitPlacement digits)
    : painter_(painter),
      background_(palette.color(QPalette::Base)),
      text_(palette.color(QPalette::Text)),
      digits_(digits) {
  const QFont font = CellFont();
  painter_.setFont(font);
  painter_.setBrush(Qt::NoBrush);
  const QFontMetrics metrics(font);
  zeroWidth_ = metrics.horizontalAdvance(QLatin1Char('0'));
  textHeight_ = metrics.height();
}

void CellPainter::Paint(const QRect& box, std::string_view text, CellState state) {
  painter_.fillRect(box, state == CellState::HiddenBit ? HiddenBitColor() : background_);
  painter_.setPen(CellFrameColor());
  painter_.drawRect(box.adjusted(0, 0, -1, -1));
  painter_.setPen(text_);
  const bool zero = text == "0";
  if (digits_ == DigitPlacement::WholePixel && (zero || text == "1")) {
    // The digits share one advance width: centred on it, rounded down.
    const QPoint glyphAt(box.left() + (box.width() - zeroWidth_ + 1) / 2,
                         box.top() + (box.height() - textHeight_) / 2);
    painter_.drawStaticText(glyphAt, zero ? zero_ : one_);
  } else {
    painter_.drawText(box, Qt::AlignCenter | Qt::TextDontClip,
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
}

}  // namespace sumaris::style
