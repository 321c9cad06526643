#include "tools/Resemble.h"
#include "tools/Justify.h"

#include "editctl/EditWindow.h"
#include "tests/tools/ReflowFixture.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace {

using tools::JustifyAfter;

/// Words of Persian text, split at spaces.
std::vector<std::string> SplitWords(const std::string& utf8)
{
    std::vector<std::string> words;
    std::istringstream in(utf8);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

std::string Times(const std::string& letter, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i)
        s += letter;
    return s;
}

std::string Repeat(const std::string& word, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i)
        s += (i ? " " : "") + word;
    return s;
}

const std::vector<std::string> Prose = {
    "امروز صبح باران آرامی بر شهر بارید و مردم با",
    "چترهای رنگارنگ به سوی کار خود رفتند کودکان در حیاط مدرسه",
    "از دیدن رنگین کمان شاد شدند و معلم",
    "برای آنان از ابر و خورشید سخن گفت پس از ظهر آسمان روشن شد و بوی خاک خیس",
    "در کوچه های قدیمی پیچید",
};

struct ResembleTest : ReflowFixture {
    std::vector<std::string> Run()
    {
        tools::Resemble(converter, edit, settings);
        return Lines(converter.output);
    }

    static std::vector<std::string> WordsOf(const std::vector<std::string>& lines)
    {
        std::string all;
        for (const std::string& l : lines)
            all += Words(l) + " ";
        return SplitWords(all);
    }

    static std::vector<std::string> WordsOfLines(const std::vector<std::string>& lines)
    {
        std::string all;
        for (const std::string& l : lines)
            all += l + " ";
        return SplitWords(all);
    }
};

TEST_F(ResembleTest, EmptyControlGivesNothing)
{
    edit.Window().SetText("");
    tools::Resemble(converter, edit, settings);
    EXPECT_EQ(converter.output, "");
}

TEST_F(ResembleTest, DosModeLinesKeepToMaxCharWithTheMarginAndKeepEveryWord)
{
    settings.dosMode = true;
    settings.ignoranceWidthPercent = 100; // one paragraph
    std::vector<std::string> source = Prose;
    source.insert(source.end(), Prose.begin(), Prose.end());
    SetLines(source);
    const std::vector<std::string> lines = Run();
    ASSERT_GT(lines.size(), 3u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 75u) << i;
        EXPECT_EQ(TrailingSpaces(lines[i]), 3) << i;
        if (i + 1 < lines.size()) {
            // Nothing more would have fitted: the next line's first word in reading order is at its end.
            const std::string next = lines[i + 1].substr(0, lines[i + 1].size() - 3);
            const size_t space = next.rfind(' ');
            const size_t firstWord = next.size() - (space == std::string::npos ? 0 : space + 1);
            EXPECT_GE(lines[i].size() + 1 + firstWord, 76u) << i;
        }
    }
    EXPECT_EQ(WordsOf(lines), WordsOfLines(source));
}

TEST_F(ResembleTest, DosModeWordOf72LettersFitsAloneAndALongerRunIsCutAndEndsTheParagraph)
{
    settings.dosMode = true;
    settings.ignoranceWidthPercent = 100;
    settings.indent = true;
    const std::string run72 = G(Times("س", 72));
    ASSERT_EQ(run72.size(), 72u);
    const std::string run80 = G(Times("س", 80));
    ASSERT_EQ(run80.size(), 80u);

    // The 72-letter word alone on a line of 75 characters.
    edit.Window().SetText(G("باد سرد") + "\r\n" + run72 + "\r\n" + G("کوه بلند"));
    std::vector<std::string> lines = Run();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], run72 + "   ");

    // The run of 80 is cut after 72 letters (in reading order: the string's last 72 bytes); the
    // rest begins the next line, and the paragraph ends there: the line after is indented again.
    edit.Window().SetText(G("باد سرد") + "\r\n" + G("کوه بلند") + " " + run80 + "\r\n" + G("ماه نو"));
    lines = Run();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Words(lines[0]), "باد سرد");
    EXPECT_EQ(TrailingSpaces(lines[0]), 6);
    EXPECT_EQ(lines[1], run80.substr(8) + "   ");
    EXPECT_EQ(lines[2], G("کوه بلند") + " " + run80.substr(0, 8) + "   ");
    EXPECT_EQ(Words(lines[3]), "ماه نو");
    EXPECT_EQ(TrailingSpaces(lines[3]), 6);
}

