#include "extras/HelpTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(ShortcutRows, FiftyFourRowsWithTheEmptyOnesInTheirPlaces)
{
    const auto& rows = extras::ShortcutRows();
    std::vector<int> empty;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].empty())
            empty.push_back(static_cast<int>(i) + 1);
    EXPECT_EQ(empty, (std::vector<int>{5, 6, 12, 13, 21, 22, 25, 26, 29, 30, 34, 35, 43, 46, 47, 50, 51}));
    EXPECT_EQ(rows.front(), "Ctrl+O    Open File");
    EXPECT_EQ(rows[8], "Ctrl+J     Justify text") << "five blanks, unlike its neighbours";
    EXPECT_EQ(rows[23], "{numpad} -    Goto PrevFile");
    EXPECT_EQ(rows[38], "Ctrl+1        Show Quvel dialog");
    EXPECT_EQ(rows[47], "Home     Goto begining of line");
    EXPECT_EQ(rows.back(), "Ctrl+V,Shift+Insert    Paste");
}

} // namespace
