// Section "Batch": the defaults a reader supplies, the values "&Convert" writes, and the
// conversion they ask for, including UTF-8 on either side.
#include "tools/BatchSettings.h"

#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace {

TEST(BatchSettingsTest, DefaultsThenWhatIsWrittenIsReadBack)
{
    platform::MemorySettingsStore store;
    const tools::BatchSettings defaults = tools::BatchSettings::Read(store);
    EXPECT_EQ(defaults.sourcePattern, "*.txt");
    EXPECT_EQ(defaults.destinationPattern, "*.txf");
    EXPECT_EQ(defaults.size, 22);
    EXPECT_EQ(defaults.sourceFolder, tools::DefaultBatchFolder());
    EXPECT_TRUE(defaults.sourceKeymap.empty());
    EXPECT_TRUE(store.Values().empty()); // reading writes nothing back

    tools::BatchSettings b;
    b.sourceFolder = "/in";
    b.destinationFolder = "/out";
    b.sourceKeymap = "main.kbd";
    b.destinationKeymap = "kolb.kbd";
    b.sourcePattern = "*.doc";
    b.destinationPattern = "*.new";
    b.initialFolder = "/home";
    b.faceName = "Iran System";
    b.size = 36;
    b.Write(store);
    EXPECT_EQ(store.Values().size(), 9u);
    EXPECT_EQ(std::get<int>(store.Values().at("Batch/FSize")), 36);
    const tools::BatchSettings again = tools::BatchSettings::Read(store);
    EXPECT_EQ(again.sourceFolder, "/in");
    EXPECT_EQ(again.destinationKeymap, "kolb.kbd");
    EXPECT_EQ(again.destinationPattern, "*.new");
    EXPECT_EQ(again.initialFolder, "/home");
    EXPECT_EQ(again.faceName, "Iran System");
    EXPECT_EQ(again.size, 36);
}

TEST(BatchSettingsTest, OptionsFollowTheKeymapsAndTheDocumentSettings)
{
    platform::MemorySettingsStore store;
    tools::BatchSettings b;
    b.sourceKeymap = "main.kbd";
    b.destinationKeymap = tools::UnicodeChoice;
    tools::BatchOptions o = b.Options(store);
    EXPECT_EQ(o.sourceKeymap, "main.kbd");
    EXPECT_TRUE(o.toUnicode);
    EXPECT_FALSE(o.fromUnicode);
    EXPECT_EQ(o.header, tools::HeaderChoice::Write); // "SaveHeader" defaults to 1
    EXPECT_EQ(o.dos, tools::DosLayout::On);          // "EnableDos" defaults to 1

    store.WriteInt("Settings", "SaveHeader", 0);
    store.WriteInt("Settings", "EnableDos", 0);
    b.sourceKeymap = tools::UnicodeChoice;
    b.destinationKeymap = "kolb.kbd";
    o = b.Options(store);
    EXPECT_TRUE(o.fromUnicode);
    EXPECT_EQ(o.destinationKeymap, "kolb.kbd");
    EXPECT_EQ(o.header, tools::HeaderChoice::Omit);
    EXPECT_EQ(o.dos, tools::DosLayout::Off);
}

} // namespace
