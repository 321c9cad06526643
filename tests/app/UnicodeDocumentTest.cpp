// UTF-8 text files and the document commands: recognising one, Import and Export, Open's offer to
// import, Save of an imported document, and files dropped on the window.
#include "app/UnicodeDocument.h"

#include "app/DocumentCommands.h"
#include "platform/TextMode.h"
#include "tests/app/DocumentCommandsFixture.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

using platform::MessageAnswer;

const std::string Line1 = "باران آرام بر بام خانه می‌بارد";
const std::string Line2 = "و کودکان در کوچه بازی می‌کنند";

struct UnicodeCase {
    const char* what;
    std::string bytes;
    bool unicode;
};

TEST(UnicodeDocument, RecognisesUtf8TextWhoseLettersAreMostlyArabicScript)
{
    const std::string persian = Line1 + "\n" + Line2 + "\n";
    const UnicodeCase cases[] = {
        {"byte-order mark, ASCII after it", "\xEF\xBB\xBFhello\n", true},
        {"Persian without a mark", persian, true},
        {"Persian with a few English words", persian + "Kelmora 2.0 text\n", true},
        {"cut inside the last character", persian.substr(0, persian.size() - 2 - 1), true},
        {"valid UTF-8 that is French", "café crème, déjà vu\n", false},
        {"plain ASCII", "just ascii\n", false},
        {"glyph bytes of a legacy keymap", fakes::Glyphs("main.kbd", Line1), false},
        {"an overlong sequence among Persian", persian + "\xC0\xAF", false},
        {"empty", "", false},
    };
    for (const UnicodeCase& c : cases)
        EXPECT_EQ(app::LooksLikeUnicodeText(c.bytes), c.unicode) << c.what;
}

TEST(UnicodeDocument, ProblemsAreListedOnceWithTheFirstTenPlacesThenACount)
{
    std::vector<keymap::Unrepresentable> problems;
    for (int i = 1; i <= 12; ++i)
        problems.push_back({i <= 6 ? 1 : 2, i, U'中', 0});
    problems[0].codePoint = U'ك', problems[0].writtenAs = U'ک';
    const std::string message = app::ProblemsMessage(problems, "main.kbd");
    EXPECT_NE(message.find("12 characters have no glyph of its own in main.kbd:\n"), std::string::npos) << message;
    EXPECT_NE(message.find("line 1, column 1: U+0643 ك, written as U+06A9 ک\n"), std::string::npos) << message;
    EXPECT_NE(message.find("line 2, column 10: U+4E2D 中, left out\n"), std::string::npos) << message;
    EXPECT_EQ(message.find("column 11"), std::string::npos) << message;
    EXPECT_EQ(message.substr(message.rfind('\n') + 1), "and 2 more");
    EXPECT_EQ(app::ProblemsMessage({}, "main.kbd"), "");
}

struct UnicodeCommands : fakes::DocumentCommandsFixture {
    void SetUp() override
    {
        DocumentCommandsFixture::SetUp();
        services.settings.WriteInt("Settings", "SaveHeader", 0);
        // The keymap offer is scored with a list of our own, not whatever the machine has.
        commands->SetWordList(folder.Write("none.dic", ""));
    }
};

