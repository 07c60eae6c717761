#pragma once

// The measures that the layout tables and the windows that draw them share,
// in twips (1/1440 inch). Plain constants without Qt: the layout kit places
// its rows and titles with them, the stage window and the wire row widget
// (through app/style.h) draw with the same numbers, so a table and its
// picture cannot drift apart.
namespace sumaris::twips {

// A wire row, relative to the left edge and top of cell 0.
inline constexpr int kCellPitch = 185;
inline constexpr int kCellWidth = 180;
inline constexpr int kCellHeight = 330;
inline constexpr int kIndexAbove = 240;  // index label top is 240 above the cell
inline constexpr int kIndexLeft = 30;    // and 30 to the left of it
inline constexpr int kIndexSize = 255;   // index labels are 255 by 255

// A row's title sits this far above its cells, by default at cell 0.
inline constexpr int kTitleAbove = 510;
// One line of 8.25-point text: titles, notes, read-outs.
inline constexpr int kTextHeight = 255;

// Around the drawing of a stage.
inline constexpr int kMargin = 120;

}  // namespace sumaris::twips
