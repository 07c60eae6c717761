#pragma once

// Drawing helpers shared by the layout tables of the R path's second cycle.
// Everything is in twips. A unit of hardware is a filled box with its name
// inside; wires run top to bottom, an arrow head at the consumer.

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "wires/row_layout.h"
#include "wires/stage_layout.h"

namespace sumaris::layout::r2 {

inline constexpr int kMargin = 120;
inline constexpr int kTitleAbove = 510;  // a row's title sits this far above its cells
inline constexpr int kIndexAbove = 240;  // and its index labels this far
inline constexpr int kTextHeight = 255;
inline constexpr int kButtonWidth = 495;
inline constexpr int kButtonHeight = 255;
inline constexpr int kCellWidth = 180;
inline constexpr int kCellHeight = 330;
inline constexpr int kLane = 210;  // x of the feeder lines left of the rows
inline constexpr int kRowLeft = 360;

// Width of a title in 8.25-point Arial, from the font's advance widths
// (thousandths of an em; an em of 8.25 points is 165 twips), with a little
// room for hinting at screen resolution.
inline int TitleWidth(std::string_view text) {
  int thousandths = 0;
  for (const char c : text) {
    int w = 556;  // digits and most lower-case letters
    switch (c) {
      case 'I': case 'i': case 'j': case 'l': case '[': case ']': case ':': case '.': case ',':
      case ' ': case '\'': case 'f': case 't':
        w = 278;
        break;
      case '-': case '(': case ')': case 'r':
        w = 333;
        break;
      case 'm': case 'M':
        w = 833;
        break;
      case 'W':
        w = 944;
        break;
      case 'C': case 'D': case 'H': case 'N': case 'R': case 'U': case 'w':
        w = 722;
        break;
      case 'G': case 'O': case 'Q':
        w = 778;
        break;
      case 'A': case 'B': case 'E': case 'K': case 'P': case 'S': case 'V': case 'X': case 'Y':
        w = 667;
        break;
      case 'F': case 'T': case 'Z':
        w = 611;
        break;
      case 'L':
        w = 556;
        break;
      case 'J': case 's': case 'c': case 'k': case 'v': case 'x': case 'y': case 'z':
        w = 500;
        break;
      default:
        break;
    }
    thousandths += w;
  }
  return thousandths * 165 / 1000 * 11 / 10 + 60;
}

// The drawing of one stage, built up piece by piece.
class Sheet {
 public:
  StageLayout& layout() { return layout_; }

  // A wire row with cell 0 at (left, top), titled by default above its index labels.
  void AddRow(const std::string& wire, int left, int top, int groupGap, int greyCell = -1) {
    layout::Row row;
    row.wire = wire;
    row.left = left;
    row.top = top;
    row.groupGap = groupGap;
    row.greyCell = greyCell;
    layout_.rows.push_back(row);
  }

  void Cell(const std::string& wire, int cell, int left, int top, int width = kCellWidth) {
    layout_.cells.push_back({wire, cell, left, top, width});
  }

  void Label(std::string text, int left, int top, TextStyle style = TextStyle::Title,
             std::optional<int> width = std::nullopt, int height = kTextHeight) {
    const int w = width.value_or(TitleWidth(text));
    layout_.texts.push_back({std::move(text), left, top, w, height, style});
  }

  // A unit: a box with its name centred inside.
  void Unit(std::string name, int left, int top, int width, int height) {
    layout_.boxes.push_back({left, top, width, height, false});
    layout_.texts.push_back(
        {std::move(name), left, top + (height - kTextHeight) / 2, width, kTextHeight,
         TextStyle::Block});
  }

  // A box whose name sits in its top line, for units with cells inside.
  void Frame(std::string name, int left, int top, int width, int height) {
    layout_.boxes.push_back({left, top, width, height, false});
    layout_.texts.push_back(
        {std::move(name), left, top + 30, width, kTextHeight, TextStyle::Block});
  }

  // A multiplexer, wide side up; its inputs are marked where they enter.
  void Mux(int left, int top, int width, int height,
           std::initializer_list<std::pair<const char*, int>> inputs, std::string name = "Mux") {
    layout_.boxes.push_back({left, top, width, height, true});
    // The name low in the shape, clear of the input marks along the top.
    layout_.texts.push_back({std::move(name), left, top + height - kTextHeight - 30, width,
                             kTextHeight, TextStyle::Block});
    for (const auto& [mark, x] : inputs) {
      layout_.texts.push_back({mark, x - 150, top + 20, 300, 200, TextStyle::Note});
    }
  }

  // Where the slanted side of a multiplexer is at half its height, as the
  // window draws it: the narrow side is inset by min(width / 5, height / 2).
  static int MuxSideAtMiddle(int left, int width, int height, bool rightSide) {
    const int inset = std::min(width / 5, height / 2);
    return rightSide ? left + width - inset / 2 : left + inset / 2;
  }

  void Note(std::string text, int centreX, int top, int width = 900) {
    layout_.texts.push_back({std::move(text), centreX - width / 2, top, width, 200,
                             TextStyle::Note});
  }

  void Line(int x1, int y1, int x2, int y2) { layout_.lines.push_back({x1, y1, x2, y2, false}); }
  void Arrow(int x1, int y1, int x2, int y2) { layout_.lines.push_back({x1, y1, x2, y2, true}); }

  // A path of lines through the given points, an arrow head on the last.
  void Path(std::initializer_list<std::pair<int, int>> points) {
    const auto* p = points.begin();
    for (std::size_t i = 1; i < points.size(); ++i) {
      const bool last = i + 1 == points.size();
      layout_.lines.push_back({p[i - 1].first, p[i - 1].second, p[i].first, p[i].second, last});
    }
  }

  void Edit(std::string name, int left, int top, std::string wire, int start, int end,
            std::string title, std::string displayName) {
    EditorRequest request;
    request.wire = std::move(wire);
    request.start = start;
    request.end = end;
    request.title = std::move(title);
    request.displayName = std::move(displayName);
    layout_.buttons.push_back(
        {std::move(name), "Edit", left, top, kButtonWidth, kButtonHeight, std::move(request)});
  }

  // An "Edit" button whose click does nothing.
  void DeadEdit(std::string name, int left, int top) {
    layout_.buttons.push_back(
        {std::move(name), "Edit", left, top, kButtonWidth, kButtonHeight, std::nullopt});
  }

  StageLayout Finish(int width, int height) {
    layout_.width = width;
    layout_.height = height;
    return std::move(layout_);
  }

 private:
  StageLayout layout_;
};

// Centre of cell p of a row laid out from `left`, and the row's right edge.
inline int CellCentre(const RowGeometry& row, int left, int p) {
  return left + row.cells[static_cast<std::size_t>(p)].left + kCellWidth / 2;
}
inline int RowRight(const RowGeometry& row, int left) { return left + row.width(); }

}  // namespace sumaris::layout::r2
