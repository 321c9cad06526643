// Right-to-left caret movement, the selection counters, and the automatic line break.
#include "tests/editctl/EditFixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

namespace vk = editctl::vk;

using Layout = EditFixture;

struct MoveCase {
    const char* name;
    int caret;
    int key;
    bool control;
    int expected;
};

TEST_F(Layout, ArrowsMoveRightToLeftAcrossLines)
{
    // Lines: "abc def" (0..6), "gh" (9..10), "ij" (13..14).
    const std::string text = "abc def\r\ngh\r\nij";
    const std::vector<MoveCase> cases = {
        {"Right steps towards the string end", 1, vk::Right, false, 2},
        {"Right at the logical start goes to the logical end of the line above", 11, vk::Right, false, 0},
        {"Right at the logical start of the first line does nothing", 7, vk::Right, false, 7},
        {"Left steps towards the string start", 2, vk::Left, false, 1},
        {"Left at the logical end goes to the logical start of the line below", 9, vk::Left, false, 15},
        {"Left at the logical end of the last line does nothing", 13, vk::Left, false, 13},
        {"Ctrl+Right jumps past the next space", 0, vk::Right, true, 4},
        {"Ctrl+Left jumps back before the space", 7, vk::Left, true, 3},
    };
    for (const MoveCase& c : cases) {
        SetText(text, c.caret);
        Press(c.key, false, c.control);
        EXPECT_EQ(Caret(), c.expected) << c.name;
        EXPECT_FALSE(edit.Window().HasSelection()) << c.name;
    }
}

TEST_F(Layout, ShiftArrowsKeepTheCountersAndTheMovingEnd)
{
    SetText("abcdefgh", 5);
    for (int i = 0; i < 3; ++i)
        Press(vk::Left, true);
    EXPECT_EQ(edit.horizontalCount, -3);
    Press(vk::Right, true);
    int s = 0, e = 0;
    edit.Window().GetSel(s, e);
    EXPECT_EQ(s, 3);
    EXPECT_EQ(e, 5);
    EXPECT_EQ(Caret(), 3) << "the displayed caret is at the moving end";
    EXPECT_EQ(edit.horizontalCount, -2);
    Press(vk::Right);
    EXPECT_EQ(edit.horizontalCount, 0);
    EXPECT_EQ(edit.verticalCount, 0);
    // Extending to the right moves the end.
    SetText("abcdefgh", 2);
    Press(vk::Right, true);
    Press(vk::Right, true);
    edit.Window().GetSel(s, e);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(e, 4);
    EXPECT_EQ(edit.horizontalCount, 2);
    Press(vk::Up, true);
    EXPECT_EQ(edit.verticalCount, 1);
}

/// Every line of the text is narrower than the typing limit (360 pixels: 36 glyphs).
void ExpectLinesWithinLimit(const editctl::PersianEdit& edit)
{
    const editctl::EditWindow& w = edit.Window();
    for (int i = 0; i < w.GetLineCount(); ++i)
        EXPECT_LT(w.TextWidth(w.GetLine(i)), edit.WindowWidth() - edit.fontHeight - 20) << "line " << i;
}

