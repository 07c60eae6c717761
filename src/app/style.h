#pragma once

// The look of the windows in one place: fonts, colours, pens and the painting
// of a bit cell. Distances that the Qt-free layout tables share with the
// windows (cell sizes, the margin, a title's height) are in
// app/layouts/measures.h; the ones only the windows need are here.
//
// Lines, texts and backgrounds take their colours from the widget's palette
// (WindowText, Window, Base, Text), so another palette recolours every window
// at once. The colours named below carry a meaning of their own (the hidden
// bit, the index labels, the hardware units, the marked path): under the
// light palette they have their designed values; under the dark palette
// they keep their hue, darkened where a light text stands on them and
// lightened where they are the text, so that everything stays readable.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPen>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <QWidget>
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
// A font of a drawing shown at `zoom` (1 as designed): the same face at
// that many times its size, so the text stays crisp.
QFont Zoomed(QFont font, double zoom);

// --- the palettes -----------------------------------------------------------------

// The program's style: Fusion, whose title bars stay readable under the dark
// palette too. Set once; UseDarkPalette sets it when it is not yet.
void UseProgramStyle();

// The program's light palette (the style's own) and its dark one.
QPalette LightPalette();
QPalette DarkPalette();
// Which of the two the program shows: the colours below answer for it.
// Switching also sets the application's palette; windows then call
// ApplyFixedColours so that the colours set with SetFixedColour follow.
void UseDarkPalette(bool dark);
bool DarkPaletteInUse();

// Every colour with a meaning, by name; the functions below return them.
enum class Fixed {
  CellFrame,
  HiddenBit,
  Index,
  Unit,
  Ink,
  Highlight,
  HighlightFrame,
  BlockFrame,
  Flow,
  Marked,
  SignBox,
  ExponentBox,
  FractionBox,
  DecimalBox,
  PlainBox,
  BoxFrame,
  FocusFrame,
  Editor,
  EditorIndex,
  AboutSheet,
  AboutHeading,
  AboutText,
  AboutNotice,
  Readout,
  Warning,
  WarningBackground,
  ControlFlow,
  StaleText,
  ChangedCell,
  ChangedFrame,
  Agrees,
  Differs,
  ButtonFace,  // the palette's own button colour and its text
  ButtonText,
};
QColor Colour(Fixed which);
// Sets a role of a widget's palette to a colour with a meaning and
// remembers it, so that ApplyFixedColours can set it again under the other
// palette.
void SetFixedColour(QWidget* widget, QPalette::ColorRole role, Fixed which);
// Sets every colour set with SetFixedColour in `root` and its descendants
// again, for the palette in use.
void ApplyFixedColours(QWidget* root);

// --- colours with a meaning ------------------------------------------------------

// The frame round every bit cell.
inline QColor CellFrameColor() {
  return Colour(Fixed::CellFrame);
}
// The background of the hidden bit, a cell that holds no stored bit.
inline QColor HiddenBitColor() {
  return Colour(Fixed::HiddenBit);
}
// The bit numbers above a row.
inline QColor IndexColor() {
  return Colour(Fixed::Index);
}
// The light orange of a hardware unit, in the stage windows and the overviews.
inline QColor UnitColor() {
  return Colour(Fixed::Unit);
}
// Text on the colours of the units and the operand boxes: black on their
// light colours, light on their dark ones.
inline QColor InkColor() {
  return Colour(Fixed::Ink);
}
// The block of the stage in front, in its path overview, and its outline;
// the outline of the other blocks.
inline QColor HighlightColor() {
  return Colour(Fixed::Highlight);
}
inline QColor HighlightFrameColor() {
  return Colour(Fixed::HighlightFrame);
}
inline QColor BlockFrameColor() {
  return Colour(Fixed::BlockFrame);
}
// The data flow between the blocks of a path overview.
inline QColor FlowColor() {
  return Colour(Fixed::Flow);
}
// A control signal between the blocks of a path overview (a select, a
// shift amount), drawn dashed and named.
inline QColor ControlFlowColor() {
  return Colour(Fixed::ControlFlow);
}
// The control panel's path that is running; also the program's icon, with
// its darker rim and its sign.
inline QColor MarkedColor() {
  return Colour(Fixed::Marked);
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
  return Colour(Fixed::SignBox);
}
inline QColor ExponentBoxColor() {
  return Colour(Fixed::ExponentBox);
}
inline QColor FractionBoxColor() {
  return Colour(Fixed::FractionBox);
}
inline QColor DecimalBoxColor() {
  return Colour(Fixed::DecimalBox);
}
// The text of a decimal box that no longer describes its operand's bits.
inline QColor StaleTextColor() {
  return Colour(Fixed::StaleText);
}
inline QColor PlainBoxColor() {
  return Colour(Fixed::PlainBox);
}
// The frame of a one-bit box, and of the one that has the focus.
inline QColor BoxFrameColor() {
  return Colour(Fixed::BoxFrame);
}
inline QColor FocusFrameColor() {
  return Colour(Fixed::FocusFrame);
}
// The Wire Bits Editor's background and its bit numbers.
inline QColor EditorColor() {
  return Colour(Fixed::Editor);
}
inline QColor EditorIndexColor() {
  return Colour(Fixed::EditorIndex);
}
// The About page: its grey sheet, headings and warnings, body text and the
// copyright notice.
inline QColor AboutSheetColor() {
  return Colour(Fixed::AboutSheet);
}
inline QColor AboutHeadingColor() {
  return Colour(Fixed::AboutHeading);
}
inline QColor AboutTextColor() {
  return Colour(Fixed::AboutText);
}
inline QColor AboutNoticeColor() {
  return Colour(Fixed::AboutNotice);
}
// A read-out that the stage computes outside its wires.
inline QColor ReadoutColor() {
  return Colour(Fixed::Readout);
}
// The warning that the system is inconsistent, and the note it stands on;
// also the control panel's caption while the program loads.
inline QColor WarningColor() {
  return Colour(Fixed::Warning);
}
inline QColor WarningBackgroundColor() {
  return Colour(Fixed::WarningBackground);
}

// A cell whose text the last recomputation (Run, Reset, Apply) changed: a
// warm tint under the text and a frame of the same hue.
inline QColor ChangedCellColor() {
  return Colour(Fixed::ChangedCell);
}
inline QColor ChangedFrameColor() {
  return Colour(Fixed::ChangedFrame);
}
// The Results window's verdict beside IEEE 754: the same, or different.
inline QColor AgreesColor() {
  return Colour(Fixed::Agrees);
}
inline QColor DiffersColor() {
  return Colour(Fixed::Differs);
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
  // `zoom` scales the cell font with a drawing shown larger or smaller.
  CellPainter(QPainter& painter, const QPalette& palette, DigitPlacement digits, double zoom = 1.0);

  // `changed`: the last recomputation changed the cell's text; it is drawn
  // tinted in a frame of its own colour.
  void Paint(const QRect& box, std::string_view text, CellState state = CellState::Plain,
             bool changed = false);

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
