// The Scratch Select grid without a display: layout, every key, scrolling, the opening state.
#include "extras/ScratchSelector.h"

#include <gtest/gtest.h>

namespace {

using extras::GridKey;
using extras::ScratchSelector;

/// The dialog's grid area: 3 columns and 13 rows.
constexpr int GridWidth = 508;
constexpr int GridHeight = 292;

ScratchSelector Grid(int names, int width = GridWidth, int height = GridHeight)
{
    std::vector<std::string> list;
    for (int i = 0; i < names; ++i)
        list.push_back("Face " + std::to_string(i));
    ScratchSelector grid;
    grid.SetNames(std::move(list));
    grid.Layout(width, height);
    return grid;
}

int After(ScratchSelector grid, int from, GridKey key)
{
    grid.SetSelected(from);
    grid.Key(key);
    return grid.Selected();
}

TEST(ScratchSelectorTest, LaysOutTheDialogAreaAndNarrowAreas)
{
    const ScratchSelector grid = Grid(50);
    EXPECT_EQ(grid.Columns(), 3);
    EXPECT_EQ(grid.VisibleRows(), 13);
    EXPECT_EQ(grid.Tile(2, 1), (extras::GridRect{162, 44, 322, 64}));
    EXPECT_EQ(grid.Frame(0, 0), (extras::GridRect{-1, -1, 161, 21}));
    EXPECT_EQ(grid.Strip(), (extras::GridRect{493, 0, 508, 292}));

    ScratchSelector narrow = Grid(5, 100, 120);
    EXPECT_EQ(narrow.Columns(), 1); // narrower than one cell still shows one column
    narrow.Key(GridKey::Down);
    EXPECT_EQ(narrow.Selected(), 1);
    narrow.Key(GridKey::Right);
    EXPECT_EQ(narrow.Selected(), 1);
}

TEST(ScratchSelectorTest, MovesOnFiftyNamesInThreeColumns)
{
    const ScratchSelector grid = Grid(50);
    struct Case {
        int from;
        GridKey key;
        int expected;
    };
    const Case cases[] = {
        {48, GridKey::Down, 48}, // the only cell of the last row
        {47, GridKey::Down, 47}, // column 2 of the last row does not exist
        {46, GridKey::Down, 49},
        {44, GridKey::Down, 47},
        {2, GridKey::Right, 2},  // last column
        {3, GridKey::Left, 3},   // column 0
        {4, GridKey::Left, 3},
        {1, GridKey::Up, 1},     // first row keeps the cell
        {10, GridKey::Up, 7},
        {0, GridKey::PageDown, 9},
        {40, GridKey::PageDown, 49},
        {7, GridKey::PageUp, 1},
        {20, GridKey::Home, 0},
        {20, GridKey::End, 49},
    };
    for (const Case& c : cases)
        EXPECT_EQ(After(grid, c.from, c.key), c.expected) << "from " << c.from << " key " << static_cast<int>(c.key);
}

TEST(ScratchSelectorTest, TheSelectionStaysVisibleWhileScrolling)
{
    ScratchSelector grid = Grid(1000); // more than the 400 names a grid once held
    ASSERT_EQ(grid.Count(), 1000);
    const GridKey walk[] = {GridKey::Down, GridKey::PageDown, GridKey::Right, GridKey::PageUp, GridKey::Up, GridKey::Left};
    int row = 0, column = 0;
    for (int round = 0; round < 400; ++round) {
        grid.Key(walk[(round * 7 + round / 5) % 6]);
        ASSERT_TRUE(grid.SelectedCell(row, column)) << "round " << round << " index " << grid.Selected();
    }
    grid.Key(GridKey::End);
    EXPECT_EQ(grid.Selected(), 999);
    EXPECT_EQ(grid.FirstVisibleRow(), 1000 / 3 - 13 + 1);
    ASSERT_TRUE(grid.SelectedCell(row, column));
    EXPECT_EQ(row, 12);
    grid.Key(GridKey::Home);
    EXPECT_EQ(grid.Selected(), 0);
    EXPECT_EQ(grid.FirstVisibleRow(), 0);
}

TEST(ScratchSelectorTest, EmptyGridIgnoresEveryKey)
{
    ScratchSelector grid = Grid(0);
    for (GridKey k : {GridKey::Down, GridKey::Up, GridKey::Right, GridKey::End, GridKey::Home, GridKey::PageDown})
        grid.Key(k);
    EXPECT_EQ(grid.Selected(), 0);
    EXPECT_EQ(grid.FirstVisibleRow(), 0);
    int row = 0, column = 0;
    EXPECT_FALSE(grid.SelectedCell(row, column));
}

TEST(ScratchSelectorTest, ThumbFollowsTheFirstVisibleRow)
{
    ScratchSelector grid = Grid(50); // 16 rows of names, 13 visible: step (292 - 100) / 3 = 64
    grid.SetFirstVisibleRow(2);
    EXPECT_EQ(grid.Thumb(), (extras::GridRect{493, 128, 508, 228}));
    ScratchSelector few = Grid(9);
    few.SetFirstVisibleRow(0);
    EXPECT_EQ(few.Thumb(), (extras::GridRect{493, 0, 508, 100}));
    ScratchSelector low = Grid(60, GridWidth, 50); // lower than the thumb: it cannot move
    low.SetFirstVisibleRow(5);
    EXPECT_EQ(low.Thumb().top, 0);
}

TEST(ScratchSelectorTest, OpensAtTheScratchBoxSelection)
{
    ScratchSelector grid = Grid(50);
    grid.StartFrom(4, 7, 40); // the box has 40 selected, the stored selection is 7
    EXPECT_EQ(grid.Selected(), 40);
    EXPECT_EQ(grid.FirstVisibleRow(), 1); // 40 / 3 - 12

    grid.StartFrom(4, 7, 7); // the same index as stored: the stored row stays
    EXPECT_EQ(grid.FirstVisibleRow(), 4);
    grid.StartFrom(4, 7, 10);
    EXPECT_EQ(grid.FirstVisibleRow(), 0); // 10 / 3 - 12 is negative
    grid.StartFrom(4, 7, -1);
    EXPECT_EQ(grid.Selected(), 7);
}

TEST(ScratchSelectorTest, NamesAreCutToTwentyCharacters)
{
    const auto names = ScratchSelector::NamesOfScratchText("2\nA very long face name indeed\nmain.kbd\n24\nHoma\nkolb.kbd\n18\n");
    EXPECT_EQ(names, (std::vector<std::string>{"A very long face nam", "Homa"}));
    ScratchSelector grid;
    grid.SetNames({std::string(30, 'x')});
    EXPECT_EQ(grid.Names()[0].size(), 20u);
}

} // namespace
