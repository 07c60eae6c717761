#pragma once

// The drawing vocabulary of the stage layout tables. A table reads as a
// schematic: wire rows and single cells, one box per hardware unit with its
// name inside, multiplexers with their input marks, lines along the data
// flow with the arrow at the consumer, and the buttons that open the Wire
// Bits Editor. Everything is in twips.
//
// A drawing names its wires by the stage's members (`stage.FLP`): a row
// takes the wire's name, range and title from the wire, and an Edit button
// hands the editor the whole wire under that title. Where a drawing shows
// or edits something else, it says so with explicit names and numbers.

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/layouts/measures.h"
#include "app/layouts/row_layout.h"
#include "app/layouts/stage_layout.h"
#include "core/wire.h"

namespace sumaris::layout {

inline constexpr int kMargin = twips::kMargin;  // around the drawing
inline constexpr int kCellWidth = twips::kCellWidth;
inline constexpr int kCellHeight = twips::kCellHeight;
inline constexpr int kCellPitch = twips::kCellPitch;
inline constexpr int kIndexAbove = twips::kIndexAbove;
inline constexpr int kTitleAbove = twips::kTitleAbove;  // a row's title above its cells
inline constexpr int kTextHeight = twips::kTextHeight;
inline constexpr int kButtonWidth = 495;  // "Edit"
inline constexpr int kDotsWidth = 330;    // "..."
inline constexpr int kButtonHeight = 255;

// A text beside a cell starts this far below the cell's top, level with the
// cell's own text.
inline constexpr int kTextLevel = 40;
constexpr int TextLevelWith(int cellTop) {
  return cellTop + kTextLevel;
}
// A title over a single cell starts this far above the cell's top.
inline constexpr int kTitleAboveCell = 290;
// A button level with a cell, centred on its height.
constexpr int ButtonLevelWith(int cellTop) {
  return cellTop + (kCellHeight - kButtonHeight) / 2;
}
// A title or button beside a single cell starts this far past it; in the
// drawings that set a button close to its cell, kButtonGap past it.
inline constexpr int kBesideGap = 80;
inline constexpr int kButtonGap = 60;
// An arrow into a row from above ends just over its index labels.
constexpr int AboveIndexLabels(int rowTop) {
  return rowTop - kIndexAbove - 10;
}
// A title set close right of a cell starts this far past it.
inline constexpr int kCloseGap = 40;
// A text that names a bus starts this far right of the bus.
inline constexpr int kBusTextGap = 80;
// A note that names a line runs this far below it.
inline constexpr int kNoteBelowLine = 60;
// A unit under a row reaches this far past the row's last cell.
inline constexpr int kUnitOverhang = 60;

// Width of a text in 8.25-point Arial, from the advance widths of the face
// rounded to twips (an em is 165 twips). Places what follows a title and
// titles that end at a cell.
int TextWidth(std::string_view text);

// Where something may start after a title that starts at `left`.
inline int After(int left, std::string_view title) {
  return left + TextWidth(title) + 100;
}
// Where a button starts after a row's title that starts at `left`: a little
// further off than After, as the window sets a row's title in its own width.
inline int ButtonAfterRowTitle(int left, std::string_view title) {
  return After(left, title) + 40;
}
// Where a title starts to end short of x.
inline int LeftOf(std::string_view title, int x) {
  return x - TextWidth(title) - 100;
}

// The middle of a single cell whose left edge is at cellLeft.
constexpr int CellCentre(int cellLeft) {
  return cellLeft + kCellWidth / 2;
}

// Where the cells of a visible wire row lie, for the lines that meet them.
struct RowPlace {
  int left = 0;  // left of cell 0
  int top = 0;   // top of the cells
  int groupGap = 0;
  RowGeometry geometry;
  std::string title;  // the wire's title, which the window sets over cell 0

