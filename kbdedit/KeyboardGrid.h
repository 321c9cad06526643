/** @file KeyboardGrid.h
 ** The keyboard picture's grid of 13 x 4 key cells: pointer hit test, cell positions and arrow moves. **/
#pragma once

#include "keymap/KeyRecord.h"

#include <optional>
#include <string>

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

/// Caps and lettering of one key cell of the keyboard picture.
struct KeyCap {
    const char* legend;  // Latin legend, black
    const char* persian; // Persian letter (UTF-8), red; empty for none
};

/// The caps of the editable grid, row by row, 13 a row.
extern const KeyCap GridCaps[4][13];

/// The virtual-key code of the key each cell shows, by record index; Shift is there twice.
extern const int CellKeyCodes[keymap::RecordCount];

/// The name of a cell in messages: its legend with its Persian letter, e.g. `A (ش)`.
std::string CellName(int recordIndex);

/// The glyph a key types when pressed alone, which the caps show: the key's own glyph (medial) on
/// symbol and digit keys, the isolated shape on every other key.
int CapGlyph(const keymap::KeyRecord& record);

/// Top-left picture pixel of a cell's 50 x 50 frame.
int CellLeft(GridCell cell);
int CellTop(GridCell cell);

/// The cell an arrow key moves to, or none when it would leave the grid.
std::optional<GridCell> ArrowStep(GridCell from, ArrowKey key);

} // namespace kbdedit
