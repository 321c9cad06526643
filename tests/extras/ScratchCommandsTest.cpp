// The scratch commands on a real edit control with the shipped keymaps: applying an entry converts
// the text and sets up the editor; the delete question; the messages of a missing table.
#include "extras/ScratchCommands.h"

#include "editctl/PersianEdit.h"
#include "keymap/KeymapConverter.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using platform::MessageAnswer;

/// The main window's part: records the current setting and sets up the editor as the view does.
class FakeFontHost : public extras::FontSettingHost {
public:
    explicit FakeFontHost(editctl::PersianEdit& editor) : editor(editor) {}
    void SetCurrentFontSetting(const extras::FontSetting& s) override { current = s; }
    bool SetupEditor(const extras::FontSetting& s) override
    {
        ++setups;
        if (!map.Load(s.keymapName))
            return false;
        editor.SetKeyMap(&map);
        editor.SetEditFont(s.faceName, s.size);
        return true;
    }
    void SelectKeymapEntry(const std::string& name) override { keymapBoxChoice = name; }

    editctl::PersianEdit& editor;
    keymap::KeyMap map;
    extras::FontSetting current;
    std::string keymapBoxChoice;
    int setups = 0;
};

struct ScratchCommandsTest : ::testing::Test {
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    editctl::PersianEdit editor;
    FakeFontHost host{editor};
    keymap::KeymapConverter converter;
    extras::ScratchTable table;
    const std::string phrase = "سلام دنیا\r\nمی‌خواهم بخوانم";

    void SetUp() override
    {
        for (const char* name : {"main.kbd", "kolb.kbd", "ziba2.kbd"})
            folder.InstallKeymap(name);
        ASSERT_TRUE(host.SetupEditor({"nasim web homa", 24, "main.kbd"}));
        host.setups = 0;
        editor.Window().SetText(fakes::Glyphs("main.kbd", phrase));
        table.SetEntries({{"nasim web homa", "main.kbd", "24"}, {"Iran System", "kolb.kbd", "18"},
                          {"ziba", "ziba2.kbd", ""}, {"Broken", "missing.kbd", "12"}});
    }
};

TEST_F(ScratchCommandsTest, SelectingAnEntryConvertsTheTextAndSetsUpTheEditor)
{
    editor.modified = false;
    ASSERT_TRUE(extras::SelectFromScratch(table, 1, converter, editor, host));
    EXPECT_EQ(editor.Window().GetText(), fakes::Glyphs("kolb.kbd", phrase));
    EXPECT_EQ((host.current), (extras::FontSetting{"Iran System", 18, "kolb.kbd"}));
    EXPECT_EQ(host.keymapBoxChoice, "kolb.kbd");
    EXPECT_EQ(editor.KeyMapInUse()->FileName(), "kolb.kbd");
    EXPECT_EQ(editor.fontFace, "Iran System");
    EXPECT_EQ(editor.fontHeight, 18);
    EXPECT_TRUE(editor.modified) << "the text is in another font's codes than its file";
    EXPECT_EQ(table.Selected(), 1);

    // Back through an entry with an empty size text: size 0, and the text returns to main.kbd.
    ASSERT_TRUE(extras::SelectFromScratch(table, 2, converter, editor, host));
    ASSERT_TRUE(extras::SelectFromScratch(table, 0, converter, editor, host));
    EXPECT_EQ(editor.Window().GetText(), fakes::Glyphs("main.kbd", phrase));
}

TEST_F(ScratchCommandsTest, TheKeymapInForceStillConvertsAndReappliesTheFont)
{
    editor.modified = false;
    ASSERT_TRUE(extras::SelectFromScratch(table, 0, converter, editor, host));
    EXPECT_EQ(editor.Window().GetText(), fakes::Glyphs("main.kbd", phrase));
    EXPECT_EQ(host.setups, 1);
    EXPECT_EQ(host.current.size, 24);
    EXPECT_FALSE(editor.modified) << "the same codes as before";
}

TEST_F(ScratchCommandsTest, AnEmptyDocumentSwitchedToAnotherKeymapStaysUnmodified)
{
    editor.Window().SetText("");
    editor.modified = false;
    ASSERT_TRUE(extras::SelectFromScratch(table, 1, converter, editor, host));
    EXPECT_EQ(editor.KeyMapInUse()->FileName(), "kolb.kbd");
    EXPECT_FALSE(editor.modified);
}

TEST_F(ScratchCommandsTest, AnEntryWithAnEmptySizeSelectsSizeZero)
{
    ASSERT_TRUE(extras::SelectFromScratch(table, 2, converter, editor, host));
    EXPECT_EQ(host.current, (extras::FontSetting{"ziba", 0, "ziba2.kbd"}));
}

