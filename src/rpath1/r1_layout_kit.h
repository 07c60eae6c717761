#pragma once

// Small drawing helpers for the layout tables of the R path's first cycle.
// Everything is in twips; the tables place rows, cells, units and lines with
// these so that arrows meet cells and boxes exactly.

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "wires/row_layout.h"
#include "wires/stage_layout.h"

namespace sumaris::layout::r1 {

inline constexpr int kCellH = twips::kCellHeight;  // 330
inline constexpr int kCellW = twips::kCellWidth;   // 180
inline constexpr int kTitleAbove = 510;            // default row title offset
inline constexpr int kButtonW = 495;
inline constexpr int kButtonH = 255;
inline constexpr int kTextH = 255;
// The left routing channel: buses that must pass a row run down here, left
// of the rows that start at kInnerLeft.
inline constexpr int kOuterLeft = 120;
inline constexpr int kInnerLeft = 400;
inline constexpr int kChannelX = kOuterLeft + kCellW / 2;  // under cell 0 of an outer row

// Approximate width of a text in 8.25-point Arial (twips), from the glyph
// advances of the face; used to put buttons after titles and titles left of
// cells without collisions.
inline int TextWidth(std::string_view text) {
  int w = 0;
  for (char c : text) {
    switch (c) {
      case 'I':
      case 'i':
      case 'l':
      case 'j':
      case '[':
      case ']':
      case ':':
      case '.':
      case ',':
      case ' ':
      case '\'':
        w += 46;
        break;
      case 'f':
      case 't':
        w += 46;
        break;
      case 'r':
      case '(':
      case ')':
      case '-':
        w += 55;
        break;
      case '^':
        w += 77;
        break;
      case 'M':
      case 'm':
        w += 138;
        break;
      case 'W':
        w += 156;
        break;
      case 'O':
      case 'G':
      case 'Q':
        w += 128;
        break;
      case 'C':
      case 'D':
      case 'H':
      case 'N':
      case 'R':
      case 'U':
      case 'w':
        w += 119;
        break;
      case 'F':
      case 'T':
      case 'Z':
        w += 101;
        break;
      case 'L':
      case 'J':
        w += 92;
        break;
      case 's':
      case 'c':
      case 'k':
      case 'v':
      case 'x':
      case 'y':
      case 'z':
        w += 83;
        break;
      default:
        w += (c >= 'A' && c <= 'Z') ? 110 : 92;
        break;
    }
  }
  return w;
}

// Where the cells of a visible row lie, for lines that meet them.
struct RowPlace {
  int left = 0;  // left of cell 0
  int top = 0;   // top of the cells
  RowGeometry geometry;

  int CellLeft(int p) const { return left + geometry.cells[static_cast<std::size_t>(p)].left; }
  int CellCentre(int p) const { return CellLeft(p) + kCellW / 2; }
  int Right() const { return left + geometry.width(); }
  int Bottom() const { return top + kCellH; }
  int Middle() const { return top + kCellH / 2; }
  int TitleTop() const { return top - kTitleAbove; }
};

class Sketch {
 public:
  // A visible row of a wire [first:last]; the title is the wire's own
  // unless given.
  RowPlace AddRow(std::string wire, int first, int last, int groupGap, int left, int top,
                  std::string title = {}) {
    Row row;
    row.wire = std::move(wire);
    row.left = left;
    row.top = top;
    row.groupGap = groupGap;
    row.title = std::move(title);
    layout_.rows.push_back(std::move(row));
    RowPlace place{left, top, LayoutWire(first, last, groupGap)};
    rowRight_ = std::max(rowRight_, place.Right());
    return place;
  }

  // Moves the title of the last row to the left of `cellLeft`, level with
  // the cells (for short rows whose top is reached by lines).
  void TitleLeftOf(const std::string& title, int cellLeft, int cellTop) {
    Row& row = layout_.rows.back();
    row.titleLeft = cellLeft - TextWidth(title) - 100;
    row.titleTop = cellTop + 40;
  }

  // Places the title of the last row explicitly.
  void TitleAt(int left, int top) {
    Row& row = layout_.rows.back();
    row.titleLeft = left;
    row.titleTop = top;
  }

  void AddCell(std::string wire, int left, int top) {
    layout_.cells.push_back({std::move(wire), 0, left, top, kCellW});
  }

  void AddText(std::string text, int left, int top, TextStyle style = TextStyle::Title,
               int width = 0, int height = kTextH) {
    if (width == 0) width = TextWidth(text) + 120;
    layout_.texts.push_back({std::move(text), left, top, width, height, style});
  }
  // A title right of a single cell, level with it.
  void TitleRightOf(std::string text, int cellLeft, int cellTop) {
    AddText(std::move(text), cellLeft + kCellW + 80, cellTop + 40);
  }
  // A title left of a single cell, level with it.
  void TitleLeftOfCell(std::string text, int cellLeft, int cellTop) {
    const int w = TextWidth(text);
    AddText(std::move(text), cellLeft - w - 100, cellTop + 40);
  }
  // A title above a single cell.
  void TitleAbove(std::string text, int cellLeft, int cellTop) {
    AddText(std::move(text), cellLeft, cellTop - 290);
  }

