// The edit window model: wrapping, display-line operations, selection, its own keys, mouse, clipboard.
#include "editctl/EditWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

using editctl::EditWindow;
using editctl::KeyEvent;
using editctl::Point;
using editctl::WindowStyle;
namespace vk = editctl::vk;

/// Every glyph 10 pixels wide, lines 20 high: a window 100 wide holds 10 glyphs a line.
struct Window : ::testing::Test {
    editctl::FixedGlyphMetrics metrics{10, 20};
    EditWindow window{WindowStyle::MultiLine};
    editctl::MemoryClipboard clipboard;
    Window()
    {
        window.SetMetrics(&metrics);
        window.SetViewSize(100, 60);
        window.SetClipboard(&clipboard);
    }
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < window.GetLineCount(); ++i)
            out.push_back(window.GetLine(i));
        return out;
    }
};

struct WrapCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

TEST_F(Window, WrapsAtWordsAndCharactersLikeThePlatformControl)
{
    const std::vector<WrapCase> cases = {
        {"empty text is one line", "", {""}},
        {"short line stays", "abc def", {"abc def"}},
        {"break after the space", "aaaa bbbb cccc", {"aaaa bbbb ", "cccc"}},
        {"spaces at the break hang", "aaaaaaaaaa   bb", {"aaaaaaaaaa   ", "bb"}},
        {"word wider than the window breaks at a character", "abcdefghijklmnop", {"abcdefghij", "klmnop"}},
        {"hard breaks", "ab\r\ncd\r\n", {"ab", "cd", ""}},
        {"wrapped piece then hard break", "aaaa bbbb cc\r\nd", {"aaaa bbbb ", "cc", "d"}},
        {"exactly full line", "abcdefghij", {"abcdefghij"}},
    };
    for (const WrapCase& c : cases) {
        window.SetText(c.text);
        EXPECT_EQ(Lines(), c.lines) << c.name;
        EXPECT_EQ(window.LineStartsNow(), window.FreshWrap()) << c.name;
    }
}

TEST_F(Window, SingleLineWindowNeverWraps)
{
    EditWindow field{WindowStyle::SingleLine};
    field.SetViewSize(30, 20);
    field.SetText("aaaa bbbb cccc dddd");
    EXPECT_EQ(field.GetLineCount(), 1);
    EXPECT_EQ(field.GetLine(0), "aaaa bbbb cccc dddd");
}

TEST_F(Window, LineOperationsReferToDisplayLines)
{
    window.SetText("aaaa bbbb cccc\r\nxy");
    ASSERT_EQ(window.GetLineCount(), 3);
    EXPECT_EQ(window.LineIndex(0), 0);
    EXPECT_EQ(window.LineIndex(1), 10);
    EXPECT_EQ(window.LineIndex(2), 16);
    EXPECT_EQ(window.LineIndex(3), -1);
    EXPECT_EQ(window.LineFromChar(9), 0);
    EXPECT_EQ(window.LineFromChar(10), 1);
    EXPECT_EQ(window.LineFromChar(14), 1);
    EXPECT_EQ(window.LineFromChar(18), 2);
    EXPECT_EQ(window.LineLength(12), 4);
    EXPECT_EQ(window.LineLength(16), 2);
    window.SetSel(17, 17);
    EXPECT_EQ(window.LineFromChar(-1), 2);
    EXPECT_EQ(window.LineIndex(-1), 16);
    EXPECT_EQ(window.LineLength(-1), 2);
    EXPECT_TRUE(window.EndsWithLineBreak(1));
    EXPECT_FALSE(window.EndsWithLineBreak(0));
}

TEST_F(Window, LongLinesAreNotCutAtFourHundredCharacters)
{
    EditWindow wide{WindowStyle::MultiLine};
    wide.SetViewSize(100000, 100);
    const std::string longLine(1500, 'x');
    wide.SetText(longLine + "\r\nend");
    EXPECT_EQ(wide.GetLine(0), longLine);
    EXPECT_EQ(wide.LineLength(0), 1500);
}