TEST_F(UnicodeCommands, ImportReadsEveryLineEndAndByteOrderMarkIntoTheCurrentKeymap)
{
    const std::string crLfText = Line1 + "\r\n" + Line2;
    const UnicodeCase files[] = {
        {"LF with a byte-order mark", "\xEF\xBB\xBF" + Line1 + "\n" + Line2, true},
        {"CR LF", Line1 + "\r\n" + Line2, true},
        {"lone CR", Line1 + "\r" + Line2, true},
    };
    for (const UnicodeCase& c : files) {
        const std::string path = folder.Write("in.txt", c.bytes);
        host->importAnswers = {path};
        commands->ImportUnicode();
        EXPECT_EQ(Shown(), crLfText) << c.what;
        EXPECT_EQ(host->Text(), fakes::Glyphs("main.kbd", crLfText)) << c.what;
        EXPECT_TRUE(host->editor.modified) << c.what;
        EXPECT_TRUE(commands->IsImported()) << c.what;
        EXPECT_EQ(commands->CurrentPath(), path) << c.what;
        // The next import replaces unsaved text: its question is answered No.
        host->saveChangesAnswers = {app::SaveChangesAnswer::No};
    }
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(UnicodeCommands, SaveOfAnImportedDocumentAsksForADocumentNameAndNeverWritesTheUtf8File)
{
    const std::string original = Line1 + "\n";
    const std::string path = folder.Write("poem.txt", original);
    host->importAnswers = {path};
    commands->ImportUnicode();

    host->saveAsAnswers = {std::nullopt};
    EXPECT_FALSE(commands->Save());
    EXPECT_EQ(host->saveAsAsked, 1);
    EXPECT_EQ(ReadBack(path), original);
    EXPECT_TRUE(host->editor.modified);

    // The save-changes question's Yes goes to Save As too.
    host->saveChangesAnswers = {app::SaveChangesAnswer::Yes};
    host->saveAsAnswers = {std::nullopt};
    EXPECT_EQ(commands->ConfirmSaveChanges(), app::Confirmation::Cancel);
    EXPECT_EQ(ReadBack(path), original);

    const std::string document = folder.Path() + "/poem.txf";
    host->saveAsAnswers = {document};
    EXPECT_TRUE(commands->Save());
    EXPECT_EQ(ReadBack(document), fakes::Glyphs("main.kbd", Line1) + "\r\n");
    EXPECT_FALSE(commands->IsImported());
    host->Type(host->Text() + "x");
    EXPECT_TRUE(commands->Save());
    EXPECT_EQ(host->saveAsAsked, 3) << "a saved document is saved where it is";
    EXPECT_EQ(ReadBack(path), original);
}

TEST_F(UnicodeCommands, CharactersTheKeymapLacksAreListedInOneMessage)
{
    std::string text = Line1 + "\n";
    for (int i = 0; i < 11; ++i)
        text += "中";
    host->importAnswers = {folder.Write("odd.txt", text + "\n")};
    commands->ImportUnicode();
    ASSERT_EQ(services.messages.shown.size(), 1u);
    const std::string& message = services.messages.shown[0].text;
    EXPECT_NE(message.find("11 characters"), std::string::npos) << message;
    EXPECT_NE(message.find("line 2, column 1: U+4E2D"), std::string::npos) << message;
    EXPECT_NE(message.find("and 1 more"), std::string::npos) << message;
    EXPECT_EQ(Shown(), Line1 + "\r\n\r\n");
}

TEST_F(UnicodeCommands, OpenOffersToImportUtf8AndNoShowsTheBytes)
{
    const std::string bytes = Line1 + "\n";
    const std::string path = folder.Write("note.txt", bytes);
    struct {
        MessageAnswer answer;
        bool imported;
    } answers[] = {{MessageAnswer::Yes, true}, {MessageAnswer::No, false}, {MessageAnswer::Cancel, false}};
    for (const auto& a : answers) {
        host->Type(fakes::Glyphs("main.kbd", "سلام"));
        host->saveChangesAnswers = {app::SaveChangesAnswer::No};
        host->openAnswers = {path};
        services.messages.shown.clear();
        services.messages.Script({a.answer});
        commands->Open();
        ASSERT_FALSE(services.messages.shown.empty());
        EXPECT_NE(services.messages.shown[0].text.find("holds Unicode text"), std::string::npos);
        EXPECT_EQ(commands->IsImported(), a.imported);
        if (a.answer == MessageAnswer::Yes) {
            EXPECT_EQ(Shown(), Line1 + "\r\n");
        } else if (a.answer == MessageAnswer::No) {
            EXPECT_EQ(host->Text(), Line1 + "\r\n") << "the bytes as glyph codes";
        } else {
            EXPECT_EQ(Shown(), "سلام") << "what was there stays";
        }
    }
}

TEST_F(UnicodeCommands, ALegacyFileThatIsValidUtf8ButNotPersianOpensWithoutAQuestion)
{
    // Glyph bytes that happen to pair into Latin letters: valid UTF-8, but not Persian text.
    const std::string bytes = "\xC3\xA9\xC3\xA8 \xC3\xA0\r\n";
    const std::string path = folder.Write("old.txf", bytes);
    host->openAnswers = {path};
    commands->Open();
    EXPECT_TRUE(services.messages.shown.empty());
    EXPECT_EQ(host->Text(), bytes);
    EXPECT_FALSE(commands->IsImported());
}

TEST_F(UnicodeCommands, ExportWritesLogicalOrderUtf8WithTheChosenLineEnds)
{
    const std::string original = Line1 + "\n" + Line2 + "\n";
    const std::string source = folder.Write("source.txt", original);
    host->importAnswers = {source};
    commands->ImportUnicode();

    const std::string lf = folder.Path() + "/lf.txt";
    host->exportAnswers = {app::UnicodeExportChoice{lf, app::LineEnds::Lf}};
    EXPECT_TRUE(commands->ExportUnicode());
    EXPECT_EQ(ReadBack(lf), original) << "import then export gives the file back";

    const std::string crlf = folder.Path() + "/crlf.txt";
    host->exportAnswers = {app::UnicodeExportChoice{crlf, app::LineEnds::CrLf}};
    EXPECT_TRUE(commands->ExportUnicode());
    EXPECT_EQ(ReadBack(crlf), Line1 + "\r\n" + Line2 + "\r\n");

    // The document is still the imported one, unsaved.
    EXPECT_TRUE(host->editor.modified);
    EXPECT_EQ(commands->CurrentPath(), source);

    host->exportAnswers = {app::UnicodeExportChoice{folder.Path() + "/no/such/folder/x.txt", app::LineEnds::Lf}};
    EXPECT_FALSE(commands->ExportUnicode());
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].caption, "Error");
}

