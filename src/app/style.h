#pragma once

// The look of the windows in one place: fonts, colours, pens and the painting
// of a bit cell. Distances that the Qt-free layout tables share with the
// windows (cell sizes, the margin, a title's height) are in
// app/layouts/measures.h; the ones only the windows need are here.
//
// Lines, texts and backgrounds take their colours from the widget's palette
// (WindowText, Window, Base, Text), so another palette recolours every window
// at once. The colours named below carry a meaning of their own (the hidden
// bit, the index labels, the hardware units, the marked path) and keep their
// values whatever the palette.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPen>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <string_view>

#include "app/layouts/measures.h"

class QPainter;

namespace sumaris::style {

// --- fonts ---------------------------------------------------------------------
// Sizes in points, as the windows give them.

// Arial of any size, for the windows that set their texts in several sizes.
QFont Arial(double points, bool bold = false);
// Every window's text unless said otherwise: Arial 8.25.
QFont ProgramFont();
// Wire and signal titles and the stage windows' buttons: Arial 8.25.
QFont TitleFont();
// A hardware unit's name inside its outline: Tahoma 8.25, or scaled with the
// drawing of a path overview.
QFont UnitFont(double points = 8.25);
// Small notes such as the input marks of a multiplexer: Arial 7.
QFont NoteFont();
// A window's heading and the editor's wire name: Arial 12 bold.
QFont HeadingFont();
// Read-outs of a result and the Inconsistent warning: Arial 9.75 bold.
QFont EmphasisFont();
// The text of a bit cell: Times New Roman 8.25.
QFont CellFont();
// The bit numbers above a row's cells: Arial 8.25.
QFont IndexFont();

// --- colours with a meaning ------------------------------------------------------

// The frame round every bit cell.
inline QColor CellFrameColor() {
  return QColor(150, 150, 150);
}
// The background of the hidden bit, a cell that holds no stored bit.
inline QColor HiddenBitColor() {
  return QColor(192, 192, 192);
}
// The bit numbers above a row.
inline QColor IndexColor() {
  return QColor(255, 0, 0);
}
// The light orange of a hardware unit, in the stage windows and the overviews.
inline QColor UnitColor() {
  return QColor(255, 224, 192);
}
// A read-out that the stage computes outside its wires.
inline QColor ReadoutColor() {
  return QColor(0, 0, 128);
}
// The warning that the system is inconsistent, and the note it stands on.
inline QColor WarningColor() {
  return QColor(255, 0, 0);
}
inline QColor WarningBackgroundColor() {
  return QColor(255, 255, 192);
}

// --- pens ----------------------------------------------------------------------

// The outline of a hardware unit: one pixel in the palette's text colour.
inline QPen OutlinePen(const QPalette& palette) {
  return QPen(palette.color(QPalette::WindowText), 1);
}
// A connection along the data flow, a little heavier than an outline.
inline QPen LinePen(const QPalette& palette) {
  return QPen(palette.color(QPalette::WindowText), 1.2);
}

// --- sizes of the stage windows, in twips ------------------------------------------

// The filled head of a connection's arrow: its length and half its width.
inline constexpr int kArrowLength = 90;
inline constexpr int kArrowHalfWidth = 45;
// A row's title is set in a label at least this wide, with this much room
// after its measured text.
inline constexpr int kRowTitleMinWidth = 1200;
inline constexpr int kRowTitleRoom = 60;

// --- bit cells -------------------------------------------------------------------

// What a cell shows besides its text.
enum class CellState {
  Plain,
  HiddenBit,  // the hidden bit of a significand, on grey
};

// Where a cell's "0" or "1" stands. A wire row sets its digits on whole
// pixels from glyphs laid out once, which keeps long rows quick to paint and
// their digits in even columns; a single cell centres its text exactly. The
// two places differ by less than a pixel. Any other text is centred.
enum class DigitPlacement { WholePixel, Centred };

// Paints bit cells, each a background, a grey frame and its text centred in
// the cell font: the palette's Base and Text, the hidden bit on grey. One
// painter serves a whole paint event; it sets the painter's font.
class CellPainter {
 public:
  CellPainter(QPainter& painter, const QPalette& palette, DigitPlacement digits);

  void Paint(const QRect& box, std::string_view text, CellState state = CellState::Plain);

 private:
  QPainter& painter_;
  QColor background_;
  QColor text_;
  DigitPlacement digits_;
  int zeroWidth_ = 0;
  int textHeight_ = 0;
  QStaticText zero_{QStringLiteral("0")};
  QStaticText one_{QStringLiteral("1")};
};

}  // namespace sumaris::style