TEST_F(ResembleTest, ShortLineEndsTheParagraphAndALongOneJoinsTheNext)
{
    settings.dosMode = true;
    settings.maxChars = 200; // each paragraph on one line
    const std::string longest = Repeat("دریا", 8); // 39 letters: lines below 35 are short
    struct Case {
        const char* name;
        std::string second;
        std::vector<std::string> expected;
    };
    const std::string atThreshold = Repeat("دریا", 6) + " باران"; // 35
    const std::string belowThreshold = Repeat("دریا", 7);         // 34
    const Case cases[] = {
        {"35 of 39 joins", atThreshold, {longest + " " + atThreshold + " کوه", longest}},
        {"34 of 39 ends", belowThreshold, {longest + " " + belowThreshold, "کوه", longest}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(G(c.second).size() == 35, c.second == atThreshold) << c.name;
        SetLines({longest, c.second, "کوه", longest});
        std::vector<std::string> words;
        for (const std::string& line : Run())
            words.push_back(Words(line));
        EXPECT_EQ(words, c.expected) << c.name;
    }
}

TEST_F(ResembleTest, BlankLineBetweenParagraphsStaysAsTheMarginWithIndentationWhenOn)
{
    settings.dosMode = true;
    struct Case {
        bool ident;
        int firstSpaces;
        std::string blank;
    };
    for (const Case& c : {Case{false, 3, "   "}, Case{true, 6, "      "}}) {
        settings.indent = c.ident;
        SetLines({"امروز صبح باران آرامی بر شهر بارید", "و مردم", "", "کودکان شاد شدند"});
        const std::vector<std::string> lines = Run();
        ASSERT_EQ(lines.size(), 3u) << c.ident;
        EXPECT_EQ(Words(lines[0]), "امروز صبح باران آرامی بر شهر بارید و مردم");
        EXPECT_EQ(TrailingSpaces(lines[0]), c.firstSpaces);
        EXPECT_EQ(lines[1], c.blank);
        EXPECT_EQ(Words(lines[2]), "کودکان شاد شدند");
        EXPECT_EQ(TrailingSpaces(lines[2]), c.firstSpaces);
    }
}

TEST_F(ResembleTest, FirstLineOfEveryParagraphEndsInMarginAndIndentation)
{
    settings.dosMode = true;
    settings.indent = true;
    std::vector<std::string> source = Prose;
    source.push_back("");
    source.push_back("");
    source.insert(source.end(), Prose.begin(), Prose.end());
    settings.ignoranceWidthPercent = 98; // only the blank lines are short: two paragraphs
    SetLines(source);
    const std::vector<std::string> lines = Run();
    std::vector<int> spaces;
    for (const std::string& l : lines)
        spaces.push_back(TrailingSpaces(l));
    ASSERT_GE(lines.size(), 6u);
    const auto blank = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return Words(l).empty(); });
    ASSERT_NE(blank, lines.end());
    const size_t b = static_cast<size_t>(blank - lines.begin());
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool first = i == 0 || i == b || i == b + 1;
        EXPECT_EQ(spaces[i], first ? 6 : 3) << i;
    }
    EXPECT_EQ(WordsOf(lines), WordsOfLines(source));
}

