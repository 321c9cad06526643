#include "extras/PoetryDialogModel.h"

#include "editctl/EditWindow.h"
#include "editctl/GlyphMetrics.h"
#include "editctl/PersianEdit.h"
#include "extras/VerseLayout.h"
#include "keymap/KeymapConverter.h"
#include "tests/fakes/PoemFixture.h"
#include "tests/fakes/ScriptedRandom.h"
#include "tests/fakes/ShippedKeymaps.h"

#include <gtest/gtest.h>

namespace {

using extras::PoetryDialogModel;
using extras::QuvelSettings;

// A poem of three couplets, written in Persian and stored as ziba2.kbd glyphs.
const char* const Verse[6] = {"باران به باغ آمد", "گل از خواب برخاست", "دل من ز شادی پر است",
                              "چو مرغی که پرواز خواست", "بیا تا بخوانیم با هم", "که شب رفت و صبح راست"};

class PoetryDialogModelTest : public ::testing::Test {
protected:
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    keymap::KeymapConverter converter;
    fakes::ScriptedRandom random{{1}, 1}; // poem 1 of one: 1 % 2
    std::vector<std::string> justified;

    PoetryDialogModelTest()
    {
        folder.InstallKeymap("ziba2.kbd");
        folder.InstallKeymap("main.kbd");
        std::vector<fakes::Couplet> poem;
        for (int i = 0; i < 6; i += 2)
            poem.emplace_back(fakes::Glyphs("ziba2.kbd", Verse[i]), fakes::Glyphs("ziba2.kbd", Verse[i + 1]));
        fakes::WritePoems(folder, {poem});
    }

    extras::PoetryContext Context(extras::JustifyStep justify = {})
    {
        return {converter, "main.kbd", folder.Path(), random, services.messages, std::move(justify)};
    }