  // A hardware unit: its outline and its name centred inside.
  void AddUnit(std::string label, int left, int top, int width, int height) {
    layout_.boxes.push_back({left, top, width, height, false});
    layout_.texts.push_back({std::move(label), left, top, width, height, TextStyle::Block});
  }

  void Arrow(int x1, int y1, int x2, int y2) { layout_.lines.push_back({x1, y1, x2, y2, true}); }
  void Link(int x1, int y1, int x2, int y2) { layout_.lines.push_back({x1, y1, x2, y2, false}); }
  // A bus through corner points, with the arrow at the last point.
  void Route(std::initializer_list<std::pair<int, int>> points) {
    const auto* p = points.begin();
    for (const auto* q = p + 1; q != points.end(); ++p, ++q) {
      layout_.lines.push_back({p->first, p->second, q->first, q->second, q + 1 == points.end()});
    }
  }

  void AddButton(std::string name, std::string caption, int left, int top, std::string wire,
                 int start, int end, std::string title, bool viewOnly = false) {
    Button button;
    button.name = std::move(name);
    button.caption = std::move(caption);
    button.left = left;
    button.top = top;
    // "Edit" buttons have the common size; longer captions get room to read.
    button.width = button.caption == "Edit" ? kButtonW : TextWidth(button.caption) + 240;
    button.height = kButtonH;
    button.opens =
        EditorRequest{std::move(wire), start, end, std::move(title), std::nullopt, viewOnly};
    layout_.buttons.push_back(std::move(button));
  }
  // An "Edit" button right after a row's title, on the title's line.
  void EditAfterTitle(std::string name, const RowPlace& row, const std::string& rowTitle,
                      std::string wire, int start, int end, std::string editorTitle,
                      std::string caption = "Edit", bool viewOnly = false) {
    AddButton(std::move(name), std::move(caption), row.left + TextWidth(rowTitle) + 140,
              row.TitleTop(), std::move(wire), start, end, std::move(editorTitle), viewOnly);
  }
  // An "Edit" button right of a single cell, level with it.
  void EditRightOf(std::string name, int cellLeft, int cellTop, std::string wire, int start,
                   int end, std::string editorTitle) {
    AddButton(std::move(name), "Edit", cellLeft + kCellW + 80, cellTop + (kCellH - kButtonH) / 2,
              std::move(wire), start, end, std::move(editorTitle));
  }

  // A multiplexer: the wide side up with input marks "0" and "1" at x0 and
  // x1, the select entering the right slanted side at mid height from a
  // cell at selLeft. The drawing narrows the bottom by min(w/5, h/2).
  struct MuxPlace {
    int left, top, width, height;
    int OutX() const { return left + width / 2; }
    int Bottom() const { return top + height; }
    int RightEdgeAt(int y) const {
      const int inset = std::min(width / 5, height / 2);
      return left + width - inset * (y - top) / height;
    }
  };
  MuxPlace AddMux(int left, int top, int width, int height, int x0, int x1) {
    layout_.boxes.push_back({left, top, width, height, true});
    layout_.texts.push_back({"Mux", left, top + height / 3, width, height / 2, TextStyle::Block});
    layout_.texts.push_back({"0", x0 - 100, top + 30, 200, 200, TextStyle::Note});
    layout_.texts.push_back({"1", x1 - 100, top + 30, 200, 200, TextStyle::Note});
    return {left, top, width, height};
  }

  // Extent of the drawing: the rows run to their last cell.
  StageLayout Finish() {
    int right = rowRight_;
    int bottom = 0;
    auto grow = [&](int r, int b) {
      right = std::max(right, r);
      bottom = std::max(bottom, b);
    };
    for (const Row& row : layout_.rows)
      grow(row.left, row.top + kCellH);
    for (const FixedCell& c : layout_.cells)
      grow(c.left + c.width, c.top + kCellH);
    for (const Text& t : layout_.texts)
      grow(t.left + t.width, t.top + t.height);
    for (const Box& b : layout_.boxes)
      grow(b.left + b.width, b.top + b.height);
    for (const Line& l : layout_.lines)
      grow(std::max(l.x1, l.x2), std::max(l.y1, l.y2));
    for (const Button& b : layout_.buttons)
      grow(b.left + b.width, b.top + b.height);
    layout_.width = right + kOuterLeft;
    layout_.height = bottom + kOuterLeft;
    return std::move(layout_);
  }

 private:
  StageLayout layout_;
  int rowRight_ = 0;
};

}  // namespace sumaris::layout::r1