TEST_F(ResembleTest, LastLineIsNeverLost)
{
    struct Case {
        const char* name;
        bool dos;
        std::vector<std::string> source;
    };
    const Case cases[] = {
        {"short last line", true, {Prose[0], Prose[1], "پایان"}},
        {"long last line", true, {"پایان", Prose[3]}},
        {"pixels, long last line", false, {Prose[0], Prose[3]}},
        // One display line far longer than a DOS line: its rest is broken into lines too.
        {"dos, one long line", true, {Prose[0] + " " + Prose[1] + " " + Prose[3] + " " + Prose[2]}},
    };
    for (const Case& c : cases) {
        settings.dosMode = c.dos;
        SetLines(c.source);
        const std::vector<std::string> lines = Run();
        EXPECT_EQ(WordsOf(lines), WordsOfLines(c.source)) << c.name;
        if (c.dos) {
            for (const std::string& l : lines)
                EXPECT_LE(l.size(), 75u) << c.name;
        }
    }
}

TEST_F(ResembleTest, PixelModeLinesFitTheWindowAtTheWidthsItShows)
{
    settings.ignoranceWidthPercent = 100;
    edit.Resize(300, 300); // lines narrower than 300 - 24 - 20 pixels
    shown.SetAllAdvances(6);
    shown.SetAdvance(G("ب")[0], 11);
    shown.SetAdvance(G("ر")[0], 4);
    WidthsChanged();
    std::vector<std::string> source = Prose;
    source.insert(source.end(), Prose.begin(), Prose.end());
    SetLines(source);
    const std::vector<std::string> lines = Run();
    auto width = [this](const std::string& s) {
        int w = 0;
        for (char ch : s)
            w += shown.Advance(static_cast<unsigned char>(ch));
        return w;
    };
    ASSERT_GT(lines.size(), 4u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LT(width(lines[i]), 256) << i;
        if (i + 1 < lines.size()) {
            const std::string next = lines[i + 1].substr(0, lines[i + 1].size() - 3);
            const size_t space = next.rfind(' ');
            const std::string firstWord = space == std::string::npos ? next : next.substr(space + 1);
            EXPECT_GE(width(lines[i]) + width(" " + firstWord), 256) << i;
        }
    }
    EXPECT_EQ(WordsOf(lines), WordsOfLines(source));
}

TEST_F(ResembleTest, WindowModeLinesAreNotWrappedAgainWhenShown)
{
    // With indentation, a wide font and a narrow one: each re-flowed line is one display line.
    struct Case {
        int advance;
        int height;
        int width;
    };
    const Case cases[] = {{10, 24, 500}, {23, 48, 700}, {3, 8, 250}};
    settings.indent = true;
    for (const Case& c : cases) {
        shown.SetAllAdvances(c.advance);
        edit.SetEditFont("nasim web homa", c.height);
        edit.Resize(c.width, 400);
        std::vector<std::string> source = Prose;
        source.push_back("");
        source.insert(source.end(), Prose.begin(), Prose.end());
        SetLines(source);
        fakes::ScriptedRandom random;
        tools::RunResemble(edit, converter, settings, "main.kbd", JustifyAfter::No, random);
        const editctl::EditWindow& window = edit.Window();
        const std::vector<std::string> lines = Lines(window.GetText());
        ASSERT_GT(lines.size(), 4u) << c.advance;
        EXPECT_EQ(window.GetLineCount(), static_cast<int>(lines.size()) + 1) << c.advance; // + the empty last one
    }
}

TEST_F(ResembleTest, WordWiderThanTheWindowGoesAloneOnItsLine)
{
    edit.Resize(200, 300); // 156 pixels for a line; the word is 60 letters of 3 pixels
    shown.SetAllAdvances(3);
    WidthsChanged();
    const std::string wide = G(Times("م", 60));
    const std::string text = G("باد سرد") + " " + wide + " " + G("کوه بلند");
    edit.Window().SetText(text);
    std::vector<std::string> lines = Run();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Words(lines[0]), "کوه بلند");
    EXPECT_EQ(lines[1], wide + "   ");
    EXPECT_EQ(Words(lines[2]), "باد سرد");

    // In DOS mode a line too short even for one letter and its margin: one letter a line.
    settings.dosMode = true;
    settings.maxChars = 5;
    lines = Run();
    std::string glyphs;
    for (const std::string& l : lines) {
        EXPECT_EQ(l.size(), 4u);
        glyphs = l.substr(0, l.size() - 3) + glyphs;
    }
    std::string letters = text;
    std::erase(letters, ' ');
    EXPECT_EQ(glyphs, letters);
}

