/** @file KeyboardGrid.h
 ** The keyboard picture's grid of 13 x 4 key cells: pointer hit test, cell positions and arrow moves. **/
#pragma once

#include "keymap/KeyRecord.h"

#include <optional>

namespace kbdedit {

constexpr int CellSize = 50;
constexpr int PictureWidth = 711;
constexpr int PictureHeight = 300;
/// The hit test adds this to the vertical position before dividing into rows.
constexpr int RowBias = 20;

/// A key cell of the grid: column 0..12, row 0..3.
struct GridCell {
    int column = 0;
    int row = 0;
    int RecordIndex() const { return row * keymap::GridColumns + column; }
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

/// What the window adds to a client position before dividing it into cells.
struct PictureOffset {
    int dx = 0;
    int dy = 0;
};

enum class ArrowKey { Left, Right, Up, Down };

/// The cell under a client position, or none over the function-key strip, the fourteenth column,
/// the decorative strip or outside the picture. Divisions truncate toward zero, so positions up to
/// 49 pixels left of the picture still count as column 0.
std::optional<GridCell> HitTest(int x, int y, PictureOffset offset);

/// Top-left picture pixel of a cell's 50 x 50 frame.
int CellLeft(GridCell cell);
int CellTop(GridCell cell);

/// The cell an arrow key moves to, or none when it would leave the grid.
std::optional<GridCell> ArrowStep(GridCell from, ArrowKey key);

} // namespace kbdedit