  int CellLeft(int p) const { return left + geometry.cells[static_cast<std::size_t>(p)].left; }
  int CellCentre(int p) const { return CellLeft(p) + kCellWidth / 2; }
  int Right() const { return left + geometry.width(); }
  int Bottom() const { return top + kCellHeight; }
  int Middle() const { return top + kCellHeight / 2; }
  int TitleTop() const { return top - kTitleAbove; }
};

// The row of a wire [first:last] with cell 0 at (left, top).
inline RowPlace PlaceRow(int first, int last, int groupGap, int left, int top) {
  return {left, top, groupGap, LayoutWire(first, last, groupGap), {}};
}
// The row of a wire over its whole range.
inline RowPlace PlaceRow(const Wire& wire, int groupGap, int left, int top) {
  RowPlace place = PlaceRow(wire.first(), wire.last(), groupGap, left, top);
  place.title = wire.title();
  return place;
}

// A multiplexer's outline: the wide side up, each slanted side leaning in by
// min(width / 5, height / 2) at the bottom, as the window draws it.
struct MuxPlace {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Inset() const { return std::min(width / 5, height / 2); }
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  int OutX() const { return left + width / 2; }
  // The x of a slanted side at height y, where a select line ends.
  int LeftSideAt(int y) const { return left + Inset() * (y - top) / height; }
  int RightSideAt(int y) const { return Right() - Inset() * (y - top) / height; }
};

// An input mark of a multiplexer ("0", "1"), centred on x.
struct MuxMark {
  const char* text;
  int x;
};

// What a button hands the Wire Bits Editor: the wire to edit, or only to show,
// over its whole range under its own title.
inline EditorRequest Edits(const Wire& wire,
                           std::optional<std::string> displayName = std::nullopt) {
  return {wire.name(), wire.first(), wire.last(), wire.title(), std::move(displayName), false, 0};
}
inline EditorRequest Shows(const Wire& wire) {
  return {wire.name(), wire.first(), wire.last(), wire.title(), std::nullopt, true, 0};
}
// A one-bit signal as the editor's bit 0, whatever its bit number, under its
// own title.
inline EditorRequest EditsSignal(const Wire& wire,
                                 std::optional<std::string> displayName = std::nullopt) {
  return {wire.name(), 0, 0, wire.title(), std::move(displayName), false, 0};
}
// The same for a part of a wire, or under another title.
inline EditorRequest Edits(std::string wire, int start, int end, std::string title,
                           std::optional<std::string> displayName = std::nullopt) {
  return {std::move(wire), start, end, std::move(title), std::move(displayName), false, 0};
}
inline EditorRequest Shows(std::string wire, int start, int end, std::string title) {
  return {std::move(wire), start, end, std::move(title), std::nullopt, true, 0};
}

// The drawing of one stage, built up piece by piece.
class Sketch {
 public:
  // --- wire rows and cells ---------------------------------------------------
  // The row of a wire under its own title, cell 0 at (left, top), or at a
  // place worked out beforehand with PlaceRow(wire, ...).
  RowPlace AddRow(const Wire& wire, int groupGap, int left, int top) {
    return AddRow(wire, PlaceRow(wire, groupGap, left, top));
  }
  RowPlace AddRow(const Wire& wire, const RowPlace& place);
  // A row with an "Edit" button right after its title that edits the whole
  // wire; `displayName` as in Edits.
  RowPlace EditableRow(std::string button, const Wire& wire, int groupGap, int left, int top,
                       std::optional<std::string> displayName = std::nullopt) {
    const RowPlace row = AddRow(wire, groupGap, left, top);
    EditAfterTitle(std::move(button), row, Edits(wire, std::move(displayName)));
    return row;
  }
  // The last row's title placed explicitly, or ending short of a cell and
  // level with it.
  void PlaceRowTitle(int left, int top);
  void RowTitleLeftOf(int cellLeft, int cellTop) {
    PlaceRowTitle(LeftOf(lastRowTitle_, cellLeft), TextLevelWith(cellTop));
  }
  // A cell of the last row drawn as the hidden bit, on grey.
  void GreyCell(int p) { LastRow().greyCell = p; }

