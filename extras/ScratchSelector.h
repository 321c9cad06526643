/** @file ScratchSelector.h
 ** The Scratch Select dialog's grid of face names: layout, selection moves, scrolling and the
 ** scroll indicator, without a display. **/
#pragma once

#include <string>
#include <vector>

namespace extras {

/// Keys the grid takes; every other key is the dialog's.
enum class GridKey { Left, Right, Up, Down, PageUp, PageDown, Home, End };

/// A rectangle in the grid's pixels; right and bottom are exclusive.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

/// Names laid out row by row in cells of 162 × 22 pixels (a 160 × 20 tile each), as many columns
/// as the width holds (at least one), with a scroll indicator strip on the right. Holds any
/// number of names, each cut to 20 characters.
class ScratchSelector {
public:
    static constexpr int TileWidth = 160;
    static constexpr int TileHeight = 20;
    static constexpr int CellWidth = 162;
    static constexpr int CellHeight = 22;
    static constexpr int StripWidth = 15;
    static constexpr int ThumbHeight = 100;
    static constexpr size_t NameLimit = 20;

    /// The face names of a scratch file's text, each cut to 20 characters.
    static std::vector<std::string> NamesOfScratchText(const std::string& text);

    void SetNames(std::vector<std::string> names);
    const std::vector<std::string>& Names() const { return names; }
    int Count() const { return static_cast<int>(names.size()); }

    /// Recomputes columns and visible rows for a client area of `width` × `height` pixels.
    void Layout(int width, int height);
    int Width() const { return width; }
    int Height() const { return height; }
    int Columns() const { return columns; }
    int VisibleRows() const { return visibleRows; }

    int FirstVisibleRow() const { return firstRow; }
    void SetFirstVisibleRow(int row) { firstRow = row < 0 ? 0 : row; }
    int Selected() const { return selected; }
    void SetSelected(int index) { selected = index; }

    /// Moves the selection by columns and rows, scrolling to keep it visible; a move that leaves
    /// the grid's columns, or lands past the last name of its column, does nothing.
    void Move(int dx, int dy);
    void Key(GridKey key);

    /// The index shown in a visible row and column, whether or not a name is there.
    int IndexAt(int row, int column) const { return (firstRow + row) * columns + column; }
    /// The tile of a visible cell.
    GridRect Tile(int row, int column) const;
    /// The frame around a cell (one pixel beyond the tile on each side), drawn for the selection.
    GridRect Frame(int row, int column) const;
    /// Where the selected cell is among the visible ones; false when it is not visible or there
    /// is no name at the selected index.
    bool SelectedCell(int& row, int& column) const;

    /// The scroll indicator: the strip and its thumb for the first visible row.
    GridRect Strip() const { return {width - StripWidth, 0, width, height}; }
    GridRect Thumb() const;

    /// The dialog's opening state: the stored first visible row and selection ("FVL", "SelPos"),
    /// unless the scratch box has another entry `boxSelection` selected (-1 for none), which is
    /// then shown about twelve rows down.
    void StartFrom(int storedFirstRow, int storedSelection, int boxSelection);

private:
    std::vector<std::string> names;
    int width = 0;
    int height = 0;
    int columns = 1;
    int visibleRows = 0;
    int firstRow = 0;
    int selected = 0;
};

} // namespace extras
