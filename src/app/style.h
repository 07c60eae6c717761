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

// Arial of any size, bold or not, for the windows that set their texts in
// several sizes.
QFont Arial(double points, bool bold);
// Every window's text unless said otherwise: Arial 8.25.
QFont ProgramFont();
// Wire and signal titles and the stage windows' buttons: Arial 8.25.
QFont TitleFont();
// A hardware unit's name inside its outline: Tahoma 8.25, scaled with the
// drawing of a path overview down to 4 points at the least.
QFont UnitFont(double scale = 1.0);
// Small notes such as the input marks of a multiplexer: Arial 7.
QFont NoteFont();
// A window's heading and the editor's wire name: Arial 12 bold.
QFont HeadingFont();
// Read-outs of a result, the Inconsistent warning and the control panel's
// captions and step display: Arial 9.75 bold.
QFont EmphasisFont();
// The text of a bit cell: Times New Roman 8.25.
QFont CellFont();
// The bit numbers above a row's cells and over the editor's boxes: Arial 8.25.
QFont IndexFont();
// The one-character boxes of the Wire Bits Editor: Times New Roman 9.75.
QFont EditorBoxFont();
// The operand entry and the injection table: Arial, or a face of the same
// measures where Arial is missing; 8.25 unless said otherwise.
QFont FormFont(double points = 8.25, bool bold = false);
// The sum sign on the program's icon: Arial bold, 24 pixels high.
QFont IconFont();

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
// Text on the fixed light colours here (units, operand boxes), which stay
// light whatever the palette.
inline QColor InkColor() {
  return QColor(0, 0, 0);
}
// The block of the stage in front, in its path overview, and its outline;
// the outline of the other blocks.
inline QColor HighlightColor() {
  return QColor(255, 255, 192);
}
inline QColor HighlightFrameColor() {
  return QColor(160, 128, 0);
}
inline QColor BlockFrameColor() {
  return QColor(150, 150, 150);
}
// The data flow between the blocks of a path overview.
inline QColor FlowColor() {
  return QColor(40, 40, 40);
}
// A control signal between the blocks of a path overview (a select, a
// shift amount), drawn dashed and named.
inline QColor ControlFlowColor() {
  return QColor(0, 0, 192);
}
// The control panel's path that is running; also the program's icon, with
// its darker rim and its sign.
inline QColor MarkedColor() {
  return QColor(0, 192, 192);
}
inline QColor IconRimColor() {
  return QColor(0, 96, 96);
}
inline QColor IconSignColor() {
  return QColor(255, 255, 255);
}
// The operand entry's boxes: sign, exponent, fraction, decimal value, and a
// plain box (the injection bits). The hidden bit is on HiddenBitColor.
inline QColor SignBoxColor() {
  return QColor(255, 192, 192);
}
inline QColor ExponentBoxColor() {
  return QColor(255, 255, 192);
}
inline QColor FractionBoxColor() {
  return QColor(192, 255, 255);
}
inline QColor DecimalBoxColor() {
  return QColor(192, 255, 192);
}
// The text of a decimal box that no longer describes its operand's bits.
inline QColor StaleTextColor() {
  return QColor(140, 140, 140);
}
inline QColor PlainBoxColor() {
  return QColor(255, 255, 255);
}
// The frame of a one-bit box, and of the one that has the focus.
inline QColor BoxFrameColor() {
  return QColor(128, 128, 128);
}
inline QColor FocusFrameColor() {
  return QColor(0, 0, 192);
}
// The Wire Bits Editor's background and its bit numbers.
inline QColor EditorColor() {
  return QColor(255, 192, 255);
}
inline QColor EditorIndexColor() {
  return QColor(0, 0, 255);
}
// The About page: its grey sheet, headings and warnings, body text and the
// copyright notice.
inline QColor AboutSheetColor() {
  return QColor(192, 192, 192);
}
inline QColor AboutHeadingColor() {
  return QColor(255, 0, 0);
}
inline QColor AboutTextColor() {
  return QColor(0, 0, 255);
}
inline QColor AboutNoticeColor() {
  return QColor(128, 128, 0);
}
// A read-out that the stage computes outside its wires.
inline QColor ReadoutColor() {
  return QColor(0, 0, 128);
}
// The warning that the system is inconsistent, and the note it stands on;
// also the control panel's caption while the program loads.
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