TEST_F(Window, ZeroWidthGlyphsStillWrapAndTheCaretMeasuresOnlyItsLine)
{
    // A long text line of a glyph the font draws with no width, as a file of NUL bytes gives.
    metrics.SetAdvance(0, 0);
    window.SetMetrics(&metrics);
    const int cap = EditWindow::MaxDisplayLineGlyphs();
    const int length = 50 * cap + 7;
    window.SetText(std::string(static_cast<size_t>(length), '\0'));
    ASSERT_EQ(window.GetLineCount(), 51);
    EXPECT_EQ(window.LineLength(0), cap);
    EXPECT_EQ(window.LineLength(length), 7);
    EXPECT_EQ(window.LineStartsNow(), window.FreshWrap());

    // Placing the caret near the end, as the blink does each time, and hit-testing its line.
    struct Look {
        const char* name;
        std::function<void()> run;
    };
    const std::vector<Look> looks = {
        {"caret position", [&] { window.SetSel(length - 3, length - 3); (void)window.GetCaretPos(); }},
        {"character at a point", [&] { (void)window.CharFromPos(window.GetCaretPos()); }},
        {"line left", [&] { (void)window.LineLeft(window.LineFromChar(length - 3)); }},
    };
    for (const Look& look : looks) {
        const std::uint64_t before = window.MeasuredGlyphs();
        look.run();
        EXPECT_LE(window.MeasuredGlyphs() - before, static_cast<std::uint64_t>(4 * cap)) << look.name;
    }

    // Typing into the middle rewraps like a fresh wrap, and a space there is still a break point.
    window.Replace(length / 2, length / 2, "ab c");
    EXPECT_EQ(window.LineStartsNow(), window.FreshWrap());
    for (int i = 0; i < window.GetLineCount(); ++i)
        ASSERT_LE(window.LineLength(window.LineIndex(i)), cap) << "display line " << i;
}

TEST_F(Window, EditsRewrapOnlyWhatChangedAndMatchAFreshWrap)
{
    window.SetText("aaaa bbbb cccc dddd\r\neeee ffff gggg\r\nhhhh");
    struct Edit {
        int from, to;
        std::string text;
    };
    const std::vector<Edit> edits = {
        {0, 0, "zz"}, {3, 3, " "}, {12, 20, ""}, {5, 5, "\r\n"}, {0, 4, "qqqqqqqqqqqqqqqqqqqq"},
        {8, 30, ""},  {2, 2, "   "}, {0, 0, "\r\n\r\n"}, {10, 11, ""},
    };
    for (const Edit& e : edits) {
        window.Replace(e.from, e.to, e.text);
        ASSERT_EQ(window.LineStartsNow(), window.FreshWrap()) << "after replacing " << e.from << ".." << e.to;
    }
}

TEST_F(Window, SelectionNeverSplitsALineBreak)
{
    window.SetText("ab\r\ncd");
    window.SetSel(3, 3);
    EXPECT_EQ(window.Caret(), 2);
    window.SetSel(0, -1);
    int s = 0, e = 0;
    window.GetSel(s, e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 6);
    // Deleting half a line break deletes all of it.
    window.Replace(3, 4, "");
    EXPECT_EQ(window.GetText(), "abcd");
}

TEST_F(Window, ReplaceSelAndCharLeaveTheCaretAfterTheText)
{
    window.SetText("abcd");
    window.SetSel(1, 3);
    window.ReplaceSel("XYZ");
    EXPECT_EQ(window.GetText(), "aXYZd");
    EXPECT_EQ(window.Caret(), 4);
    window.Char('!');
    EXPECT_EQ(window.GetText(), "aXYZ!d");
    EXPECT_EQ(window.Caret(), 5);
    window.Char(0x08);
    EXPECT_EQ(window.GetText(), "aXYZd");
}

TEST_F(Window, PixelsOfRightAlignedLines)
{
    window.SetText("abc\r\nabcdef");
    EXPECT_EQ(window.PosFromChar(0), (Point{70, 0}));
    EXPECT_EQ(window.PosFromChar(3), (Point{100, 0}));
    EXPECT_EQ(window.PosFromChar(5), (Point{40, 20}));
    EXPECT_EQ(window.CharFromPos({72, 5}).index, 0);
    EXPECT_EQ(window.CharFromPos({76, 5}).index, 1);
    EXPECT_EQ(window.CharFromPos({0, 25}).index, 5);
    EXPECT_EQ(window.CharFromPos({99, 25}).index, 11);
    EXPECT_EQ(window.CharFromPos({99, 25}).line, 1);
}

TEST_F(Window, OwnKeysMoveAndExtend)
{
    window.SetText("abcdef\r\nxy\r\nlmnopq");
    window.SetSel(4, 4); // x of e is 80
    window.KeyDown({vk::Down, false, false});
    EXPECT_EQ(window.Caret(), 8);        // the short line's nearest character to x 80
    window.KeyDown({vk::Down, false, false});
    EXPECT_EQ(window.Caret(), 16);       // back at x 80 on the next long line
    window.KeyDown({vk::Up, true, false});
    EXPECT_EQ(window.Anchor(), 16);
    EXPECT_EQ(window.Caret(), 8);
    window.KeyDown({vk::Home, false, true});
    EXPECT_EQ(window.Caret(), 0);
    window.KeyDown({vk::End, true, true});
    EXPECT_EQ(window.Anchor(), 0);
    EXPECT_EQ(window.Caret(), window.GetTextLength());
    window.SetSel(6, 6);
    window.KeyDown({vk::Right, false, false});
    EXPECT_EQ(window.Caret(), 8); // a line break is one step
    window.KeyDown({vk::Left, false, false});
    EXPECT_EQ(window.Caret(), 6);
    window.KeyDown({vk::Home, false, false});
    EXPECT_EQ(window.Caret(), 0);
}

