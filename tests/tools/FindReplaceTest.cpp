#include "tools/FindReplace.h"

#include "tests/tools/ToolsFixture.h"

#include <filesystem>
#include <random>

using platform::Message;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using tools::FindCaller;
using tools::FindOutcome;

namespace {

struct FindReplaceTest : ToolsFixture {
    tools::FindTarget target{edit, converter, "kolb.kbd", services.messages};

    FindOutcome Find(const char* typed, FindCaller caller = FindCaller::FindDialog)
    {
        return tools::FindStep(target, Typed(typed), caller);
    }
};

Message NotFound(const char* text, const char* caption)
{
    return {text, caption, MessageButtons::RetryCancel, MessageIcon::Information};
}

bool operator==(const Message& a, const Message& b)
{
    return a.text == b.text && a.caption == b.caption && a.buttons == b.buttons && a.icon == b.icon;
}

} // namespace

TEST_F(FindReplaceTest, WordTypedInMainFontIsFoundInKolbDocumentFromTheSelectionEnd)
{
    Document({"دنیا", "کتاب", "دنیا"});
    ASSERT_EQ(Find("دنیا"), FindOutcome::Found);
    EXPECT_EQ(Selected(), "دنیا");
    EXPECT_EQ(Selection().first, LineStart(0));
    ASSERT_EQ(Find("دنیا"), FindOutcome::Found);
    EXPECT_EQ(Selection().first, LineStart(2));
    EXPECT_TRUE(services.messages.shown.empty());

    // Past the last match the user is told, and Cancel leaves the last match selected.
    EXPECT_EQ(Find("دنیا"), FindOutcome::NotFound);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_TRUE(services.messages.shown[0] == NotFound("Passed the end the file", "Kelmora"));
    EXPECT_EQ(Selection().first, LineStart(2));
}

TEST_F(FindReplaceTest, RetrySearchesAgainFromTheTop)
{
    Document({"دنیا", "کتاب", "دنیا"});
    edit.Window().SetSel(LineStart(2) + 1, LineStart(2) + 1);
    services.messages.Script({MessageAnswer::Retry});
    ASSERT_EQ(Find("دنیا"), FindOutcome::Found);
    EXPECT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(Selection().first, LineStart(0));
}

TEST_F(FindReplaceTest, NotFoundWordingAndCaptionDependOnTheCaller)
{
    struct Case { FindCaller caller; const char* text; const char* caption; };
    const Case cases[] = {
        {FindCaller::FindDialog, "Passed the end the file", "Kelmora"},
        {FindCaller::FindNextCommand, "Passed the end the file", "Kelmora::FindNext"},
        {FindCaller::ReplaceDialog, "Passed the end of file", "Kelmora::FindNext"},
    };
    Document({"کتاب"});
    for (const Case& c : cases) {
        services.messages.shown.clear();
        EXPECT_EQ(Find("دنیا", c.caller), FindOutcome::NotFound);
        ASSERT_EQ(services.messages.shown.size(), 1u);
        EXPECT_TRUE(services.messages.shown[0] == NotFound(c.text, c.caption)) << c.text << " / " << c.caption;
    }
}

TEST_F(FindReplaceTest, SpacesOnlySearchDoesNothing)
{
    Document({"کتاب دنیا"});
    edit.Window().SetSel(2, 3);
    EXPECT_EQ(tools::PrepareText(target, Typed("   ")), std::string());
    EXPECT_EQ(Find("   "), FindOutcome::EmptySearch);
    EXPECT_EQ(Selection(), std::make_pair(2, 3));
    // Find Next with a search that trims to nothing does nothing either, but it is a search: no dialog.
    EXPECT_TRUE(tools::FindNextCommand(target, Typed("  ")));
    EXPECT_TRUE(services.messages.shown.empty());
    EXPECT_EQ(Selection(), std::make_pair(2, 3));
}

TEST_F(FindReplaceTest, FindNextWithoutPreviousSearchAsksForTheDialog)
{
    Document({"کتاب"});
    EXPECT_FALSE(tools::FindNextCommand(target, ""));
    EXPECT_TRUE(tools::FindNextCommand(target, Typed("کتاب")));
    EXPECT_EQ(Selected(), "کتاب");
}