TEST_F(UnicodeCommands, DroppingSeveralFilesOpensTheFirstAndSaysSo)
{
    const std::string a = folder.Write("a.txf", fakes::Glyphs("main.kbd", "یک") + "\r\n");
    const std::string b = folder.Write("b.txf", fakes::Glyphs("main.kbd", "دو") + "\r\n");
    commands->OpenDropped({a, b});
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "2 files were dropped; only the first is opened:\n" + a);
    EXPECT_EQ(commands->CurrentPath(), a);
    EXPECT_EQ(Shown(), "یک\r\n");
    EXPECT_EQ(recent.Paths().front(), a);
}

TEST_F(UnicodeCommands, DroppedFilesAreOpenedLikeOpen)
{
    const std::string doc = folder.Write("b.TXT", fakes::Glyphs("main.kbd", "دو") + "\r\n");
    host->Type(fakes::Glyphs("main.kbd", "سلام"));
    host->saveChangesAnswers = {app::SaveChangesAnswer::Cancel};
    commands->OpenDropped({doc});
    EXPECT_EQ(host->saveChangesAsked, 1);
    EXPECT_EQ(Shown(), "سلام") << "Cancel keeps the unsaved text";

    host->saveChangesAnswers = {app::SaveChangesAnswer::No};
    commands->OpenDropped({doc});
    EXPECT_EQ(Shown(), "دو\r\n");

    // A UTF-8 file of any name is offered for import.
    const std::string utf8 = folder.Write("note.md", Line1);
    services.messages.Script({MessageAnswer::Yes});
    commands->OpenDropped({utf8});
    EXPECT_TRUE(commands->IsImported());
    EXPECT_EQ(Shown(), Line1);

    // Anything else is refused before the unsaved text is put at risk.
    const std::string keymapFile = folder.KeyMapsPath() + "/main.kbd";
    services.messages.shown.clear();
    commands->OpenDropped({keymapFile});
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_NE(services.messages.shown[0].text.find("is neither a .txf or .txt document"), std::string::npos);
    EXPECT_EQ(host->saveChangesAsked, 2);
    EXPECT_EQ(Shown(), Line1);
}

} // namespace
