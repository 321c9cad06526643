#include "extras/PoetryFields.h"

#include <gtest/gtest.h>

namespace {

TEST(PoetryFields, NumberNAndTabsFollowTheirRules)
{
    EXPECT_EQ(extras::ClampPoemNumber(-5, 496), 1);
    EXPECT_EQ(extras::ClampPoemNumber(0, 496), 0);
    EXPECT_EQ(extras::ClampPoemNumber(497, 496), 496);
    EXPECT_EQ(extras::ClampPoemNumber(999, 3), 3) << "the count comes from the index";
    EXPECT_EQ(extras::EvenLineCount(5), 6);
    EXPECT_EQ(extras::EvenLineCount(0), 0);
    EXPECT_EQ(extras::EvenLineCount(4), 4);
    EXPECT_EQ(extras::EvenLineCount(-3), -2);
    EXPECT_EQ(extras::ClampTab(-1), 0);
    EXPECT_EQ(extras::ClampTab(30), 30);
    EXPECT_EQ(extras::ClampTab(31), 30);
}

TEST(PoetryFields, StoredChoicesOutsideTheRadioGroupsReadAsTheirLastButton)
{
    extras::QuvelSettings s;
    EXPECT_EQ(extras::ChoiceOf(s), extras::LineChoice::Random) << "the default";
    EXPECT_EQ(extras::LayoutOf(s), extras::VerseLayout::Poetic);
    s.how = 1;
    s.mode = 1;
    EXPECT_EQ(extras::ChoiceOf(s), extras::LineChoice::Last);
    EXPECT_EQ(extras::LayoutOf(s), extras::VerseLayout::Regular);
    s.how = 9;
    s.mode = -4;
    EXPECT_EQ(extras::ChoiceOf(s), extras::LineChoice::Random);
    EXPECT_EQ(extras::LayoutOf(s), extras::VerseLayout::Poetic);
}

} // namespace
