#pragma once

// The drawing vocabulary of the stage layout tables. A table reads as a
// schematic: wire rows and single cells, one box per hardware unit with its
// name inside, multiplexers with their input marks, lines along the data
// flow with the arrow at the consumer, and the buttons that open the Wire
// Bits Editor. Everything is in twips.

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

// Width of a text in 8.25-point Arial, from the advance widths of the face
// rounded to twips (an em is 165 twips). Places what follows a title and
// titles that end at a cell.
int TextWidth(std::string_view text);

// Where something may start after a title that starts at `left`.
inline int After(int left, std::string_view title) {
  return left + TextWidth(title) + 100;
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

  int CellLeft(int p) const { return left + geometry.cells[static_cast<std::size_t>(p)].left; }
  int CellCentre(int p) const { return CellLeft(p) + kCellWidth / 2; }
  int Right() const { return left + geometry.width(); }
  int Bottom() const { return top + kCellHeight; }
  int Middle() const { return top + kCellHeight / 2; }
  int TitleTop() const { return top - kTitleAbove; }
};

// The row of a wire [first:last] with cell 0 at (left, top).
inline RowPlace PlaceRow(int first, int last, int groupGap, int left, int top) {
  return {left, top, groupGap, LayoutWire(first, last, groupGap)};
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

// What a button hands the Wire Bits Editor: the wire to edit, or only to show.
inline EditorRequest Edits(std::string wire, int start, int end, std::string title,
                           std::optional<std::string> displayName = std::nullopt) {
  return {std::move(wire), start, end, std::move(title), std::move(displayName), false};
}
inline EditorRequest Shows(std::string wire, int start, int end, std::string title) {
  return {std::move(wire), start, end, std::move(title), std::nullopt, true};
}

// The drawing of one stage, built up piece by piece.
class Sketch {
 public:
  // --- wire rows and cells ---------------------------------------------------
  RowPlace AddRow(std::string wire, const RowPlace& place);
  RowPlace AddRow(std::string wire, int first, int last, int groupGap, int left, int top) {
    return AddRow(std::move(wire), PlaceRow(first, last, groupGap, left, top));
  }
  // The last row's title: another text than the wire's own, placed
  // explicitly, or ending short of a cell and level with it.
  void RetitleRow(std::string title) { LastRow().title = std::move(title); }
  void PlaceRowTitle(int left, int top);
  void RowTitleLeftOf(std::string_view title, int cellLeft, int cellTop) {
    PlaceRowTitle(LeftOf(title, cellLeft), cellTop + 40);
  }
  // A cell of the last row drawn light grey.
  void GreyCell(int p) { LastRow().greyCell = p; }

  // Cell `cell` of a wire placed by itself, with no index label.
  void AddCell(std::string wire, int left, int top, int cell = 0) {
    layout_.cells.push_back({std::move(wire), cell, left, top, kCellWidth});
  }

  // --- texts -----------------------------------------------------------------
  // A text; a title's width defaults to its estimate with some room.
  void AddText(std::string text, int left, int top, int width = 0, int height = kTextHeight,
               TextStyle style = TextStyle::Title);
  // A small note centred on centreX.
  void Note(std::string text, int centreX, int top, int width = 900, int height = 200) {
    AddText(std::move(text), centreX - width / 2, top, width, height, TextStyle::Note);
  }
  // Titles of a single cell: left of it or right of it level with it, or above it.
  void TitleLeftOf(std::string text, int cellLeft, int cellTop) {
    const int left = LeftOf(text, cellLeft);
    AddText(std::move(text), left, cellTop + 40);
  }
  void TitleRightOf(std::string text, int cellLeft, int cellTop) {
    AddText(std::move(text), cellLeft + kCellWidth + 80, cellTop + 40);
  }
  void TitleAbove(std::string text, int cellLeft, int cellTop) {
    AddText(std::move(text), cellLeft, cellTop - 290);
  }

  // A text the stage computes outside its wires (Stage::Readout).
  void AddReadout(std::string source, int left, int top, int width, int height = kTextHeight) {
    layout_.readouts.push_back({std::move(source), left, top, width, height});
  }

  // --- hardware --------------------------------------------------------------
  // A plain outline.
  void AddBox(int left, int top, int width, int height) {
    layout_.boxes.push_back({left, top, width, height, false});
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
  // A button right after a row's title, on the title's line; a little
  // further off than After, as the window sets that title in its own width.
  void EditAfterTitle(std::string name, const RowPlace& row, std::string_view rowTitle,
                      EditorRequest opens, std::string caption = "Edit") {
    AddButton(std::move(name), std::move(caption), After(row.left, rowTitle) + 40, row.TitleTop(),
              std::move(opens));
  }
  // The title of a hidden wire at (left, top) and right after it the "..."
  // button that shows the wire under that title.
  void ViewAfterTitle(std::string name, std::string title, int left, int top, std::string wire,
                      int first, int last) {
    AddText(title, left, top);
    AddButton(std::move(name), "...", After(left, title), top - 10,
              Shows(std::move(wire), first, last, title));
  }
  // An "Edit" button right of a single cell, level with it.
  void EditRightOf(std::string name, int cellLeft, int cellTop, EditorRequest opens) {
    AddButton(std::move(name), "Edit", cellLeft + kCellWidth + 80,
              cellTop + (kCellHeight - kButtonHeight) / 2, std::move(opens));
  }

  // --- the finished drawing ----------------------------------------------------
  // The extent is what was drawn plus the margin, or given.
  StageLayout Finish();
  StageLayout Finish(int width, int height);

 private:
  Row& LastRow() { return layout_.rows.back(); }

  StageLayout layout_;
  int rowsRight_ = 0;
};

}  // namespace sumaris::layout
