#include "extras/PoetrySettings.h"

#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace {

using extras::PoetrySettings;

/// Remembers the order of writes.
class OrderedStore : public platform::MemorySettingsStore {
public:
    void WriteInt(const std::string& section, const std::string& name, int value) override
    {
        order.push_back(section + "/" + name);
        MemorySettingsStore::WriteInt(section, name, value);
    }
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override
    {
        order.push_back(section + "/" + name);
        MemorySettingsStore::WriteString(section, name, value);
    }
    std::vector<std::string> order;
};

TEST(PoetrySettings, DefaultsWhenNothingIsStoredAndNothingWrittenBack)
{
    const platform::MemorySettingsStore store;
    const PoetrySettings s = PoetrySettings::Read(store);
    EXPECT_EQ(s.how, 3);
    EXPECT_EQ(s.mod, 0);
    EXPECT_EQ(s.showN, 0);
    EXPECT_EQ(s.justify, 1);
    EXPECT_EQ(s.n, "4");
    EXPECT_EQ(s.tab1, "3");
    EXPECT_EQ(s.tab2, "15");
    EXPECT_TRUE(store.Values().empty());
}

TEST(PoetrySettings, WritesTheSevenValuesInOrderAndReadsThemBack)
{
    OrderedStore store;
    PoetrySettings s;
    s.how = 1;
    s.mod = 1;
    s.showN = 1;
    s.justify = 0;
    s.n = "6";
    s.tab1 = "0";
    s.tab2 = "30";
    s.Write(store);
    EXPECT_EQ(store.order, (std::vector<std::string>{"QuvelSetting/How", "QuvelSetting/Mod", "QuvelSetting/Justify",
                                                     "QuvelSetting/ShowN", "QuvelSetting/n", "QuvelSetting/tab1",
                                                     "QuvelSetting/tab2"}));
    EXPECT_EQ(store.Values().at("QuvelSetting/n"), platform::MemorySettingsStore::Value(std::string("6")));
    const PoetrySettings back = PoetrySettings::Read(store);
    EXPECT_EQ(back.Choice(), extras::LineChoice::Last);
    EXPECT_EQ(back.Layout(), extras::VerseLayout::Regular);
    EXPECT_EQ(back.tab2, "30");
}

TEST(PoetryFieldRules, NumberNAndTabs)
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

} // namespace
