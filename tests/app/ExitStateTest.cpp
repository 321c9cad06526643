// What the main window stores when it closes, under the "SaveOnExit" and "SaveWPonExit" switches.
#include "app/ExitState.h"

#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace {

app::ExitState SampleState()
{
    app::ExitState state;
    state.documentPath = "/home/u/doc.txf";
    state.windowLeft = 10;
    state.windowTop = 20;
    state.windowWidth = 640;
    state.windowHeight = 480;
    state.faceName = "Homa";
    state.keymapName = "kolb.kbd";
    state.size = 36;
    state.toolBarVisible = true;
    state.toolBarStyle = 7;
    state.toolBarLeft = 300;
    state.toolBarTop = 200;
    state.toolBarFloating = false;
    return state;
}

void SeedOldValues(platform::MemorySettingsStore& s)
{
    s.WriteString("Settings", "font", "old face");
    s.WriteString("Settings", "keyfile", "old.kbd");
    s.WriteInt("Settings", "size", 11);
    for (const char* name : {"T1Adjust", "T1PosX", "T1PosY", "T1Dock", "T1Show", "PosX", "PosY", "SizeX", "SizeY"})
        s.WriteInt("Settings", name, -5);
}

TEST(StoreExitState, SaveOnExitOnStoresEverything)
{
    platform::MemorySettingsStore s;
    SeedOldValues(s);
    app::EditorSettings settings(s);
    app::StoreExitState(SampleState(), settings);
    EXPECT_EQ(s.ReadString("Temp", "LastFile", ""), "/home/u/doc.txf");
    EXPECT_EQ(s.ReadInt("Settings", "PosX", 0), 10);
    EXPECT_EQ(s.ReadInt("Settings", "PosY", 0), 20);
    EXPECT_EQ(s.ReadInt("Settings", "SizeX", 0), 640);
    EXPECT_EQ(s.ReadInt("Settings", "SizeY", 0), 480);
    EXPECT_EQ(s.ReadString("Settings", "font", ""), "Homa");
    EXPECT_EQ(s.ReadString("Settings", "keyfile", ""), "kolb.kbd");
    EXPECT_EQ(s.ReadInt("Settings", "size", 0), 36);
    EXPECT_EQ(s.ReadInt("Settings", "T1Adjust", 0), 7);
    EXPECT_EQ(s.ReadInt("Settings", "T1PosX", 0), 300);
    EXPECT_EQ(s.ReadInt("Settings", "T1PosY", 0), 200);
    EXPECT_EQ(s.ReadInt("Settings", "T1Dock", 9), 0);
    EXPECT_EQ(s.ReadInt("Settings", "T1Show", 9), 1);
}

TEST(StoreExitState, SaveOnExitOffKeepsFontAndToolBarButStoresFileAndRectangle)
{
    platform::MemorySettingsStore s;
    SeedOldValues(s);
    s.WriteInt("Settings", "SaveOnExit", 0);
    app::ExitState state = SampleState();
    state.documentPath = "UnTitled.txf";
    app::EditorSettings settings(s);
    app::StoreExitState(state, settings);
    EXPECT_EQ(s.ReadString("Temp", "LastFile", ""), "UnTitled.txf");
    EXPECT_EQ(s.ReadInt("Settings", "SizeX", 0), 640);
    EXPECT_EQ(s.ReadString("Settings", "font", ""), "old face");
    EXPECT_EQ(s.ReadString("Settings", "keyfile", ""), "old.kbd");
    EXPECT_EQ(s.ReadInt("Settings", "size", 0), 11);
    for (const char* name : {"T1Adjust", "T1PosX", "T1PosY", "T1Dock", "T1Show"})
        EXPECT_EQ(s.ReadInt("Settings", name, 0), -5) << name;
}

TEST(StoreExitState, HiddenToolBarStoresOnlyItsVisibilityAndRectangleFollowsItsSwitch)
{
    platform::MemorySettingsStore s;
    SeedOldValues(s);
    s.WriteInt("Settings", "SaveWPonExit", 0);
    app::ExitState state = SampleState();
    state.toolBarVisible = false;
    app::EditorSettings settings(s);
    app::StoreExitState(state, settings);
    EXPECT_EQ(s.ReadInt("Settings", "T1Show", 9), 0);
    for (const char* name : {"T1Adjust", "T1PosX", "T1PosY", "T1Dock", "PosX", "PosY", "SizeX", "SizeY"})
        EXPECT_EQ(s.ReadInt("Settings", name, 0), -5) << name;
    EXPECT_EQ(s.ReadString("Settings", "font", ""), "Homa");
}

} // namespace
