#pragma once

// Small drawing vocabulary shared by the N path's layout tables: rows,
// single cells, unit boxes, multiplexers, signal paths and buttons, all in
// twips. The tables read as schematics: inputs at the top, one box per
// hardware unit, arrows along the data flow, outputs at the bottom.

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>

#include "wires/row_layout.h"
#include "wires/stage_layout.h"

namespace sumaris::layout::npath {

inline constexpr int kMargin = 120;
inline constexpr int kCellHeight = twips::kCellHeight;
inline constexpr int kCellWidth = twips::kCellWidth;
inline constexpr int kButtonWidth = 495;   // "Edit"
inline constexpr int kDotsWidth = 330;     // "..."
inline constexpr int kButtonHeight = 255;
inline constexpr int kTextHeight = 255;
// Where a long bus leaves the rows on the left and runs down to its unit.
inline constexpr int kChannel = 250;
// The left of cell 0 of the long rows, leaving room for that channel.
inline constexpr int kRowLeft = 450;

// Left edge of cell p of a row whose cell 0 is at rowLeft.
constexpr int CellLeft(int rowLeft, int p, int groupGap) {
  return rowLeft + twips::kCellPitch * p + groupGap * (p / 8);
}
constexpr int CellMid(int rowLeft, int p, int groupGap) {
  return CellLeft(rowLeft, p, groupGap) + kCellWidth / 2;
}
// Right edge of the last cell of a row of `cells` cells.
constexpr int RowRight(int rowLeft, int cells, int groupGap) {
  return CellLeft(rowLeft, cells - 1, groupGap) + kCellWidth;
}

// A rough width of a title in Arial 8.25, for placing what follows it.
inline int TitleWidth(const std::string& text) {
  return static_cast<int>(text.size()) * 100 + 60;
}

// A multiplexer outline: the wide side on top, the narrow side down, each
// side leaning in by min(width / 5, height / 2).
struct Mux {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Inset() const { return std::min(width / 5, height / 2); }
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  // The x of the right side at height y, where a select line ends.
  int RightSideAt(int y) const { return Right() - Inset() * (y - top) / height; }
};

class Sheet {
 public:
  StageLayout& layout() { return layout_; }

  // A visible wire row of `cells` cells; its title above cell 0 unless
  // placed here.
  void Row(std::string wire, int cells, int left, int top, int groupGap) {
    layout_.rows.push_back({std::move(wire), left, top, groupGap, {}, {}, {}, -1});
    Extend(RowRight(left, cells, groupGap), top + kCellHeight);
  }
  void RowTitledAt(std::string wire, int cells, int left, int top, int groupGap, int titleLeft,
                   int titleTop) {
    layout_.rows.push_back({std::move(wire), left, top, groupGap, {}, titleLeft, titleTop, -1});
    Extend(RowRight(left, cells, groupGap), top + kCellHeight);
  }

  // One cell of a wire placed by itself.
  void Cell(std::string wire, int cell, int left, int top) {
    layout_.cells.push_back({std::move(wire), cell, left, top, kCellWidth});
  }

  void Title(std::string text, int left, int top) {
    const int width = TitleWidth(text);
    layout_.texts.push_back({std::move(text), left, top, width, kTextHeight, TextStyle::Title});
  }
  // A mark such as a multiplexer's input number, centred on x.
  void Mark(std::string text, int x, int top) {
    layout_.texts.push_back({std::move(text), x - 100, top, 200, 220, TextStyle::Note});
  }

  // A hardware unit: its outline and its name centred inside.
  void Unit(std::string text, int left, int top, int width, int height) {
    layout_.boxes.push_back({left, top, width, height, false});
    layout_.texts.push_back({std::move(text), left, top, width, height, TextStyle::Block});
  }
  // A unit box whose name is centred over part of it (other controls sit in
  // the rest).
  void UnitNamedOver(std::string text, int left, int top, int width, int height,
                     int textWidth) {
    layout_.boxes.push_back({left, top, width, height, false});
    layout_.texts.push_back({std::move(text), left, top, textWidth, height, TextStyle::Block});
  }
  void Multiplexer(const Mux& mux, std::string text = "Mux") {
    layout_.boxes.push_back({mux.left, mux.top, mux.width, mux.height, true});
    layout_.texts.push_back(
        {std::move(text), mux.left, mux.top, mux.width, mux.height, TextStyle::Block});
  }

  // A signal path through the given corners, with an arrow at its end.
  void Path(std::initializer_list<std::pair<int, int>> points, bool arrow = true) {
    const std::pair<int, int>* previous = nullptr;
    std::size_t index = 0;
    for (const auto& point : points) {
      ++index;
      if (previous != nullptr) {
        layout_.lines.push_back({previous->first, previous->second, point.first, point.second,
                                 arrow && index == points.size()});
      }
      previous = &point;
    }
  }
  void Arrow(int x1, int y1, int x2, int y2) { Path({{x1, y1}, {x2, y2}}); }

  // A button that opens the Wire Bits Editor on a wire, editable.
  void Edit(std::string name, std::string wire, int start, int end, std::string title, int left,
            int top) {
    layout_.buttons.push_back({std::move(name), "Edit", left, top, kButtonWidth, kButtonHeight,
                               EditorRequest{std::move(wire), start, end, std::move(title),
                                             std::nullopt, false}});
  }
  // A button that shows a wire in the editor, view only.
  void View(std::string name, std::string caption, std::string wire, int start, int end,
            std::string title, int left, int top, int width = kDotsWidth) {
    layout_.buttons.push_back({std::move(name), std::move(caption), left, top, width,
                               kButtonHeight,
                               EditorRequest{std::move(wire), start, end, std::move(title),
                                             std::nullopt, true}});
  }

  // Sets the extent of the drawing from what was placed, plus the margin.
  StageLayout Finish();

 private:
  void Extend(int right, int bottom) {
    rowsRight_ = std::max(rowsRight_, right);
    rowsBottom_ = std::max(rowsBottom_, bottom);
  }

  StageLayout layout_;
  int rowsRight_ = 0;
  int rowsBottom_ = 0;
};

}  // namespace sumaris::layout::npath
