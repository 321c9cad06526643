// Editing commands: undo, clipboard, deletions and joins, Home and End, Tab, delete line, Ctrl+P.
#include "tests/editctl/EditFixture.h"

#include <vector>

namespace {

using editctl::PersianEdit;
namespace vk = editctl::vk;

using Commands = EditFixture;

TEST_F(Commands, UndoRestoresTheLastSnapshotOnceOnly)
{
    Type("کت");
    const std::string before = Text();
    Type("ب");
    Press('Z', false, true);
    EXPECT_EQ(Text(), before);
    Press('Z', false, true);
    EXPECT_EQ(Text(), before) << "the second Ctrl+Z does nothing";
}

TEST_F(Commands, UndoOfTheFirstLetterEmptiesTheText)
{
    Type("ب");
    Press('Z', false, true);
    EXPECT_EQ(Text(), "");
}

TEST_F(Commands, UndoRestoresSelectionAndCounters)
{
    SetText("abcdef", 4);
    Press(vk::Left, true);
    Press(vk::Left, true);
    edit.SaveUndo();
    EXPECT_EQ(edit.UndoText(), "abcdef");
    Press(vk::Delete);
    EXPECT_EQ(Text(), "abef");
    edit.horizontalCount = 7;
    edit.Undo();
    EXPECT_EQ(Text(), "abcdef");
    int s = 0, e = 0;
    edit.Window().GetSel(s, e);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(e, 4);
    EXPECT_EQ(edit.horizontalCount, -2);
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(Commands, BackspaceDeletesTheLogicallyPreviousCharacter)
{
    Type("کتاب");
    Press(vk::Backspace);
    EXPECT_EQ(Reading(), "کتا");
    EXPECT_EQ(Caret(), 0);
}

TEST_F(Commands, CtrlBackspaceRemovesTheWordAndLeavesTheSpace)
{
    Type("سلام کتاب");
    Press(vk::Backspace, false, true);
    EXPECT_EQ(Reading(), "سلام ");
}

TEST_F(Commands, CtrlDeleteRemovesTheNextWord)
{
    Type("سلام کتاب ");
    Press(vk::Home); // logical start of the line
    Press(vk::Delete, false, true);
    EXPECT_EQ(Reading(), " کتاب ");
}

struct JoinCase {
    const char* name;
    std::string text;
    int caret;
    int key;
    std::string expected;
};

TEST_F(Commands, DeleteAndBackspaceJoinLines)
{
    const std::string salam = G({0xEE, 0xE9, 0xBB}); // سلام
    const std::string bab = G({0x8E});               // ب
    const std::vector<JoinCase> cases = {
        {"Delete at the logical end pulls the short next line up and removes its break",
         salam + "\r\n" + bab + "\r\nxyz", 0, vk::Delete, bab + salam + "\r\nxyz"},
        {"Delete before the last line takes it whole", salam + "\r\n" + bab, 0, vk::Delete, bab + salam},
        {"Backspace at the logical start joins with the line above", salam + "\r\n" + bab + "\r\nxyz", 6,
         vk::Backspace, bab + salam + "\r\nxyz"},
        {"Backspace at the logical start of the last line joins too", salam + "\r\n" + bab, 6, vk::Backspace,
         bab + salam},
        {"Backspace at the logical start of the first line does nothing", salam + "\r\n" + bab, 3, vk::Backspace,
         salam + "\r\n" + bab},
        {"Delete at the logical end of the last line does nothing", salam + "\r\n" + bab, 5, vk::Delete,
         salam + "\r\n" + bab},
        {"Backspace on an empty line removes it", salam + "\r\n\r\nxyz", 5, vk::Backspace, salam + "\r\nxyz"},
        {"Delete with a selection removes only the selection", "abcdef", -1, vk::Delete, "af"},
        {"Backspace with a selection removes only the selection", "abcdef", -1, vk::Backspace, "af"},
    };
    for (const JoinCase& c : cases) {
        if (c.caret < 0) {
            edit.Window().SetText(c.text);
            edit.Window().SetSel(1, 5);
        } else {
            SetText(c.text, c.caret);
        }
        Press(c.key);
        EXPECT_EQ(Text(), c.expected) << c.name;
    }
}

TEST_F(Commands, JoiningPullsOnlyTheWordsThatFit)
{
    // Line 0 holds 30 glyphs; the joining limit is 350 pixels (35 glyphs): of "aaa bbb" only
    // " bbb" (4 glyphs) fits.
    const std::string full(30, 'x');
    SetText(full + "\r\naaa bbb", 0);
    Press(vk::Delete);
    EXPECT_EQ(Text(), " bbb" + full + "\r\naaa");
}

TEST_F(Commands, HomeAndEndGoToTheLogicalStartAndEnd)
{
    SetText("abc\r\ndefg", 6);
    Press(vk::Home);
    EXPECT_EQ(Caret(), 9);
    Press(vk::End);
    EXPECT_EQ(Caret(), 5);
    Press(vk::Home, true);
    EXPECT_EQ(Caret(), 9) << "Shift is ignored";
    EXPECT_FALSE(edit.Window().HasSelection());
}

TEST_F(Commands, TabInsertsSpacesRightOfTheCaretInTheMainEditorOnly)
{
    SetText("ab", 1);
    Press(vk::Tab);
    EXPECT_EQ(Text(), "a   b");
    EXPECT_EQ(Caret(), 1);
    Press(vk::Tab, false, true);
    EXPECT_EQ(Caret(), 4) << "Ctrl+Tab steps the caret";
    PersianEdit field{editctl::WindowStyle::SingleLine};
    field.SetKeyMap(&map);
    field.Window().SetText("ab");
    field.DeliverKey({vk::Tab, false, false});
    field.DeliverKey({vk::Enter, false, false});
    EXPECT_EQ(field.Window().GetText(), "ab");
}

TEST_F(Commands, DeleteLineRemovesTheTextLineAndKeepsTheCaretColumn)
{
    struct LineCase {
        const char* name;
        std::string text;
        int caret;
        std::string expected;
        int expectedCaret;
    };
    const std::vector<LineCase> cases = {
        {"middle line", "l0\r\nabcd\r\nwxyz", 6, "l0\r\nwxyz", 6},
        {"first line", "abcd\r\nwxyz", 1, "wxyz", 1},
        {"last line: caret to the line above", "wxyz\r\nabcd", 8, "wxyz", 2},
        {"only line", "abcd", 2, "", 0},
        {"after an empty first line", "\r\nabc\r\nxyz", 3, "\r\nxyz", 3},
    };
    for (const LineCase& c : cases) {
        SetText(c.text, c.caret);
        Press('L', false, true);
        EXPECT_EQ(Text(), c.expected) << c.name;
        EXPECT_EQ(Caret(), c.expectedCaret) << c.name;
        EXPECT_TRUE(edit.modified) << c.name;
    }
    Press('Z', false, true);
    EXPECT_EQ(Text(), "\r\nabc\r\nxyz");
}

TEST_F(Commands, LanguageSwitchRefusedWithoutEnglishSupport)
{
    keymap::KeyMap persianOnly = testkeys::MainKeyMap(false);
    edit.SetKeyMap(&persianOnly);
    Press('P', false, true);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "This KeyMap doesn't supports English Characters");
    EXPECT_EQ(services.messages.shown[0].caption, "ASTERISK");
    EXPECT_EQ(services.messages.shown[0].icon, platform::MessageIcon::Information);
    EXPECT_FALSE(edit.englishMode);
    Type("ب");
    EXPECT_EQ(Text(), G({0x91}));
}

TEST_F(Commands, LanguageSwitchTypesLatinThenReturnsLeftOfIt)
{
    Type("سلام ");
    Press('P', false, true);
    EXPECT_TRUE(edit.englishMode);
    edit.modified = false;
    for (int key : {'O', 'K'})
        Press(key, true);
    EXPECT_EQ(Text(), G({'O', 'K', ' ', 0xEE, 0xE9, 0xBB}));
    EXPECT_EQ(Caret(), 2);
    EXPECT_TRUE(edit.modified) << "Latin typing changes the document too";
    Press('P', false, true);
    EXPECT_FALSE(edit.englishMode);
    EXPECT_EQ(Text(), G({' ', 'O', 'K', ' ', 0xEE, 0xE9, 0xBB}));
    EXPECT_EQ(Caret(), 0);
    Type("ب");
    EXPECT_EQ(Text(), G({0x91, ' ', 'O', 'K', ' ', 0xEE, 0xE9, 0xBB}));
}

TEST_F(Commands, ClipboardCarriesGlyphsAndTheirKeymap)
{
    Type("سلام ");
    Press('A', false, true);
    Press('C', false, true);
    EXPECT_TRUE(clipboard.data.hasGlyphs);
    EXPECT_EQ(clipboard.data.glyphs, Text());
    EXPECT_EQ(clipboard.data.keymapName, "main.kbd");
    EXPECT_EQ(clipboard.data.unicodeText, "سلام ");
    edit.modified = false;
    Press('X', false, true);
    EXPECT_EQ(Text(), "");
    EXPECT_TRUE(edit.modified) << "a cut changes the document";
    Press('V', false, true);
    Press('V', false, true);
    EXPECT_EQ(Reading(), "سلام سلام ");
    Press('Z', false, true);
    EXPECT_EQ(Reading(), "سلام ") << "Ctrl+V takes no snapshot: undo goes back to before the cut's snapshot";
}

TEST_F(Commands, EnterKeepsIndentationAndContinuesAtTheNewLinesStart)
{
    //           0123456789012
    SetText("ccc bbb aaa   ", 8); // logically: three spaces, "aaa", caret, " bbb ccc"
    Press(vk::Enter);
    EXPECT_EQ(Text(), "aaa   \r\nccc bbb    ");
    EXPECT_EQ(Caret(), 16);
    EXPECT_TRUE(edit.modified);
}

TEST(CommandsOfABareControl, ADefaultBuiltControlIsMultiLineAndTakesEnterAndTab)
{
    fakes::FakeServices services;
    keymap::KeyMap map = testkeys::MainKeyMap();
    PersianEdit edit;
    edit.SetKeyMap(&map);
    edit.Window().SetText("ab");
    edit.DeliverKey({vk::Tab, false, false});
    EXPECT_EQ(edit.Window().GetText().size(), 5u) << "Tab inserts three spaces";
    edit.DeliverKey({vk::Enter, false, false});
    EXPECT_EQ(edit.Window().GetLineCount(), 2) << "the window style alone makes the control multi-line";
}

} // namespace

