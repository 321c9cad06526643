// The recent-file list: order, duplicates, capacity, storage.
#include "app/RecentFileList.h"

#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, MostRecentFirstWithoutDuplicatesUpToTen)
{
    app::RecentFileList list;
    for (int i = 1; i <= 12; ++i)
        list.Add("/d/" + std::to_string(i) + ".txf");
    ASSERT_EQ(list.Paths().size(), 10u);
    EXPECT_EQ(list.Paths().front(), "/d/12.txf");
    EXPECT_EQ(list.Paths().back(), "/d/3.txf");

    list.Add("/d/5.txf"); // moves to the front, nothing dropped
    EXPECT_EQ(list.Paths().size(), 10u);
    EXPECT_EQ(list.Paths()[0], "/d/5.txf");
    EXPECT_EQ(list.Paths()[1], "/d/12.txf");

    list.Remove(0);
    list.Remove(99); // ignored
    EXPECT_EQ(list.Paths().size(), 9u);
    EXPECT_EQ(list.Paths()[0], "/d/12.txf");
    list.Add("");
    EXPECT_EQ(list.Paths().size(), 9u);
}

TEST(RecentFileList, SavedListLoadsBackAndShrinkingRemovesStaleValues)
{
    platform::MemorySettingsStore settings;
    app::RecentFileList list;
    list.Add("/a.txf");
    list.Add("/b.txf");
    list.Add("/c.txf");
    list.Save(settings);
    EXPECT_EQ(settings.ReadString("Recent File List", "File1", ""), "/c.txf");

    app::RecentFileList loaded;
    loaded.Load(settings);
    EXPECT_EQ(loaded.Paths(), (Paths{"/c.txf", "/b.txf", "/a.txf"}));

    loaded.Remove(0);
    loaded.Save(settings);
    EXPECT_FALSE(settings.Contains("Recent File List", "File3"));
    app::RecentFileList again;
    again.Load(settings);
    EXPECT_EQ(again.Paths(), (Paths{"/b.txf", "/a.txf"}));
}

} // namespace