TEST_F(ScratchCommandsTest, AKeymapThatCannotBeLoadedChangesNothing)
{
    const std::string before = editor.Window().GetText();
    EXPECT_FALSE(extras::SelectFromScratch(table, 3, converter, editor, host));
    EXPECT_EQ(editor.Window().GetText(), before);
    EXPECT_EQ(host.setups, 0);
    EXPECT_EQ(editor.KeyMapInUse()->FileName(), "main.kbd");
    EXPECT_FALSE(services.messages.shown.empty()); // the keymap's own message
}

TEST_F(ScratchCommandsTest, NoSelectionOrAnEmptyFaceAppliesNothing)
{
    EXPECT_FALSE(extras::SelectFromScratch(table, 9, converter, editor, host));
    EXPECT_EQ(table.Selected(), -1);
    table.SetEntries({{"", "kolb.kbd", "12"}});
    EXPECT_FALSE(extras::SelectFromScratch(table, 0, converter, editor, host));
    EXPECT_EQ(host.setups, 0);
}

TEST_F(ScratchCommandsTest, LongNamesAreCutWhereTheyReachTheCurrentSetting)
{
    const std::string longFace(120, 'F');
    ASSERT_TRUE(extras::ApplyFontSetting(converter, editor, host, {longFace, 20, "kolb.kbd"}));
    EXPECT_EQ(host.current.faceName, std::string(79, 'F'));
}

TEST_F(ScratchCommandsTest, DeleteAsksFirstAndNoKeepsTheTable)
{
    table.Select(1);
    services.messages.Script({MessageAnswer::No});
    EXPECT_FALSE(extras::DeleteFromScratch(table));
    EXPECT_EQ(table.Count(), 4);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    const platform::Message& question = services.messages.shown[0];
    EXPECT_EQ(question.text, "Are you sure to delete font from scratch ?");
    EXPECT_EQ(question.caption, "Asterisk");
    EXPECT_EQ(question.buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(question.icon, platform::MessageIcon::Question);

    services.messages.Script({MessageAnswer::Yes});
    EXPECT_TRUE(extras::DeleteFromScratch(table));
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.SelectedEntry()->faceName, "ziba");
    EXPECT_EQ(editor.Window().GetText(), fakes::Glyphs("main.kbd", phrase)); // not applied
}

TEST_F(ScratchCommandsTest, AddStoresTheCurrentSetting)
{
    EXPECT_EQ(extras::AddToScratch(table, {"IRAN SYSTEM", 30, "ziba2.kbd"}), 1);
    EXPECT_EQ(table.Entries()[1], (extras::ScratchEntry{"Iran System", "ziba2.kbd", "30"}));
}

TEST_F(ScratchCommandsTest, MissingOrUnwritableTableIsReported)
{
    EXPECT_FALSE(extras::LoadScratchTable(table, folder.Path()));
    EXPECT_EQ(table.Count(), 0);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Not Opened");
    EXPECT_EQ(services.messages.shown[0].caption, "Kelmora");

    table.SetEntries({{"Homa", "main.kbd", "24"}});
    EXPECT_FALSE(extras::SaveScratchTable(table, folder.Path() + "/missing/scratch.cfg"));
    EXPECT_EQ(services.messages.shown.back().text, "Not created");
    EXPECT_EQ(services.messages.shown.back().caption, "Kelmora");

    ASSERT_TRUE(extras::SaveScratchTable(table, folder.Path() + "/scratch.cfg"));
    extras::ScratchTable again;
    ASSERT_TRUE(extras::LoadScratchTable(again, folder.Path()));
    EXPECT_EQ(again.Entries(), table.Entries());
}

TEST(ShippedScratchTableTest, HasOneEntryPerShippedKeymap)
{
    extras::ScratchTable table;
    ASSERT_TRUE(table.Load(fakes::BuildProgramFolder() + "/scratch.cfg"));
    std::vector<std::string> keymaps = table.KeymapNames();
    std::sort(keymaps.begin(), keymaps.end());
    EXPECT_EQ(keymaps, (std::vector<std::string>{"kolb.kbd", "main.kbd", "ziba2.kbd"}));
    for (const auto& e : table.Entries()) {
        EXPECT_FALSE(e.faceName.empty());
        EXPECT_GT(platform::AtoiRule(e.sizeText), 0);
        EXPECT_NO_THROW(fakes::ShippedKeymap(e.keymapName));
    }
}

} // namespace