TEST_F(FindReplaceTest, PreparedTextIsTrimmedAndInTheDocumentsFont)
{
    EXPECT_EQ(tools::PrepareText(target, Typed("  کتاب ")), fakes::Glyphs("kolb.kbd", "کتاب"));
}

TEST_F(FindReplaceTest, MatchOverlappingTheSelectionEndIsFoundOnlyFromItsStartOn)
{
    Document({"دنیا", "دنیا"});
    edit.Window().SetSel(0, 2); // ends inside the first occurrence
    ASSERT_EQ(Find("دنیا"), FindOutcome::Found);
    EXPECT_EQ(Selection().first, LineStart(1));
}

TEST_F(FindReplaceTest, WordMatchesOnlyWhereItsLettersHaveTheSameForms)
{
    // Typed alone, the beh of "کتاب" is final; inside "کتابها" it is initial.
    Document({"کتابها", "کتاب"});
    ASSERT_EQ(Find("کتاب"), FindOutcome::Found);
    EXPECT_EQ(Selection().first, LineStart(1));
}

TEST_F(FindReplaceTest, ReplaceWithoutASelectedMatchDoesNothing)
{
    Document({"دنیا", "کتاب"});
    edit.Window().SetSel(0, 4);
    tools::ReplaceSession session(target);
    session.Replace(Typed("دنیا"), Typed("جهان"));
    EXPECT_EQ(Reading(), "دنیا\r\nکتاب");
    // A failed find step also leaves nothing to replace.
    EXPECT_EQ(session.FindNext(Typed("قلم")), FindOutcome::NotFound);
    EXPECT_FALSE(session.MatchSelected());
    session.Replace(Typed("قلم"), Typed("جهان"));
    EXPECT_EQ(Reading(), "دنیا\r\nکتاب");
    EXPECT_FALSE(edit.modified);
}

TEST_F(FindReplaceTest, ReplaceOverwritesTheMatchAndSelectsTheNext)
{
    Document({"دنیا", "کتاب", "دنیا"});
    tools::ReplaceSession session(target);
    ASSERT_EQ(session.FindNext(Typed("دنیا")), FindOutcome::Found);
    EXPECT_TRUE(session.MatchSelected());
    session.Replace(Typed("دنیا"), Typed("جهان"));
    EXPECT_EQ(Reading(), "جهان\r\nکتاب\r\nدنیا");
    EXPECT_TRUE(session.MatchSelected());
    EXPECT_EQ(Selection().first, LineStart(2));
    EXPECT_TRUE(edit.modified);
}

TEST_F(FindReplaceTest, ReplaceAllWithReplacementContainingTheSearchCountsEachOriginalOnce)
{
    Document({"دنیا", "کتاب", "دنیا"});
    edit.SaveUndo(); // as the Replace command does before opening the dialog
    const std::string before = edit.Window().GetText();
    edit.Window().SetSel(LineStart(1), LineStart(1) + 3);
    tools::ReplaceSession session(target);
    const int count = session.ReplaceAll(Typed("دنیا"), Typed("دنیا دنیا"));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Reading(), "دنیا دنیا\r\nکتاب\r\nدنیا دنیا");
    // The selection comes back as positions, now pointing into the changed text.
    EXPECT_EQ(Selection(), std::make_pair(LineStart(0) + 4 + 2, LineStart(0) + 4 + 2 + 3));
    EXPECT_TRUE(edit.modified);

    tools::ReportReplaceAll(services.messages, count);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_TRUE(services.messages.shown[0] ==
                (Message{"Replaced 2 matches !", "Kelmora::ReplaceAll", MessageButtons::Ok, MessageIcon::Information}));

    edit.Undo();
    EXPECT_EQ(edit.Window().GetText(), before);
}

TEST_F(FindReplaceTest, ReplaceAllWithoutMatchOrWithEmptySearchChangesNothing)
{
    Document({"دنیا", "کتاب"});
    edit.Window().SetSel(1, 3);
    tools::ReplaceSession session(target);
    EXPECT_EQ(session.ReplaceAll(Typed("قلم"), Typed("جهان")), 0);
    EXPECT_EQ(session.ReplaceAll(Typed("   "), Typed("جهان")), 0);
    EXPECT_EQ(Reading(), "دنیا\r\nکتاب");
    EXPECT_EQ(Selection(), std::make_pair(1, 3));
    EXPECT_FALSE(edit.modified);
    tools::ReportReplaceAll(services.messages, 0);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_TRUE(services.messages.shown[0] ==
                (Message{"No match found !", "Kelmora::ReplaceAll", MessageButtons::Ok, MessageIcon::Information}));
}

