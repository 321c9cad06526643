#include "extras/VerseLayout.h"

#include "tests/fakes/ScriptedRandom.h"

#include <gtest/gtest.h>

namespace {

using extras::LineChoice;
using extras::VerseLayout;

/// A poem of `lines` lines "L0", "L1", ... as LoadPoem builds it.
extras::Poem PoemOf(int lines)
{
    extras::Poem poem;
    for (int i = 0; i < lines; ++i) {
        poem.text += "L" + std::to_string(i) + "\r\n";
        poem.lineEnds.push_back(poem.text.size());
    }
    return poem;
}

std::string LinesText(int first, int last)
{
    std::string s;
    for (int i = first; i < last; ++i)
        s += "L" + std::to_string(i) + "\r\n";
    return s;
}

TEST(ChooseLines, TwelveLinesWithNFourForEachChoice)
{
    const extras::Poem poem = PoemOf(12);
    fakes::ScriptedRandom none;
    EXPECT_EQ(ChooseLines(poem, LineChoice::All, 4, none), poem.text);
    EXPECT_EQ(ChooseLines(poem, LineChoice::Last, 4, none), LinesText(8, 12));
    EXPECT_EQ(ChooseLines(poem, LineChoice::First, 4, none), LinesText(0, 4));
    EXPECT_EQ(none.Drawn(), 0u);

    // k = 12 - 4 + 1 = 9 places; an odd draw moves on to the next couplet.
    const struct {
        int drawn;
        int start;
    } starts[] = {{0, 0}, {1, 2}, {2, 2}, {3, 4}, {4, 4}, {5, 6}, {6, 6}, {7, 8}, {8, 8}, {9, 0}, {32767, 8}, {10, 2}};
    for (const auto& s : starts) {
        fakes::ScriptedRandom random({s.drawn}, s.drawn);
        EXPECT_EQ(ChooseLines(poem, LineChoice::Random, 4, random), LinesText(s.start, s.start + 4)) << s.drawn;
    }
}

TEST(ChooseLines, NOutsideOneToLinesLessOneTakesNothing)
{
    const extras::Poem poem = PoemOf(12);
    fakes::ScriptedRandom random({5}, 5);
    for (const int n : {0, -2, 12, 14})
        for (const LineChoice c : {LineChoice::All, LineChoice::Last, LineChoice::First, LineChoice::Random})
            EXPECT_FALSE(ChooseLines(poem, c, n, random)) << n;
    EXPECT_FALSE(ChooseLines(extras::Poem{}, LineChoice::All, 1, random)) << "no poem loaded";
    // An odd n read from the settings still stays inside the poem.
    for (int drawn = 0; drawn < 12; ++drawn) {
        fakes::ScriptedRandom r({drawn}, drawn);
        const auto lines = ChooseLines(poem, LineChoice::Random, 3, r);
        ASSERT_TRUE(lines);
        EXPECT_NE(poem.text.find(*lines), std::string::npos);
    }
}

TEST(LayOutVerse, PoeticIndentsHalfLinesAndTheClosingCoupletByTheMean)
{
    const std::string laid = LayOutVerse(LinesText(0, 12), VerseLayout::Poetic, 12, 3, 15);
    std::string expected;
    for (int i = 0; i < 12; ++i) {
        const int line = i + 1;
        const int spaces = line > 10 ? 9 : line % 2 != 0 ? 3 : 15;
        expected += "L" + std::to_string(i) + std::string(static_cast<std::size_t>(spaces), ' ') + "\r\n";
    }
    EXPECT_EQ(laid, expected);
}

TEST(LayOutVerse, RegularIndentsEveryLineAndAnExcerptCountsFromItsOwnStart)
{
    EXPECT_EQ(LayOutVerse("a\r\nb\r\n", VerseLayout::Regular, 12, 2, 15), "a  \r\nb  \r\n");
    // The closing couplet is judged by the poem's line count: four lines of a twelve-line poem
    // never reach it.
    EXPECT_EQ(LayOutVerse(LinesText(0, 4), VerseLayout::Poetic, 12, 1, 2), "L0 \r\nL1  \r\nL2 \r\nL3  \r\n");
    EXPECT_EQ(LayOutVerse(LinesText(0, 2), VerseLayout::Poetic, 2, 0, 1), "L0\r\nL1\r\n") << "mean 0: no spaces";
    EXPECT_EQ(LayOutVerse("", VerseLayout::Poetic, 12, 3, 15), "");
}

TEST(PoemHeader, NamesTheNumberBetweenDashes)
{
    EXPECT_EQ(extras::PoemHeader(57), "-- ( 57 ) --\r\n");
    EXPECT_EQ(extras::PoemHeader(496), "-- ( 496 ) --\r\n");
}

} // namespace
