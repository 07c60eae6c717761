#include "app/style.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionTitleBar>
#include <QVariant>
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

QFont Zoomed(QFont font, double zoom) {
  if (zoom != 1.0) font.setPointSizeF(font.pointSizeF() * zoom);
  return font;
}

// --- the palettes ----------------------------------------------------------------

namespace {

bool& DarkFlag() {
  static bool dark = false;
  return dark;
}

// A colour with a meaning: as designed, and in the dark palette.
struct Pair {
  QColor light;
  QColor dark;
};

Pair PairOf(Fixed which) {
  switch (which) {
    case Fixed::CellFrame:
      return {{150, 150, 150}, {112, 112, 112}};
    case Fixed::HiddenBit:
      return {{192, 192, 192}, {88, 88, 88}};
    case Fixed::Index:
      return {{255, 0, 0}, {255, 104, 104}};
    case Fixed::Unit:
      return {{255, 224, 192}, {94, 66, 38}};
    case Fixed::Ink:
      return {{0, 0, 0}, {235, 235, 235}};
    case Fixed::Highlight:
      return {{255, 255, 192}, {82, 82, 36}};
    case Fixed::HighlightFrame:
      return {{160, 128, 0}, {224, 184, 48}};
    case Fixed::BlockFrame:
      return {{150, 150, 150}, {120, 120, 120}};
    case Fixed::Flow:
      return {{40, 40, 40}, {205, 205, 205}};
    case Fixed::Marked:
      return {{0, 192, 192}, {0, 104, 104}};
    case Fixed::SignBox:
      return {{255, 192, 192}, {106, 46, 46}};
    case Fixed::ExponentBox:
      return {{255, 255, 192}, {86, 86, 30}};
    case Fixed::FractionBox:
      return {{192, 255, 255}, {30, 86, 86}};
    case Fixed::DecimalBox:
      return {{192, 255, 192}, {34, 86, 34}};
    case Fixed::PlainBox:
      return {{255, 255, 255}, {40, 40, 44}};
    case Fixed::BoxFrame:
      return {{128, 128, 128}, {140, 140, 140}};
    case Fixed::FocusFrame:
      return {{0, 0, 192}, {110, 160, 255}};
    case Fixed::Editor:
      return {{255, 192, 255}, {78, 40, 78}};
    case Fixed::EditorIndex:
      return {{0, 0, 255}, {150, 170, 255}};
    case Fixed::AboutSheet:
      return {{192, 192, 192}, {58, 58, 58}};
    case Fixed::AboutHeading:
      return {{255, 0, 0}, {255, 104, 104}};
    case Fixed::AboutText:
      return {{0, 0, 255}, {140, 165, 255}};
    case Fixed::AboutNotice:
      return {{128, 128, 0}, {212, 212, 92}};
    case Fixed::Readout:
      return {{0, 0, 128}, {150, 182, 255}};
    case Fixed::Warning:
      return {{255, 0, 0}, {255, 112, 112}};
    case Fixed::WarningBackground:
      return {{255, 255, 192}, {78, 68, 18}};
    case Fixed::ControlFlow:
      return {{0, 0, 192}, {120, 160, 255}};
    case Fixed::StaleText:
      return {{140, 140, 140}, {128, 128, 128}};
    case Fixed::ChangedCell:
      return {{255, 228, 150}, {96, 70, 16}};
    case Fixed::ChangedFrame:
      return {{224, 112, 0}, {255, 168, 64}};
    case Fixed::Agrees:
      return {{0, 128, 0}, {110, 210, 110}};
    case Fixed::Differs:
      return {{192, 0, 0}, {255, 120, 110}};
    case Fixed::ButtonFace: {
      const QColor c = QApplication::palette().color(QPalette::Button);
      return {c, c};
    }
    case Fixed::ButtonText: {
      const QColor c = QApplication::palette().color(QPalette::ButtonText);
      return {c, c};
    }
  }
  return {{0, 0, 0}, {235, 235, 235}};
}

constexpr char kFixedProperty[] = "sumarisFixedColours";

// Fusion, but for the title bar of a window that is not the active one
// under the dark palette: Fusion draws its buttons black there, on a dark
// bar. It is drawn as an active bar in a dim grey instead, with light text
// and buttons; the active window's bar keeps the highlight colour.
class ProgramStyle final : public QProxyStyle {
 public:
  explicit ProgramStyle(QStyle* base) : QProxyStyle(base) {}

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    if (control == CC_TitleBar && DarkPaletteInUse()) {
      const auto* bar = qstyleoption_cast<const QStyleOptionTitleBar*>(option);
      if (bar != nullptr && !(bar->titleBarState & State_Active)) {
        QStyleOptionTitleBar dim(*bar);
        dim.state |= State_Active;
        dim.titleBarState |= State_Active;
        dim.palette.setColor(QPalette::Highlight, QColor(82, 82, 90));
        QProxyStyle::drawComplexControl(control, &dim, painter, widget);
        return;
      }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
  }
};

}  // namespace

