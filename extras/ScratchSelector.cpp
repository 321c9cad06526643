#include "extras/ScratchSelector.h"

#include "extras/ScratchTable.h"

namespace extras {

std::vector<std::string> ScratchSelector::NamesOfScratchText(const std::string& text)
{
    std::vector<std::string> result;
    for (ScratchEntry& e : ParseScratchTable(text)) {
        if (e.faceName.size() > NameLimit)
            e.faceName.resize(NameLimit);
        result.push_back(std::move(e.faceName));
    }
    return result;
}

void ScratchSelector::SetNames(std::vector<std::string> list)
{
    names = std::move(list);
    for (std::string& n : names)
        if (n.size() > NameLimit)
            n.resize(NameLimit);
}

void ScratchSelector::Layout(int w, int h)
{
    width = w < 0 ? 0 : w;
    height = h < 0 ? 0 : h;
    // A grid narrower than one cell still shows one column rather than dividing by nothing.
    columns = width / CellWidth > 0 ? width / CellWidth : 1;
    visibleRows = height / CellHeight;
}

void ScratchSelector::Move(int dx, int dy)
{
    const int n = Count();
    const int column = selected % columns;
    if (column + dx < 0 || column + dx > columns - 1)
        return;
    int next = selected + dx + dy * columns;
    if (next >= n) {
        next = (n / columns) * columns + column;
        if (next >= n)
            return;
    }
    if (next < 0)
        next = column;
    const int row = next / columns;
    const bool moving = dx != 0 || dy != 0;
    if (moving && row >= firstRow + visibleRows)
        firstRow = row - visibleRows + 1;
    if (moving && row <= firstRow && firstRow >= 1)
        firstRow = row;
    selected = next;
}

void ScratchSelector::Key(GridKey key)
{
    const int n = Count();
    switch (key) {
    case GridKey::Left: Move(-1, 0); break;
    case GridKey::Right: Move(1, 0); break;
    case GridKey::Up: Move(0, -1); break;
    case GridKey::Down: Move(0, 1); break;
    case GridKey::PageUp: Move(0, -3); break;
    case GridKey::PageDown: Move(0, 3); break;
    case GridKey::Home:
        if (n > 0 && selected != 0) {
            firstRow = 0;
            selected = 0;
        }
        break;
    case GridKey::End:
        if (n > 0 && selected != n - 1) {
            const int row = n / columns - visibleRows + 1;
            firstRow = row > 0 ? row : 0;
            selected = n - 1;
        }
        break;
    }
}

GridRect ScratchSelector::Tile(int row, int column) const
{
    const int x = column * CellWidth;
    const int y = row * CellHeight;
    return {x, y, x + TileWidth, y + TileHeight};
}

GridRect ScratchSelector::Frame(int row, int column) const
{
    const int x = column * CellWidth;
    const int y = row * CellHeight;
    return {x - 1, y - 1, x + CellWidth - 1, y + CellHeight - 1};
}

bool ScratchSelector::SelectedCell(int& row, int& column) const
{
    if (selected < 0 || selected >= Count())
        return false;
    row = selected / columns - firstRow;
    column = selected % columns;
    return row >= 0 && row < visibleRows;
}

GridRect ScratchSelector::Thumb() const
{
    const int rows = Count() / columns;
    int step = rows > visibleRows ? (height - ThumbHeight) / (rows - visibleRows) : 0;
    if (step < 0)
        step = 0; // an area lower than the thumb has no room to move it
    const int top = step * firstRow;
    return {width - StripWidth, top, width, top + ThumbHeight};
}

void ScratchSelector::StartFrom(int storedFirstRow, int storedSelection, int boxSelection)
{
    firstRow = storedFirstRow < 0 ? 0 : storedFirstRow;
    selected = storedSelection;
    if (boxSelection != -1 && boxSelection != selected) {
        selected = boxSelection;
        const int row = boxSelection / 3 - 12;
        firstRow = row > 0 ? row : 0;
    }
}

} // namespace extras