  // Cell `cell` of a wire placed by itself, with no index label.
  void AddCell(const Wire& wire, int left, int top, int cell = 0) {
    layout_.cells.push_back({wire.name(), cell, left, top, kCellWidth});
  }

  // --- texts -----------------------------------------------------------------
  // A text; a title's width defaults to its estimate with some room.
  void AddText(std::string text, int left, int top, int width = 0, int height = kTextHeight,
               TextStyle style = TextStyle::Title);
  // A small note centred on centreX.
  void Note(std::string text, int centreX, int top, int width = 900, int height = 200) {
    AddText(std::move(text), centreX - width / 2, top, width, height, TextStyle::Note);
  }
  // Titles of a single cell: left of it or right of it level with it, or
  // above it; the wire's own title or another text.
  void TitleLeftOf(std::string text, int cellLeft, int cellTop) {
    const int left = LeftOf(text, cellLeft);
    AddText(std::move(text), left, TextLevelWith(cellTop));
  }
  void TitleRightOf(std::string text, int cellLeft, int cellTop) {
    AddText(std::move(text), cellLeft + kCellWidth + kBesideGap, TextLevelWith(cellTop));
  }
  void TitleAbove(std::string text, int cellLeft, int cellTop) {
    AddText(std::move(text), cellLeft, cellTop - kTitleAboveCell);
  }
  void TitleLeftOf(const Wire& wire, int cellLeft, int cellTop) {
    TitleLeftOf(wire.title(), cellLeft, cellTop);
    TitleOf(wire);
  }
  void TitleRightOf(const Wire& wire, int cellLeft, int cellTop) {
    TitleRightOf(wire.title(), cellLeft, cellTop);
    TitleOf(wire);
  }
  void TitleAbove(const Wire& wire, int cellLeft, int cellTop) {
    TitleAbove(wire.title(), cellLeft, cellTop);
    TitleOf(wire);
  }
  // A title close right of a cell, level with it.
  void TitleCloseRightOf(std::string text, int cellLeft, int cellTop) {
    AddText(std::move(text), cellLeft + kCellWidth + kCloseGap, TextLevelWith(cellTop));
  }
  void TitleCloseRightOf(const Wire& wire, int cellLeft, int cellTop) {
    TitleCloseRightOf(wire.title(), cellLeft, cellTop);
    TitleOf(wire);
  }
  // The last text is the title of a wire: it shows the wire's tooltip.
  void TitleOf(const Wire& wire) { layout_.texts.back().wire = wire.name(); }

  // A text the stage computes outside its wires (Stage::Readout).
  void AddReadout(std::string source, int left, int top, int width, int height = kTextHeight,
                  std::string tip = {}) {
    layout_.readouts.push_back({std::move(source), left, top, width, height, std::move(tip)});
  }
  // A read-out the session fills (the result held against IEEE 754); a
  // wrapped one is a sentence, set in the plain font over several lines.
  void AddSessionReadout(std::string source, int left, int top, int width, std::string tip,
                         int height = kTextHeight, bool wrapped = false) {
    layout_.readouts.push_back(
        {std::move(source), left, top, width, height, std::move(tip), true, wrapped});
  }
  // Makes the last button the Results window's "Where?".
  void ShowsIeeeDifference() { layout_.buttons.back().showsIeeeDifference = true; }

  // --- what the drawing teaches ---------------------------------------------
  // The tooltip of the last unit, multiplexer or outline: one or two
  // sentences on what it computes and why it is there.
  void Tip(std::string text);
  // What a wire carries, shown over its title, row and cells; a sentence on
  // its bit numbering follows from its range. By weight, a bit k weighs 2^-k
  // in a wire numbered left to right upwards (a significand) and 2^k in one
  // numbered downwards (an exponent, a count); by place, the numbers only
  // name the positions.
  enum class Numbering { ByWeight, ByPlace };
  void Explain(const Wire& wire, std::string what, Numbering numbering = Numbering::ByWeight);
  // The sentence on a wire's bit numbering that Explain adds.
  static std::string BitNumbering(const Wire& wire, Numbering numbering);

