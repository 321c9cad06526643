// Choosing another keymap for the open document: the text follows into the new font's codes,
// and a keymap that cannot be read changes nothing.
#include "app/KeymapSwitch.h"

#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct KeymapSwitchFixture : ::testing::Test {
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    editctl::PersianEdit editor;
    keymap::KeyMap bound;
    keymap::KeymapConverter converter;

    void SetUp() override
    {
        folder.InstallKeymap("main.kbd");
        folder.InstallKeymap("kolb.kbd");
    }
};

TEST_F(KeymapSwitchFixture, TextIsConvertedAndTheDocumentMarkedModified)
{
    ASSERT_TRUE(bound.Load("main.kbd"));
    editor.SetKeyMap(&bound);
    for (const bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        ASSERT_TRUE(bound.Load("main.kbd"));
        editor.Window().SetText(fakes::Glyphs("main.kbd", "سلام دنیا"));
        editor.modified = modified;
        EXPECT_EQ(app::SwitchKeymap(editor, bound, converter, "kolb.kbd"), app::KeymapSwitchResult::Switched);
        EXPECT_EQ(editor.Window().GetText(), fakes::Glyphs("kolb.kbd", "سلام دنیا"));
        EXPECT_EQ(bound.FileName(), "kolb.kbd");
        // The file on disk is in the old encoding: it has to be saved again, or asked about.
        EXPECT_TRUE(editor.modified);
        EXPECT_TRUE(converter.input.empty());
        EXPECT_TRUE(converter.output.empty());
    }
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(KeymapSwitchFixture, NothingToConvertLeavesTheModifiedFlagAlone)
{
    ASSERT_TRUE(bound.Load("main.kbd"));
    editor.SetKeyMap(&bound);
    editor.Window().SetText("");
    editor.modified = false;
    EXPECT_EQ(app::SwitchKeymap(editor, bound, converter, "kolb.kbd"), app::KeymapSwitchResult::Switched);
    EXPECT_FALSE(editor.modified) << "an empty document";
    editor.Window().SetText(fakes::Glyphs("kolb.kbd", "نامه"));
    EXPECT_EQ(app::SwitchKeymap(editor, bound, converter, "kolb.kbd"), app::KeymapSwitchResult::Switched);
    EXPECT_FALSE(editor.modified) << "the keymap it already has";
}

TEST_F(KeymapSwitchFixture, UnreadableKeymapIsRefusedAndChangesNothing)
{
    ASSERT_TRUE(bound.Load("main.kbd"));
    const std::string text = fakes::Glyphs("main.kbd", "نامه");
    editor.Window().SetText(text);
    folder.Write("KeyMaps/short.kbd", "too short for a keymap");
    for (const char* name : {"gone.kbd", "short.kbd"}) {
        SCOPED_TRACE(name);
        services.messages.shown.clear();
        EXPECT_EQ(app::SwitchKeymap(editor, bound, converter, name), app::KeymapSwitchResult::Refused);
        EXPECT_EQ(editor.Window().GetText(), text);
        EXPECT_EQ(bound.FileName(), "main.kbd");
        EXPECT_FALSE(services.messages.shown.empty()) << "the failed load is reported";
    }
}

TEST_F(KeymapSwitchFixture, DocumentKeymapGoneFromDiskRefusesAndKeepsTheText)
{
    // The converter last held kolb.kbd as its source: a failed reload must not let it stand in.
    ASSERT_TRUE(converter.LoadKeymaps("kolb.kbd", "kolb.kbd"));
    ASSERT_TRUE(bound.Load("main.kbd"));
    const std::string text = fakes::Glyphs("main.kbd", "نامه");
    editor.Window().SetText(text);
    editor.modified = false;
    std::filesystem::remove(folder.KeyMapsPath() + "/main.kbd");
    EXPECT_EQ(app::SwitchKeymap(editor, bound, converter, "kolb.kbd"), app::KeymapSwitchResult::Refused);
    EXPECT_EQ(editor.Window().GetText(), text);
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(bound.FileName(), "main.kbd");
    ASSERT_FALSE(services.messages.shown.empty());
    EXPECT_EQ(services.messages.shown[0].text, "main.kbd\nNo such file or directory");
}

TEST_F(KeymapSwitchFixture, KeymapNeverLoadedIsJustLoaded)
{
    editor.Window().SetText("abc");
    EXPECT_EQ(app::SwitchKeymap(editor, bound, converter, "kolb.kbd"), app::KeymapSwitchResult::Switched);
    EXPECT_EQ(editor.Window().GetText(), "abc");
    EXPECT_TRUE(bound.IsLoaded());
    EXPECT_EQ(bound.FileName(), "kolb.kbd");
}

} // namespace
