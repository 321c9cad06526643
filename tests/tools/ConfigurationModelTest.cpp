#include "tools/ConfigurationModel.h"

#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace {

using tools::ConfigurationModel;

/// Remembers the order of writes.
class OrderedStore : public platform::MemorySettingsStore {
public:
    void WriteInt(const std::string& section, const std::string& name, int value) override
    {
        writes.push_back(section + "/" + name + "=" + std::to_string(value));
        MemorySettingsStore::WriteInt(section, name, value);
    }
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override
    {
        writes.push_back(section + "/" + name + "=\"" + value + "\"");
        MemorySettingsStore::WriteString(section, name, value);
    }
    std::vector<std::string> writes;
};

TEST(ConfigurationModelTest, EmptyStoreShowsTheDialogsDefaults)
{
    const std::map<int, std::string> texts = {{1015, "3"}, {1019, "79"}, {1022, "0"},
                                              {1023, "3"}, {1027, "10"}, {1029, "50"}};
    const std::map<int, bool> checks = {{1030, false}, {1024, false}, {1025, false}, {1028, true}, {1018, true},
                                        {1020, true},  {1021, true},  {1026, true},  {1031, true}};
    platform::MemorySettingsStore store;
    ConfigurationModel model;
    model.Load(store);
    for (const auto& [id, text] : texts)
        EXPECT_EQ(model.Text(id), text) << id;
    for (const auto& [id, on] : checks)
        EXPECT_EQ(model.Checked(id), on) << id;
    EXPECT_TRUE(store.Values().empty()); // reading writes nothing back
}

TEST(ConfigurationModelTest, SaveWritesTheSixStringsThenTheNineIntegers)
{
    OrderedStore store;
    ConfigurationModel model;
    model.Load(store);
    ASSERT_TRUE(model.SetText(1023, "120"));
    model.SetChecked(1028, false);
    model.Save(store);
    EXPECT_EQ(store.writes, (std::vector<std::string>{
                                "Settings/Tab=\"3\"", "Settings/MaxChar=\"79\"", "Settings/Left=\"0\"",
                                "Settings/RIGHT=\"120\"", "Settings/IWP=\"10\"", "Settings/JIWP=\"50\"",
                                "Settings/SplashScreen=0", "Settings/EnableDos=1", "Settings/SaveOnExit=1",
                                "Settings/SaveHeader=1", "Settings/ResembleOnLoad=0", "Settings/JustifyOnResemble=0",
                                "Settings/IdentOnResemble=0", "Settings/SaveWPonExit=1", "Settings/StartWithMRD=1"}));
    ASSERT_EQ(store.Values().size(), 15u);
    EXPECT_TRUE(std::holds_alternative<std::string>(store.Values().at("Settings/MaxChar")));
    EXPECT_TRUE(std::holds_alternative<int>(store.Values().at("Settings/EnableDos")));
}

TEST(ConfigurationModelTest, NumberFieldsTakeUpToThreeDigitsOnly)
{
    struct Case {
        std::string text;
        bool accepted;
    };
    const Case cases[] = {{"", true},     {"0", true},   {"999", true}, {"1000", false},
                          {"12a", false}, {"-1", false}, {" 1", false}, {"٣", false}};
    ConfigurationModel model;
    for (const Case& c : cases) {
        EXPECT_EQ(tools::IsNumberFieldText(c.text), c.accepted) << c.text;
        EXPECT_EQ(model.SetText(1015, c.text), c.accepted) << c.text;
        if (!c.accepted)
            EXPECT_NE(model.Text(1015), c.text);
    }
    EXPECT_FALSE(model.SetText(1030, "1")); // a check box has no text
}

TEST(ConfigurationModelTest, StoredValuesAreShownAndKeptOnASecondSave)
{
    platform::MemorySettingsStore store;
    store.WriteString("Settings", "Left", "12");
    store.WriteInt("Settings", "EnableDos", 0);
    store.WriteInt("Settings", "JustifyOnResemble", 5);
    ConfigurationModel model;
    model.Load(store);
    EXPECT_EQ(model.Text(1022), "12");
    EXPECT_FALSE(model.Checked(1018));
    EXPECT_TRUE(model.Checked(1024));
    model.Save(store);
    EXPECT_EQ(store.ReadString("Settings", "Left", ""), "12");
    EXPECT_EQ(store.ReadInt("Settings", "EnableDos", 7), 0);
    EXPECT_EQ(store.ReadInt("Settings", "JustifyOnResemble", 7), 1);
}

} // namespace