std::string Words(std::string reading)
{
    std::replace(reading.begin(), reading.end(), '\n', ' ');
    std::string out;
    for (char c : reading) {
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

TEST_F(Layout, TypingPastTheWidthBreaksBeforeTheLastWordAndKeepsTheWordOrder)
{
    const std::string sentence =
        "دانش بهتر از ثروت است که دانش نگهبان تو است و تو نگهبان ثروت هستی "
        "کتاب خوب دوست خوب است و سخن نیک همیشه در یاد می ماند";
    for (const editctl::KeyEvent& k : testkeys::KeysFor(sentence)) {
        edit.DeliverKey(k);
        ASSERT_EQ(edit.Window().LineStartsNow(), edit.Window().FreshWrap());
    }
    EXPECT_GT(edit.Window().GetLineCount(), 3);
    ExpectLinesWithinLimit(edit);
    EXPECT_EQ(Words(Reading()), Words(sentence));
}

TEST_F(Layout, BrokenWordJoinsTheNextLineWhenItFits)
{
    // Line 1 is short; typing at the logical end of a full line 0 moves its last word there.
    const std::string rest(33, static_cast<char>(0x8E)); // isolated ب
    SetText("\x8E\x8E " + rest + "\r\n\xBB", 0);
    Press('F'); // ب at the logical end of line 0: 37 glyphs, past the 36 that fit
    EXPECT_EQ(edit.Window().GetLine(0), rest);
    EXPECT_EQ(edit.Window().GetLine(1), G({0xBB, ' ', 0x91, 0x8E, 0x8E}));
    EXPECT_EQ(Caret(), edit.Window().LineIndex(1) + 2) << "typing goes on inside the moved word";
}

TEST_F(Layout, BrokenWordStartsANewLineWhenTheNextIsFull)
{
    const std::string full(33, static_cast<char>(0xBB));
    SetText("\x8E\x8E " + full + "\r\n" + full, 0);
    Press('F');
    EXPECT_EQ(edit.Window().GetLine(0), full);
    EXPECT_EQ(edit.Window().GetLine(1), G({0x91, 0x8E, 0x8E}));
    EXPECT_EQ(edit.Window().GetLine(2), full);
    EXPECT_EQ(Caret(), edit.Window().LineIndex(1));
}

TEST_F(Layout, ALineWithoutSpacesBreaksAtTheCaret)
{
    const std::string full(35, static_cast<char>(0xBB));
    SetText(full, 0);
    Press('F');
    EXPECT_EQ(edit.Window().GetLineCount(), 2);
    // The word is cut where the line ends: the ب joins the سین before it and ends there (final),
    // so no joining shape hangs at the end of the line.
    EXPECT_EQ(edit.Window().GetLine(0), G({testkeys::ShapesOf("ب").final}) + full);
    EXPECT_EQ(edit.Window().GetLine(1), "");
    EXPECT_EQ(Caret(), edit.Window().GetTextLength());
}

TEST_F(Layout, DosModeBreaksAtTheCharacterLimit)
{
    edit.dosMode = true;
    edit.maxChars = 10;
    Type("بب بب بب بب ");
    for (int i = 0; i < edit.Window().GetLineCount(); ++i)
        EXPECT_LT(edit.Window().LineLength(edit.Window().LineIndex(i)), 10) << "line " << i;
    EXPECT_EQ(edit.Window().GetLineCount(), 2);
    EXPECT_EQ(Words(Reading()), "بب بب بب بب");
}

TEST_F(Layout, ResizeRewrapsAndStoresTheWidth)
{
    SetText(std::string(50, 'x'), 0);
    EXPECT_EQ(edit.Window().GetLineCount(), 2); // 38 glyphs a line at 400 pixels
    edit.Resize(1000, 300);
    EXPECT_EQ(edit.WindowWidth(), 1000);
    EXPECT_EQ(edit.Window().GetLineCount(), 1);
    EXPECT_TRUE(edit.FitsLine(std::string(94, 'x')));
    EXPECT_FALSE(edit.FitsLine(std::string(95, 'x')));
}

TEST_F(Layout, FontChangeMeasuresWithTheNewFont)
{
    SetText(std::string(30, 'x'), 0);
    EXPECT_EQ(edit.Window().GetLineCount(), 1);
    metrics.SetAllAdvances(20);
    edit.SetEditFont("Homa", 30);
    EXPECT_EQ(edit.fontFace, "Homa");
    EXPECT_EQ(edit.fontHeight, 30);
    EXPECT_FALSE(edit.firstFont);
    EXPECT_EQ(edit.Window().LineHeight(), 30);
    EXPECT_EQ(edit.Window().GetLineCount(), 2);
}

} // namespace

namespace {

TEST(LayoutUnsized, AWindowNeverSizedDoesNotBreakLines)
{
    fakes::FakeServices services;
    keymap::KeyMap map = testkeys::MainKeyMap();
    editctl::PersianEdit edit;
    edit.SetKeyMap(&map);
    testkeys::Type(edit, "سلام دنیا");
    EXPECT_EQ(edit.Window().GetLineCount(), 1);
}

} // namespace

namespace {

struct ChangeLog : editctl::EditWindowObserver {
    std::vector<editctl::TextChange> changes;
    void TextChanged(const editctl::TextChange& c) override { changes.push_back(c); }
    void SelectionChanged() override {}
    void ScrollChanged() override {}
};

TEST_F(Layout, TypingInTheMiddleReportsOnlyItsOwnLineChanged)
{
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += G({0xBB, 0xEC, 0x8D, ' ', 0x91}) + "\r\n";
    const int line = 500;
    edit.Window().SetText(text);
    edit.Window().SetSel(edit.Window().LineIndex(line), edit.Window().LineIndex(line));
    ChangeLog log;
    edit.Window().AddObserver(&log);
    Type("ب");
    edit.Window().RemoveObserver(&log);
    ASSERT_FALSE(log.changes.empty());
    for (const editctl::TextChange& c : log.changes) {
        EXPECT_GE(c.firstLine, line - 1);
        EXPECT_LE(c.lastLine, line + 1);
        EXPECT_FALSE(c.lineCountChanged);
    }
}

} // namespace

namespace {

TEST_F(Layout, TrailingSpacesGoFirstWhenALineGrowsTooLong)
{
    // Two logical trailing spaces at the string's start, 34 glyphs, the caret in the middle.
    const std::string body(34, static_cast<char>(0xBB));
    SetText("  " + body, 10);
    Press('F');
    EXPECT_EQ(edit.Window().GetLineCount(), 1);
    EXPECT_EQ(Text(), body.substr(0, 8) + G({0x90}) + body.substr(8));
    EXPECT_EQ(Caret(), 8) << "the caret stays between the same characters";
}

TEST_F(Layout, PageDownKeepsTheCaretsX)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += (i % 2 ? "abcdef" : "abcdefghij") + std::string("\r\n");
    edit.Resize(400, 104); // 100 pixels of text: five lines of 20
    SetText(text, 2);      // x of 'c' on the long first line
    const int x = edit.Window().GetCaretPos().x;
    Press(editctl::vk::PageDown);
    EXPECT_EQ(edit.Window().LineFromChar(Caret()), 5);
    Press(editctl::vk::PageDown);
    EXPECT_EQ(edit.Window().LineFromChar(Caret()), 10);
    EXPECT_EQ(edit.Window().GetCaretPos().x, x);
    EXPECT_GT(edit.Window().FirstVisibleLine(), 0);
}

} // namespace
