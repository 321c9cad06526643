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

namespace {

struct ShapeCase {
    const char* before; // what lies logically before the caret
    std::string p1p2;   // the glyphs right of the caret (display order: P1 first)
    bool shift;
    int expected;       // glyph of ب inserted
};

TEST_F(Typing, ShapingDecisionTable)
{
    const testkeys::Shapes beh = testkeys::ShapesOf("ب");
    const testkeys::Shapes sin = testkeys::ShapesOf("س");
    const std::vector<ShapeCase> cases = {
        {"nothing", "", false, beh.initial},
        {"a space", " x", false, beh.initial},
        {"the line's logical start (CR)", "\r\nx", false, beh.initial},
        {"isolated alef (form 0)", G({0x8C}), false, beh.initial},
        {"final alef (form 1)", G({0x8D}), false, beh.initial},
        {"alef madda (form 4)", G({0x85}), false, beh.initial},
        {"a glyph no record holds", G({0x7F}), false, beh.initial},
        {"initial sin (form 3)", G({sin.initial}), false, beh.medial},
        {"medial sin (form 2)", G({sin.medial}), false, beh.medial},
        {"a digit (stored as medial)", "1", false, beh.medial},
        {"Shift after nothing", "", true, beh.isolated},
        {"Shift after initial sin", G({sin.initial}), true, beh.final},
    };
    for (const ShapeCase& c : cases) {
        SetText(c.p1p2, 0);
        Press('F', c.shift);
        EXPECT_EQ(static_cast<int>(edit.Window().CharAt(0)), c.expected) << c.before;
        EXPECT_EQ(Text().substr(1), c.p1p2) << c.before << ": the glyph before is unchanged";
    }
}

struct SpaceCase {
    const char* name;
    std::string text; // display order, caret at 0
    std::string expected;
};

TEST_F(Typing, SpaceSettlesTheLastLetter)
{
    const testkeys::Shapes beh = testkeys::ShapesOf("ب");
    const testkeys::Shapes sin = testkeys::ShapesOf("س");
    const std::vector<SpaceCase> cases = {
        {"joined to the letter before: final", G({beh.medial, sin.initial}), G({' ', beh.final, sin.initial})},
        {"after a non-joining letter: isolated", G({beh.initial, 0x8D}), G({' ', beh.isolated, 0x8D})},
        {"alone: isolated", G({beh.initial}), G({' ', beh.isolated})},
        {"already final: stays final", G({beh.final, sin.medial}), G({' ', beh.final, sin.medial})},
        {"a digit is left alone", "1", " 1"},
        {"alef (its key's Shift glyph field is not a key type) keeps its shape", G({0x8D, sin.initial}),
         G({' ', 0x8D, sin.initial})},
    };
    for (const SpaceCase& c : cases) {
        SetText(c.text, 0);
        Press(vk::Space);
        EXPECT_EQ(Text(), c.expected) << c.name;
        EXPECT_EQ(Caret(), 0) << c.name;
    }
}

} // namespace

namespace {

struct WordEndCase {
    const char* name;
    int key;
    bool control;
    const char* reading; // what the reader sees after فارسی and the key
};

TEST_F(Typing, EnterTabAndCtrlEnterSettleTheLastLetterAsSpaceDoes)
{
    const std::vector<WordEndCase> cases = {
        {"Enter", vk::Enter, false, "فارسی\n"},
        {"Ctrl+Enter", vk::Enter, true, "فارسی\n"},
        {"Tab", vk::Tab, false, "فارسی   "},
    };
    for (const WordEndCase& c : cases) {
        edit.Window().SetText("");
        Type("فارسی");
        Press(c.key, false, c.control);
        // A letter left in a joining shape exports with a joiner after it.
        EXPECT_EQ(Reading(), c.reading) << c.name;
        EXPECT_EQ(Reading().find("\u200D"), std::string::npos) << c.name;
        // The next word starts anew on its own.
        Type("ب ");
        EXPECT_EQ(testkeys::Reading(Text()).find("\u200D"), std::string::npos) << c.name;
    }
}

TEST_F(Typing, AWordTheAutomaticBreakCutsEndsSettledOnItsLine)
{
    // One long word with no space: the break comes in the middle of it, and the part left on the
    // line above must not keep a joining shape.
    std::string word;
    for (int i = 0; i < 45; ++i)
        word += "ب";
    Type(word);
    ASSERT_GT(edit.Window().GetLineCount(), 1);
    const std::string firstLine = testkeys::Reading(edit.Window().GetLine(0));
    EXPECT_EQ(firstLine.find("\u200D"), std::string::npos) << firstLine;
}

} // namespace