  // --- hardware --------------------------------------------------------------
  // A plain outline.
  void AddBox(int left, int top, int width, int height) {
    layout_.boxes.push_back({left, top, width, height, false, {}});
  }
  // A unit: its outline and its name centred inside.
  void AddUnit(std::string name, int left, int top, int width, int height) {
    AddBox(left, top, width, height);
    AddText(std::move(name), left, top, width, height, TextStyle::Block);
  }
  // A unit with its name in its top line, for units with more inside.
  void AddFrame(std::string name, int left, int top, int width, int height) {
    AddBox(left, top, width, height);
    AddText(std::move(name), left, top + 30, width, kTextHeight, TextStyle::Block);
  }
  // A multiplexer with its input marks along the top and its name low in the
  // shape, clear of the marks.
  MuxPlace AddMux(const MuxPlace& mux, std::initializer_list<MuxMark> marks,
                  std::string name = "Mux");

  // --- lines -----------------------------------------------------------------
  void Arrow(int x1, int y1, int x2, int y2) { layout_.lines.push_back({x1, y1, x2, y2, true}); }
  void Link(int x1, int y1, int x2, int y2) { layout_.lines.push_back({x1, y1, x2, y2, false}); }
  // A bus through corner points, the arrow at the last one.
  void Route(std::initializer_list<std::pair<int, int>> points, bool arrow = true);

  // --- buttons ---------------------------------------------------------------
  // A button; absent `opens`: a click does nothing. "Edit" and "..." buttons
  // have their common sizes, other captions get room to read unless a width
  // is given.
  void AddButton(std::string name, std::string caption, int left, int top,
                 std::optional<EditorRequest> opens, int width = 0);
  // The tooltip of the button added last.
  void TooltipOfLastButton(std::string text) { layout_.buttons.back().tooltip = std::move(text); }
  // A button right after a row's title, on the title's line.
  void EditAfterTitle(std::string name, const RowPlace& row, EditorRequest opens,
                      std::string caption = "Edit") {
    AddButton(std::move(name), std::move(caption), ButtonAfterRowTitle(row.left, row.title),
              row.TitleTop(), std::move(opens));
  }
  // The title of a hidden wire at (left, top) and right after it the "..."
  // button that shows the whole wire under that title.
  void ViewAfterTitle(std::string name, const Wire& wire, int left, int top) {
    AddText(wire.title(), left, top);
    TitleOf(wire);
    AddButton(std::move(name), "...", After(left, wire.title()), top - 10, Shows(wire));
  }
  // An "Edit" button right of a single cell, level with it.
  void EditRightOf(std::string name, int cellLeft, int cellTop, EditorRequest opens) {
    AddButton(std::move(name), "Edit", cellLeft + kCellWidth + kBesideGap, ButtonLevelWith(cellTop),
              std::move(opens));
  }
  // The same, set close to the cell.
  void EditCloseRightOf(std::string name, int cellLeft, int cellTop, EditorRequest opens) {
    AddButton(std::move(name), "Edit", cellLeft + kCellWidth + kButtonGap, ButtonLevelWith(cellTop),
              std::move(opens));
  }

  // --- the finished drawing ----------------------------------------------------
  // The extent is what was drawn plus the margin, or given.
  StageLayout Finish();
  StageLayout Finish(int width, int height);

 private:
  Row& LastRow() { return layout_.rows.back(); }

  StageLayout layout_;
  int rowsRight_ = 0;
  std::string lastRowTitle_;
};

}  // namespace sumaris::layout
