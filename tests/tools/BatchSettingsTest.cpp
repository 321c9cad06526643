// The conversion the batch settings ask for, including UTF-8 on either side.
#include "tools/BatchSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(BatchSettingsTest, OptionsFollowTheKeymapsAndTheDocumentLayout)
{
    tools::BatchSettings b;
    b.sourceKeymap = "main.kbd";
    b.destinationKeymap = tools::UnicodeChoice;
    b.fontName = "Iran System";
    b.fontSize = 18;
    tools::BatchOptions o = tools::OptionsFor(b, tools::DosLayout::On, tools::HeaderChoice::Write);
    EXPECT_EQ(o.sourceKeymap, "main.kbd");
    EXPECT_TRUE(o.toUnicode);
    EXPECT_FALSE(o.fromUnicode);
    EXPECT_EQ(o.faceName, "Iran System");
    EXPECT_EQ(o.size, 18);
    EXPECT_EQ(o.header, tools::HeaderChoice::Write);
    EXPECT_EQ(o.dos, tools::DosLayout::On);

    b.sourceKeymap = tools::UnicodeChoice;
    b.destinationKeymap = "kolb.kbd";
    o = tools::OptionsFor(b, tools::DosLayout::Off, tools::HeaderChoice::Omit);
    EXPECT_TRUE(o.fromUnicode);
    EXPECT_TRUE(o.sourceKeymap.empty());
    EXPECT_EQ(o.destinationKeymap, "kolb.kbd");
    EXPECT_EQ(o.header, tools::HeaderChoice::Omit);
    EXPECT_EQ(o.dos, tools::DosLayout::Off);
}

} // namespace