TEST_F(ResembleTest, LinesLongerThan400AreReadWhole)
{
    settings.dosMode = true;
    shown.SetAllAdvances(1);
    WidthsChanged();
    edit.Resize(1200, 300);
    std::string line;
    while (G(line).size() < 600)
        line += Prose[3] + " ";
    SetLines({line, "پایان"});
    EXPECT_EQ(WordsOf(Run()), WordsOfLines({line, "پایان"}));
}

TEST_F(ResembleTest, MarginAndIndentationAboveNinetyNineAreLimited)
{
    settings.dosMode = true;
    settings.maxChars = 999;
    settings.left = 0;
    settings.right = 500;
    settings.tab = 999;
    settings.indent = true;
    SetLines({"باد سرد"});
    const std::vector<std::string> lines = Run();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], G("باد سرد") + std::string(99 + 99, ' '));
}

TEST_F(ResembleTest, FontTheUserSeesIsLeftAloneAndTheTextSetWhole)
{
    struct CountingObserver : editctl::EditWindowObserver {
        int texts = 0;
        void TextChanged(const editctl::TextChange&) override { ++texts; }
        void SelectionChanged() override {}
        void ScrollChanged() override {}
    };
    for (JustifyAfter justify : {JustifyAfter::No, JustifyAfter::Yes}) {
        SetLines(Prose);
        shown.fonts.clear();
        CountingObserver observer;
        edit.Window().AddObserver(&observer);
        fakes::ScriptedRandom random;
        tools::RunResemble(edit, converter, settings, "main.kbd", justify, random);
        edit.Window().RemoveObserver(&observer);
        EXPECT_TRUE(shown.fonts.empty());
        EXPECT_EQ(edit.fontHeight, 24);
        EXPECT_EQ(edit.Window().LineHeight(), 24);
        EXPECT_EQ(observer.texts, justify == JustifyAfter::Yes ? 2 : 1); // the text is set whole
    }
}

TEST_F(ResembleTest, OneUndoRestoresTheTextAfterResembleAndJustify)
{
    SetLines(Prose);
    const std::string before = edit.Window().GetText();
    edit.modified = false;
    fakes::ScriptedRandom random({}, 16000);
    tools::RunResemble(edit, converter, settings, "main.kbd", JustifyAfter::Yes, random);
    EXPECT_NE(edit.Window().GetText(), before);
    EXPECT_TRUE(edit.modified);
    EXPECT_EQ(converter.source.FileName(), "main.kbd");
    edit.Undo();
    EXPECT_EQ(edit.Window().GetText(), before);
}

TEST_F(ResembleTest, KeymapThatNoLongerLoadsLeavesTheTextAsItWas)
{
    // The current keymap's file went away or was damaged after the document was opened.
    struct Case {
        const char* name;
        bool removed;
    };
    for (const Case c : {Case{"removed", true}, Case{"damaged", false}}) {
        for (JustifyAfter justify : {JustifyAfter::No, JustifyAfter::Yes}) {
            if (c.removed)
                std::filesystem::remove(folder.KeyMapsPath() + "/main.kbd");
            else
                folder.Write("KeyMaps/main.kbd", "not a keymap at all");
            SetLines(Prose);
            const std::string before = edit.Window().GetText();
            edit.modified = false;
            services.messages.shown.clear();
            fakes::ScriptedRandom random({}, 16000);
            tools::RunResemble(edit, converter, settings, "main.kbd", justify, random);
            EXPECT_EQ(edit.Window().GetText(), before) << c.name;
            EXPECT_FALSE(edit.modified) << c.name;
            ASSERT_FALSE(services.messages.shown.empty()) << c.name << ": the failed load is reported";
            if (c.removed)
                EXPECT_NE(services.messages.shown.front().text.find("main.kbd"), std::string::npos);
            tools::RunJustify(edit, converter, settings, "main.kbd", random);
            EXPECT_EQ(edit.Window().GetText(), before) << c.name << ", Justify";
        }
    }
}

} // namespace