void UseProgramStyle() {
  if (dynamic_cast<ProgramStyle*>(QApplication::style()) != nullptr) return;
  if (QStyle* fusion = QStyleFactory::create("Fusion"))
    QApplication::setStyle(new ProgramStyle(fusion));
}

QPalette LightPalette() {
  return QApplication::style() != nullptr ? QApplication::style()->standardPalette() : QPalette();
}

QPalette DarkPalette() {
  QPalette p;
  const auto set = [&p](QPalette::ColorRole role, QColor colour) {
    p.setColor(QPalette::All, role, colour);
  };
  set(QPalette::Window, QColor(50, 50, 54));
  set(QPalette::WindowText, QColor(228, 228, 228));
  set(QPalette::Base, QColor(36, 36, 40));
  set(QPalette::AlternateBase, QColor(46, 46, 50));
  set(QPalette::Text, QColor(232, 232, 232));
  set(QPalette::PlaceholderText, QColor(140, 140, 140));
  set(QPalette::Button, QColor(62, 62, 68));
  set(QPalette::ButtonText, QColor(228, 228, 228));
  set(QPalette::BrightText, QColor(255, 110, 110));
  set(QPalette::ToolTipBase, QColor(64, 64, 70));
  set(QPalette::ToolTipText, QColor(235, 235, 235));
  set(QPalette::Light, QColor(84, 84, 90));
  set(QPalette::Midlight, QColor(72, 72, 78));
  set(QPalette::Mid, QColor(44, 44, 48));
  set(QPalette::Dark, QColor(32, 32, 36));
  set(QPalette::Shadow, QColor(26, 26, 28));
  set(QPalette::Highlight, QColor(46, 112, 196));
  set(QPalette::HighlightedText, QColor(255, 255, 255));
  set(QPalette::Link, QColor(120, 170, 255));
  set(QPalette::LinkVisited, QColor(180, 140, 255));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
  }
  return p;
}

void UseDarkPalette(bool dark) {
  UseProgramStyle();
  DarkFlag() = dark;
  QApplication::setPalette(dark ? DarkPalette() : LightPalette());
}

bool DarkPaletteInUse() {
  return DarkFlag();
}

QColor Colour(Fixed which) {
  const Pair pair = PairOf(which);
  return DarkFlag() ? pair.dark : pair.light;
}

void SetFixedColour(QWidget* widget, QPalette::ColorRole role, Fixed which) {
  QVariantMap fixed = widget->property(kFixedProperty).toMap();
  fixed.insert(QString::number(static_cast<int>(role)), static_cast<int>(which));
  widget->setProperty(kFixedProperty, fixed);
  QPalette palette = widget->palette();
  palette.setColor(role, Colour(which));
  widget->setPalette(palette);
}

void ApplyFixedColours(QWidget* root) {
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* widget : widgets) {
    const QVariantMap fixed = widget->property(kFixedProperty).toMap();
    if (fixed.isEmpty()) continue;
    QPalette palette = widget->palette();
    for (auto it = fixed.cbegin(); it != fixed.cend(); ++it) {
      palette.setColor(static_cast<QPalette::ColorRole>(it.key().toInt()),
                       Colour(static_cast<Fixed>(it.value().toInt())));
    }
    widget->setPalette(palette);
  }
}

QFont IconFont() {
  QFont font("Arial");
  font.setPixelSize(24);
  font.setBold(true);
  return font;
}

CellPainter::CellPainter(QPainter& painter, const QPalette& palette, DigitPlacement digits,
                         double zoom)
    : painter_(painter),
      background_(palette.color(QPalette::Base)),
      text_(palette.color(QPalette::Text)),
      digits_(digits) {
  const QFont font = Zoomed(CellFont(), zoom);
  painter_.setFont(font);
  painter_.setBrush(Qt::NoBrush);
  const QFontMetrics metrics(font);
  zeroWidth_ = metrics.horizontalAdvance(QLatin1Char('0'));
  textHeight_ = metrics.height();
}

void CellPainter::Paint(const QRect& box, std::string_view text, CellState state, bool changed) {
  // The hidden bit keeps its grey; a changed one is known by its frame.
  QColor fill = state == CellState::HiddenBit ? HiddenBitColor() : background_;
  if (changed && state != CellState::HiddenBit) fill = ChangedCellColor();
  painter_.fillRect(box, fill);
  if (changed) {
    // Two pixels of the frame's colour, inside the cell.
    painter_.setPen(QPen(ChangedFrameColor(), 2));
    painter_.drawRect(QRectF(box).adjusted(1, 1, -1, -1));
  } else {
    painter_.setPen(CellFrameColor());
    painter_.drawRect(box.adjusted(0, 0, -1, -1));
  }
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