    static std::string MainLine(int i) { return fakes::Glyphs("main.kbd", Verse[i]); }
};

TEST_F(PoetryDialogModelTest, InsertConvertsTheChosenLinesIntoTheDocumentKeymap)
{
    PoetryDialogModel model(Context());
    QuvelSettings s;
    s.how = 2; // the first n lines
    s.mode = 1;
    s.justify = false;
    s.showNumber = true;
    s.n = "2";
    s.tab1 = "2";
    model.Open(s);
    ASSERT_EQ(model.Count(), 1);
    EXPECT_EQ(model.Number(), 1);
    EXPECT_EQ(model.Shown().LineCount(), 6);
    EXPECT_EQ(fakes::Unicode("ziba2.kbd", model.Shown().Lines(0, 1)), std::string(Verse[0]) + "\r\n");

    EXPECT_EQ(model.Insert(), "-- ( 1 ) --\r\n" + MainLine(0) + "  \r\n" + MainLine(1) + "  \r\n");
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(PoetryDialogModelTest, JustifyWorksOnTheConvertedTextBeforeTheLayout)
{
    PoetryDialogModel model(Context([this](const std::string& text) {
        justified.push_back(text);
        return std::string("J\r\nK\r\n");
    }));
    QuvelSettings s;
    s.how = 0;
    s.n = "2";
    model.Open(s); // Poetic, tabs 3 and 15, justified
    const std::string all = MainLine(0) + "\r\n" + MainLine(1) + "\r\n" + MainLine(2) + "\r\n" + MainLine(3) + "\r\n" +
                            MainLine(4) + "\r\n" + MainLine(5) + "\r\n";
    EXPECT_EQ(model.Insert(), "J   \r\nK" + std::string(15, ' ') + "\r\n");
    EXPECT_EQ(justified, std::vector<std::string>{all});

    model.settings.justify = false;
    EXPECT_EQ(model.Insert(), LayOutVerse(all, extras::VerseLayout::Poetic, 6, 3, 15));
    EXPECT_EQ(justified.size(), 1u);
}

TEST_F(PoetryDialogModelTest, HiddenEditJustifyMeasuresTheConvertedTextInTheDocumentKeymap)
{
    keymap::KeyMap documentMap;
    ASSERT_TRUE(documentMap.Load("main.kbd"));
    editctl::FixedGlyphMetrics metrics{10, 20};
    editctl::PersianEdit hidden;
    hidden.SetMetrics(&metrics);
    hidden.SetKeyMap(&documentMap);
    std::string seenText, seenInput, seenSource, seenDestination;
    const extras::JustifyStep step = extras::JustifyOnHiddenEdit(
        hidden, converter, "main.kbd", [&](editctl::PersianEdit& edit, keymap::KeymapConverter& c) {
            seenText = edit.Window().GetText();
            seenInput = c.input;
            seenSource = c.source.FileName();
            seenDestination = c.destination.FileName();
            c.output = "justified\r\n";
        });
    PoetryDialogModel model(Context(step));
    QuvelSettings s;
    s.how = 2;
    s.n = "2";
    s.tab1 = "0";
    s.tab2 = "0";
    model.Open(s);
    EXPECT_EQ(model.Insert(), "justified\r\n");
    const std::string converted = MainLine(0) + "\r\n" + MainLine(1) + "\r\n";
    EXPECT_EQ(seenText, converted);
    EXPECT_EQ(seenInput, converted);
    EXPECT_EQ(seenSource, "main.kbd");
    EXPECT_EQ(seenDestination, "main.kbd");
}

TEST_F(PoetryDialogModelTest, JustifiedTextKeepsTheLineCountOfThePoemsLines)
{
    keymap::KeyMap documentMap;
    ASSERT_TRUE(documentMap.Load("main.kbd"));
    editctl::PersianEdit hidden;
    hidden.SetKeyMap(&documentMap);
    hidden.Resize(1000, 200);
    // As Justify does: a line of output for every line of the window, the empty last one too.
    const extras::JustifyStep step = extras::JustifyOnHiddenEdit(
        hidden, converter, "main.kbd", [](editctl::PersianEdit& edit, keymap::KeymapConverter& c) {
            c.output.clear();
            const editctl::EditWindow& w = edit.Window();
            const std::string text = w.GetText();
            for (int i = 0; i < w.GetLineCount(); ++i)
                c.output += text.substr(static_cast<size_t>(w.LineIndex(i)), static_cast<size_t>(w.LineEnd(i) - w.LineIndex(i))) + "\r\n";
        });
    PoetryDialogModel model(Context(step));
    QuvelSettings s;
    s.how = 0;
    model.Open(s);
    EXPECT_EQ(model.Insert(), LayOutVerse(MainLine(0) + "\r\n" + MainLine(1) + "\r\n" + MainLine(2) + "\r\n" +
                                              MainLine(3) + "\r\n" + MainLine(4) + "\r\n" + MainLine(5) + "\r\n",
                                          extras::VerseLayout::Poetic, 6, 3, 15))
        << "no indented line after the poem";
    EXPECT_EQ(hidden.Window().GetLineCount(), 7) << "the window's empty line after the last line break";
}

TEST_F(PoetryDialogModelTest, FieldsFollowTheirRulesAndNumberZeroKeepsThePoem)
{
    PoetryDialogModel model(Context());
    model.Open(QuvelSettings{});
    EXPECT_EQ(model.SetN(5), 6);
    EXPECT_EQ(model.settings.n, "6");
    EXPECT_EQ(model.Insert(), "") << "n = 6 is not below the poem's 6 lines";
    EXPECT_EQ(model.SetN(0), 0);
    EXPECT_EQ(model.Insert(), "");
    EXPECT_EQ(model.SetTab1(40), 30);
    EXPECT_EQ(model.SetTab2(-4), 0);
    EXPECT_EQ(model.settings.tab2, "0");

    EXPECT_EQ(model.SetNumber(0), 0);
    EXPECT_EQ(model.Shown().LineCount(), 6) << "0 loads nothing; the viewer keeps the poem";
    EXPECT_EQ(model.SetNumber(999), 1);
    EXPECT_EQ(model.SetNumber(-3), 1);
}

TEST_F(PoetryDialogModelTest, UnreadableFilesAreSaidOnceAndInsertNothing)
{
    folder.Write("QIndex.dat", fakes::IndexBytes({3, 9})); // beyond the three records
    PoetryDialogModel model(Context());
    QuvelSettings s;
    s.how = 0;
    model.Open(s);
    EXPECT_EQ(model.Count(), 0);
    EXPECT_EQ(model.DrawNumber(), 0);
    EXPECT_EQ(model.Insert(), "");
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Cannot read the poems: " + folder.Path() + "/rDivan.dta");
    EXPECT_EQ(services.messages.shown[0].caption, "Kelmora");
}

class RandomPoemCommandTest : public PoetryDialogModelTest {
protected:
    keymap::KeyMap map;
    editctl::FixedGlyphMetrics metrics{10, 20};
    editctl::PersianEdit edit{editctl::WindowStyle::MultiLine};
    const std::string documentText = fakes::Glyphs("main.kbd", "متن پیش از شعر");

    RandomPoemCommandTest()
    {
        EXPECT_TRUE(map.Load("main.kbd"));
        edit.SetKeyMap(&map);
        edit.SetMetrics(&metrics);
        edit.Resize(400, 300);
        edit.Window().SetText(documentText);
        edit.Window().SetSel(2, 6);
    }

    QuvelSettings saved;

    std::string Run() { return extras::InsertRandomPoem(edit, converter, saved, random, services.messages, folder.Path(), {}); }
};

TEST_F(RandomPoemCommandTest, ReplacesTheSelectionWithTheSavedChoiceAfterTheUndoSnapshot)
{
    saved.how = 1; // the last n lines
    saved.mode = 1;
    saved.tab1 = "0";
    const std::string result = Run();
    EXPECT_EQ(result, MainLine(2) + "\r\n" + MainLine(3) + "\r\n" + MainLine(4) + "\r\n" + MainLine(5) + "\r\n");
    EXPECT_EQ(edit.Window().GetText(), documentText.substr(0, 2) + result + documentText.substr(6));
    EXPECT_TRUE(edit.modified) << "the document is to be saved";
    edit.Undo();
    EXPECT_EQ(edit.Window().GetText(), documentText);
}

TEST_F(RandomPoemCommandTest, NothingToInsertLeavesTheSelectedTextInPlace)
{
    saved.n = "30"; // more than the poem's six lines
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(edit.Window().GetText(), documentText);
    int start = 0, end = 0;
    edit.Window().GetSel(start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(2, 6));
    EXPECT_FALSE(edit.modified);

    // Cancel and "Save'n Go" end the window with an empty result too.
    extras::ReplaceSelectionWithPoem(edit, "");
    EXPECT_EQ(edit.Window().GetText(), documentText);
    EXPECT_FALSE(edit.modified);

    folder.Write("rDivan.dta", "");
    saved.n = "2";
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(edit.Window().GetText(), documentText);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Cannot read the poems: " + folder.Path() + "/rDivan.dta");
}

} // namespace