TEST_F(Window, TypesTheUsKeyboardCharacterOfThePhysicalKey)
{
    window.SetText("");
    const std::vector<KeyEvent> keys = {{'H', true, false},  {'I', false, false}, {'1', true, false},
                                        {vk::OemQuote, true, false}, {vk::Numpad0 + 7, false, false},
                                        {vk::OemSlash, false, false}, {'C', false, true}};
    for (const KeyEvent& k : keys)
        window.KeyDown(k);
    EXPECT_EQ(window.GetText(), "Hi!\"7/");
    window.KeyDown({vk::Backspace, false, false});
    window.KeyDown({vk::Left, false, false});
    window.KeyDown({vk::Left, true, false});
    window.KeyDown({vk::Delete, false, false});
    EXPECT_EQ(window.GetText(), "Hi!7");
}

TEST_F(Window, MouseClickDragDoubleClickAndWheel)
{
    window.SetText("abc def\r\nl2\r\nl3\r\nl4\r\nl5\r\nl6");
    window.MousePress({40, 5}, false); // "abc def" starts at x 30: index 1
    EXPECT_EQ(window.Caret(), 1);
    window.MouseMove({75, 5});
    window.MouseRelease({75, 5});
    EXPECT_EQ(window.Anchor(), 1);
    EXPECT_EQ(window.Caret(), 5);
    window.MouseDoubleClick({85, 5});
    int s = 0, e = 0;
    window.GetSel(s, e);
    EXPECT_EQ(window.TextRange(s, e), "def");
    EXPECT_EQ(window.VisibleLineCount(), 3);
    window.Wheel(-120);
    EXPECT_EQ(window.FirstVisibleLine(), 3);
    window.Wheel(-120);
    EXPECT_EQ(window.FirstVisibleLine(), 3); // the last page stays full
    window.Wheel(120);
    EXPECT_EQ(window.FirstVisibleLine(), 0);
    window.SetSel(window.GetTextLength(), window.GetTextLength());
    window.ScrollCaret();
    EXPECT_EQ(window.FirstVisibleLine(), 3);
}

TEST_F(Window, ClipboardCopyCutPaste)
{
    window.SetText("hello world");
    window.SetSel(0, 5);
    window.Copy();
    EXPECT_EQ(clipboard.data.glyphs, "hello");
    window.SetSel(6, 11);
    window.Cut();
    EXPECT_EQ(window.GetText(), "hello ");
    window.Paste();
    EXPECT_EQ(window.GetText(), "hello world");
    // Text of another program arrives with lone line feeds.
    clipboard.data = {};
    clipboard.data.latin1 = "a\nb";
    window.Paste();
    EXPECT_EQ(window.GetText(), "hello worlda\r\nb");
    // The platform's clipboard keys.
    window.SetSel(0, 5);
    window.KeyDown({vk::Delete, true, false});
    EXPECT_EQ(window.GetText(), " worlda\r\nb");
    window.KeyDown({vk::End, false, true});
    window.KeyDown({vk::Insert, true, false});
    EXPECT_EQ(window.GetText(), " worlda\r\nbhello");
    EditWindow field{WindowStyle::SingleLine};
    clipboard.data = {};
    clipboard.data.latin1 = "a\nb";
    field.SetClipboard(&clipboard);
    field.Paste();
    EXPECT_EQ(field.GetText(), "a");
}

struct RecordingObserver : editctl::EditWindowObserver {
    std::vector<editctl::TextChange> changes;
    int selections = 0;
    int scrolls = 0;
    void TextChanged(const editctl::TextChange& c) override { changes.push_back(c); }
    void SelectionChanged() override { ++selections; }
    void ScrollChanged() override { ++scrolls; }
};

TEST_F(Window, ObserversHearWhichDisplayLinesChanged)
{
    window.SetText("l0\r\nl1\r\nl2\r\nl3");
    RecordingObserver observer;
    window.AddObserver(&observer);
    window.Replace(8, 8, "x");
    ASSERT_EQ(observer.changes.size(), 1u);
    EXPECT_EQ(observer.changes[0].firstLine, 2);
    EXPECT_FALSE(observer.changes[0].lineCountChanged);
    window.Replace(8, 8, "\r\n");
    EXPECT_TRUE(observer.changes.back().lineCountChanged);
    window.SetSel(1, 1);
    EXPECT_EQ(observer.selections, 1);
    window.RemoveObserver(&observer);
    window.Replace(0, 0, "y");
    EXPECT_EQ(observer.changes.size(), 2u);
}

} // namespace
