#include "kbdedit/KeyboardGrid.h"

namespace kbdedit {

std::optional<GridCell> HitTest(int x, int y, PictureOffset offset)
{
    // C++ integer division truncates toward zero, which is the rule the grid is defined by.
    const long long column = (static_cast<long long>(x) + offset.dx) / CellSize;
    const long long rowPrime = (static_cast<long long>(y) + offset.dy + RowBias) / CellSize;
    if (column < 0 || column >= keymap::GridColumns || rowPrime < 1 || rowPrime > keymap::GridRows)
        return std::nullopt;
    return GridCell{static_cast<int>(column), static_cast<int>(rowPrime - 1)};
}

int CellLeft(GridCell cell) { return cell.column * CellSize; }
int CellTop(GridCell cell) { return CellSize + cell.row * CellSize; }

std::optional<GridCell> ArrowStep(GridCell from, ArrowKey key)
{
    GridCell to = from;
    switch (key) {
    case ArrowKey::Left: --to.column; break;
    case ArrowKey::Right: ++to.column; break;
    case ArrowKey::Up: --to.row; break;
    case ArrowKey::Down: ++to.row; break;
    }
    if (to.column < 0 || to.column >= keymap::GridColumns || to.row < 0 || to.row >= keymap::GridRows)
        return std::nullopt;
    return to;
}

} // namespace kbdedit
