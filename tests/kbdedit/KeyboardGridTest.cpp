#include "platform/DialogUnits.h"
#include "kbdedit/KeyboardGrid.h"

#include <gtest/gtest.h>

using namespace kbdedit;
using platform::DialogUnits;
using platform::UnitRect;

namespace {

struct HitCase {
    const char* what;
    int x, y;
    PictureOffset offset;
    std::optional<GridCell> expected;
};

const HitCase HitCases[] = {
    {"origin is the first cell", 0, 30, {0, 0}, GridCell{0, 0}},
    {"49 px left of the picture truncates to column 0", -49, 30, {0, 0}, GridCell{0, 0}},
    {"offset moves positions left", 40, 30, {-89, 0}, GridCell{0, 0}},
    {"50 px left of the picture is no cell", -50, 30, {0, 0}, std::nullopt},
    {"last pixel of column 12", 649, 30, {0, 0}, GridCell{12, 0}},
    {"fourteenth column is no cell", 650, 30, {0, 0}, std::nullopt},
    {"with offset, the fourteenth column", 660, 30, {-5, 0}, std::nullopt},
    {"function-key strip is no cell", 100, 29, {0, 0}, std::nullopt},
    {"strip edge with offset", 100, 69, {0, -40}, std::nullopt},
    {"first row starts where the strip ends", 100, 70, {0, -40}, GridCell{2, 0}},
    {"negative sum above the picture truncates to row' 0", 100, -60, {0, 0}, std::nullopt},
    {"last pixel row of the lower row", 120, 229, {0, 0}, GridCell{2, 3}},
    {"decorative strip is no cell", 120, 230, {0, 0}, std::nullopt},
    {"home-row Enter cell", 610, 170, {-3, -25}, GridCell{12, 2}},
};

} // namespace

TEST(KeyboardGrid, HitTestDividesTowardZeroAndRejectsTheStripsAndTheFourteenthColumn)
{
    for (const HitCase& c : HitCases) {
        SCOPED_TRACE(c.what);
        const std::optional<GridCell> cell = HitTest(c.x, c.y, c.offset);
        ASSERT_EQ(cell.has_value(), c.expected.has_value());
        if (cell) {
            EXPECT_EQ(cell->column, c.expected->column);
            EXPECT_EQ(cell->row, c.expected->row);
        }
    }
}

TEST(KeyboardGrid, CellsMapToRecordsAndFramePositions)
{
    EXPECT_EQ((GridCell{12, 2}).RecordIndex(), keymap::EnglishFlagRecord);
    EXPECT_EQ((GridCell{11, 3}).RecordIndex(), keymap::NoKeyRecord);
    EXPECT_EQ((GridCell{12, 3}).RecordIndex(), 51);
    EXPECT_EQ(CellLeft(GridCell{3, 1}), 150);
    EXPECT_EQ(CellTop(GridCell{3, 1}), 100);
    EXPECT_EQ(CellTop(GridCell{0, 0}), 50);
}

TEST(KeyboardGrid, ArrowsStopAtTheEdges)
{
    struct Case {
        GridCell from;
        ArrowKey key;
        std::optional<GridCell> to;
    } cases[] = {
        {{12, 1}, ArrowKey::Right, std::nullopt},
        {{5, 3}, ArrowKey::Down, std::nullopt},
        {{5, 0}, ArrowKey::Up, std::nullopt},
        {{0, 2}, ArrowKey::Left, std::nullopt},
        {{11, 1}, ArrowKey::Right, GridCell{12, 1}},
        {{5, 2}, ArrowKey::Down, GridCell{5, 3}},
        {{5, 1}, ArrowKey::Up, GridCell{5, 0}},
        {{1, 2}, ArrowKey::Left, GridCell{0, 2}},
    };
    for (const Case& c : cases) {
        const std::optional<GridCell> to = ArrowStep(c.from, c.key);
        ASSERT_EQ(to.has_value(), c.to.has_value()) << c.from.column << "," << c.from.row;
        if (to) {
            EXPECT_EQ(*to, *c.to);
        }
    }
}

TEST(DialogUnits, ScaleWithTheFontBaseUnitsAndRound)
{
    // MS Sans Serif 8 at 96 dpi has base units 6 x 13: the main window is 771 x 385 pixels.
    const DialogUnits classic(6, 13);
    EXPECT_EQ(classic.Rect(0, 0, 514, 237), (UnitRect{0, 0, 771, 385}));
    EXPECT_EQ(classic.Rect(17, 18, 45, 14), (UnitRect{26, 29, 68, 23}));
    const DialogUnits wide(7, 16);
    EXPECT_EQ(wide.X(36), 63);
    EXPECT_EQ(wide.Y(216), 432);
    EXPECT_EQ(wide.X(-2), -4) << "negative units round away from zero like positive ones";
    EXPECT_EQ(DialogUnits(0, 0).X(8), 2) << "a broken font never divides by zero";
}