namespace {

TEST_F(Commands, PasteConvertsGlyphsOfAnotherKeymapAndImportsUnicode)
{
    fakes::TempProgramFolder folder(services.settings);
    folder.InstallKeymap("ziba2.kbd");
    keymap::KeyMap ziba;
    ASSERT_TRUE(ziba.Load("ziba2.kbd"));
    PersianEdit poem;
    poem.SetKeyMap(&ziba);
    poem.Window().SetClipboard(&clipboard);
    testkeys::Type(poem, "سلام ");
    ASSERT_NE(poem.Window().GetText(), G({' ', 0xEE, 0xE9, 0xBB})) << "the two fonts number glyphs differently";
    poem.DeliverKey({'A', false, true});
    poem.DeliverKey({'C', false, true});
    EXPECT_EQ(clipboard.data.keymapName, "ziba2.kbd");
    Press('V', false, true);
    EXPECT_EQ(Text(), G({' ', 0xEE, 0xE9, 0xBB}));

    edit.Window().SetText("");
    clipboard.data = {};
    clipboard.data.unicodeText = "کتاب خوب\nدانش";
    Press('V', false, true);
    EXPECT_EQ(Reading(), "کتاب خوب\nدانش");
    EXPECT_TRUE(edit.modified);

    // Latin-1 text a keymap cannot type comes as its bytes, in a control without a widget too.
    poem.Window().SetText("");
    clipboard.data = {};
    clipboard.data.unicodeText = "abc d\xC3\xA9";
    poem.DeliverKey({'V', false, true});
    EXPECT_EQ(poem.Window().GetText(), "abc d\xE9");
}

} // namespace
