#include "tools/ReflowSettings.h"

#include "platform/MemorySettingsStore.h"
#include "tools/ConfigurationModel.h"

#include <gtest/gtest.h>

namespace {

TEST(ReflowSettingsTest, MissingKeysReadAsThisReadersOwnDefaults)
{
    platform::MemorySettingsStore store;
    const tools::ReflowSettings s = tools::ReadReflowSettings(store);
    EXPECT_EQ(s.tab, 3);
    EXPECT_EQ(s.maxChar, 79);
    EXPECT_EQ(s.left, 3); // the dialog shows "0"
    EXPECT_EQ(s.right, 3);
    EXPECT_EQ(s.iwp, 10);
    EXPECT_EQ(s.jiwp, 50);
    EXPECT_FALSE(s.enableDos); // the dialog shows it on
    EXPECT_FALSE(s.identOnResemble);
}

TEST(ReflowSettingsTest, ValuesTheDialogSavedAreReadBack)
{
    platform::MemorySettingsStore store;
    tools::ConfigurationModel model;
    ASSERT_TRUE(model.SetText(1023, "7"));
    ASSERT_TRUE(model.SetText(1029, ""));
    model.SetChecked(1030, true);
    model.Save(store);
    store.WriteString("Settings", "Tab", "12x"); // the atoi rule
    const tools::ReflowSettings s = tools::ReadReflowSettings(store);
    EXPECT_EQ(s.right, 7);
    EXPECT_EQ(s.jiwp, 0); // an empty field reads as 0
    EXPECT_EQ(s.left, 0);
    EXPECT_EQ(s.tab, 12);
    EXPECT_TRUE(s.enableDos);
    EXPECT_TRUE(s.identOnResemble);
}

} // namespace
