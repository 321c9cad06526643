// Keystroke translation: contextual shapes, lam-alef, digits, the space rule and the dispatcher.
#include "tests/editctl/EditFixture.h"

#include <vector>

namespace {

using editctl::PersianEdit;
namespace vk = editctl::vk;

using Typing = EditFixture;

struct WordCase {
    const char* typed;
    std::string glyphs; // display order
};

TEST_F(Typing, WordsTakeTheirJoiningShapesAndSettleOnSpace)
{
    const std::vector<WordCase> cases = {
        // initial, medial, medial while the word goes on
        {"کتب", G({0x90, 0x98, 0xE3})},
        // the space gives the last letter its final shape
        {"کتب ", G({0x20, 0x8F, 0x98, 0xE3})},
        // a one-letter word ends isolated
        {"ب ", G({0x20, 0x8E})},
        // alef never joins forward: the next letter starts anew
        {"کتاب", G({0x91, 0x8D, 0x98, 0xE3})},
        // lam then alef: the ligature, joined to the sin before it
        {"سلام ", G({0x20, 0xEE, 0xE9, 0xBB})},
        // lam-alef at the start of a word stands alone
        {"لا", G({0xE8})},
        // Shift+H without a lam before it: alef with madda
        {"آب ", G({0x20, 0x8E, 0x85})},
    };
    for (const WordCase& c : cases) {
        edit.Window().SetText("");
        Type(c.typed);
        EXPECT_EQ(Text(), c.glyphs) << c.typed;
        EXPECT_EQ(Caret(), 0) << c.typed;
    }
}

TEST_F(Typing, ReadsBackAsTheWordsTyped)
{
    Type("سلام دنیا ");
    EXPECT_EQ(Reading(), "سلام دنیا ");
    EXPECT_TRUE(edit.modified);
}

TEST_F(Typing, ShiftInMidWordGivesTheFinalShapeAndTheNextLetterStartsAgain)
{
    Type("ک");
    Press('J', true); // Shift+ت
    Type("ب");
    EXPECT_EQ(Text(), G({0x91, 0x97, 0xE3}));
}

TEST_F(Typing, DigitsRunLeftToRightAndTheNextLetterGoesLeftOfTheNumber)
{
    Type("ب123");
    EXPECT_EQ(Text(), G({'1', '2', '3', 0x91}));
    EXPECT_EQ(PersianEdit::digitRun, 3);
    Type("ت");
    // The digit glyph sits in a medial field, so the letter after it joins (medial ت).
    EXPECT_EQ(Text(), G({0x98, '1', '2', '3', 0x91}));
    EXPECT_EQ(PersianEdit::digitRun, 0);
    // Shift+digit types the symbol right to left and leaves the run alone.
    edit.Window().SetText("");
    Press('1', true);
    EXPECT_EQ(Text(), "!");
    EXPECT_EQ(Caret(), 0);
}

TEST_F(Typing, SpaceAfterANumberGoesLeftOfIt)
{
    Type("ب 12 ");
    EXPECT_EQ(Text(), G({' ', '1', '2', ' ', 0x8E}));
}

TEST_F(Typing, SpaceAfterDigitsReshapesTheLetterNotADigit)
{
    // The letter before the number keeps its place; the number is not overwritten.
    Type("ب12");
    Press(vk::Space);
    EXPECT_EQ(Text(), G({' ', '1', '2', 0x8E}));
}

TEST_F(Typing, EnglishFlagSpaceAfterALatinLetterReshapesNothing)
{
    edit.Window().SetText("ab");
    Press(vk::Space);
    EXPECT_EQ(Text(), " ab");
    EXPECT_EQ(Caret(), 0);
}

TEST_F(Typing, HandlerResultsFollowTheDispatcherOrder)
{
    struct KeyCase {
        const char* name;
        editctl::KeyEvent key;
        int result;
    };
    const std::vector<KeyCase> cases = {
        {"F3", {vk::F3, false, false}, 1},
        {"F12", {vk::F12, false, false}, 1},
        {"Esc", {vk::Escape, false, false}, 1},
        {"numpad +", {vk::Add, false, false}, 1},
        {"numpad -", {vk::Subtract, false, false}, 1},
        {"Ctrl+C", {'C', false, true}, 0},
        {"Ctrl+Home", {vk::Home, false, true}, 1},
        {"Ctrl+Q", {'Q', false, true}, 1},
        {"Page Up", {vk::PageUp, false, false}, 1},
        {"Up", {vk::Up, false, false}, 1},
        {"Left", {vk::Left, false, false}, 0},
        {"Home", {vk::Home, false, false}, 0},
        {"unmapped F1", {0x70, false, false}, 0},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(edit.HandleKeyDown(c.key), c.result) << c.name;
    EXPECT_EQ(Text(), "") << "no key of the table types anything";
    EXPECT_TRUE(edit.PreTranslateMessage({'C', false, true}));
    EXPECT_FALSE(edit.PreTranslateMessage({vk::F3, false, false}));
}

TEST_F(Typing, NumpadDigitsActAsDigitKeys)
{
    Press(vk::Numpad0 + 4);
    Press(vk::Numpad0 + 2);
    EXPECT_EQ(Text(), "42");
}

TEST_F(Typing, PeriodKeyInvertsShift)
{
    // The period key's record is a type 2 letter (lam-alef) whose Shift symbol is the period: without
    // Shift it acts as if Shift were held and types the period, with Shift it types the ligature.
    Type("ب");
    Press(vk::OemPeriod);
    EXPECT_EQ(Text(), G({'.', 0x91}));
    edit.Window().SetText("");
    Type("ب");
    Press(vk::OemPeriod, true);
    EXPECT_EQ(Text(), G({0xE9, 0x91}));
}

TEST_F(Typing, TypeTwoSymbolKeyGivesItsSymbolWithShift)
{
    Type("ب");
    Press(vk::OemComma, true);
    EXPECT_EQ(Text(), G({0x88, 0x91})); // و's Shift symbol
}

TEST_F(Typing, InsertGlyphKeepsTheCaretAndSetsModified)
{
    edit.Window().SetText("ab");
    edit.Window().SetSel(1, 1);
    edit.modified = false;
    edit.InsertGlyph(0xC0);
    EXPECT_EQ(Text(), G({'a', 0xC0, 'b'}));
    EXPECT_EQ(Caret(), 1);
    EXPECT_TRUE(edit.modified);
    // Glyph codes that are control characters elsewhere are glyphs here.
    edit.InsertGlyph(0x08);
    EXPECT_EQ(Text(), G({'a', 0x08, 0xC0, 'b'}));
}

TEST_F(Typing, ControlWithoutAKeymapIsSafe)
{
    PersianEdit bare{editctl::WindowStyle::SingleLine};
    for (int key : {int('A'), int('H'), int('1'), vk::OemPeriod, vk::Backspace, vk::Delete, vk::Enter, vk::Tab})
        bare.DeliverKey({key, false, false});
    EXPECT_EQ(bare.Window().GetText(), "") << "every key is the empty record: nothing is typed";
    bare.DeliverKey({vk::Space, false, false});
    EXPECT_EQ(bare.Window().GetText(), " ");
    bare.DeliverKey({'P', false, true});
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_FALSE(bare.englishMode);
}

} // namespace