// The one-pass Replace All against the loop it replaces: find from the selection end, select,
// replace the selection, repeat; on random texts over a tiny alphabet, so matches overlap.
TEST(ReplaceAllInTest, AgreesWithTheMatchByMatchLoop)
{
    std::mt19937 random(11);
    const std::string alphabet = "ab \r\n";
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % (round % 2 ? 2 : alphabet.size())];
        const std::string search = std::string("ab").substr(0, 1 + random() % 2) + (random() % 2 ? "a" : "");
        const std::string replacement = std::string("aab").substr(0, random() % 4);

        editctl::EditWindow reference;
        reference.SetText(text);
        reference.SetSel(0, 0);
        int referenceCount = 0;
        for (;;) {
            int s = 0, e = 0;
            reference.GetSel(s, e);
            const size_t at = reference.GetText().find(search, static_cast<size_t>(e));
            if (at == std::string::npos)
                break;
            reference.SetSel(static_cast<int>(at), static_cast<int>(at + search.size()));
            reference.ReplaceSel(replacement);
            ++referenceCount;
        }

        // Built in two pieces so the gap sits inside the text, as editing leaves it.
        editctl::EditWindow window;
        const size_t middle = text.size() / 2;
        window.SetText(text.substr(middle));
        window.ReplaceExact(0, 0, text.substr(0, middle));
        ASSERT_EQ(window.GetText(), text);
        window.SetSel(std::min(3, length), std::min(5, length));
        EXPECT_EQ(tools::ReplaceAllIn(window, search, replacement), referenceCount) << text;
        EXPECT_EQ(window.GetText(), reference.GetText()) << text << " / " << search << " -> " << replacement;
    }
}

TEST(FindInTextTest, FindsMatchesOnEitherSideOfTheGapAndAcrossIt)
{
    const std::string text = "xxabcabcyabc";
    for (const std::string needle : {"abc", "cab", "x", "yab", "abcabc", "q"}) {
        for (size_t split = 0; split <= text.size(); ++split) {
            const std::string_view all(text);
            const std::pair parts{all.substr(0, split), all.substr(split)};
            for (long from = 0; from <= static_cast<long>(text.size()) + 1; ++from) {
                const size_t expected = text.find(needle, static_cast<size_t>(from));
                EXPECT_EQ(tools::FindInText(parts, needle, from),
                          expected == std::string::npos ? -1 : static_cast<long>(expected))
                    << needle << " split " << split << " from " << from;
            }
        }
    }
    EXPECT_EQ(tools::FindInText({"abc", ""}, "", 0), -1);
}

TEST_F(FindReplaceTest, DocumentKeymapThatNoLongerLoadsSearchesAndReplacesNothing)
{
    Document({"دنیا", "کتاب", "دنیا"});
    tools::ReplaceSession session(target);
    ASSERT_EQ(session.FindNext(Typed("دنیا")), FindOutcome::Found); // a match is selected
    const std::string before = edit.Window().GetText();
    const auto selection = Selection();
    edit.modified = false;
    services.messages.shown.clear();
    // The document's keymap file goes away while the dialog is open.
    std::filesystem::remove(folder.KeyMapsPath() + "/kolb.kbd");

    session.Replace(Typed("دنیا"), Typed("قلم"));
    EXPECT_EQ(session.ReplaceAll(Typed("دنیا"), Typed("قلم")), 0);
    EXPECT_EQ(Find("کتاب"), FindOutcome::NoKeymap);
    EXPECT_EQ(edit.Window().GetText(), before) << "no match replaced by an empty text";
    EXPECT_EQ(Selection(), selection);
    EXPECT_FALSE(edit.modified);
    ASSERT_FALSE(services.messages.shown.empty());
    EXPECT_NE(services.messages.shown.front().text.find("kolb.kbd"), std::string::npos);
}
