// LoadTextFile and SaveTextFile on a real edit control with the shipped keymaps: headers restore
// font, size and keymap; DOS mode and display lines shape the saved bytes; failures change nothing.
#include "app/DocumentFile.h"

#include "app/EditorSettings.h"
#include "platform/TextMode.h"
#include "tests/app/FakeDocumentHost.h"
#include "tests/fakes/FileSizeLimit.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

using platform::MessageButtons;
using platform::MessageIcon;

struct TextFileFixture : ::testing::Test {
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    std::optional<fakes::FakeDocumentHost> host;

    void SetUp() override
    {
        for (const char* name : {"main.kbd", "kolb.kbd", "ziba2.kbd"})
            folder.InstallKeymap(name);
        services.settings.WriteInt("Settings", "EnableDos", 0); // cases that need DOS mode set it
        host.emplace();
    }
    editctl::PersianEdit& Editor() { return host->editor; }
    /// The document format the settings give now (tests set "EnableDos" and "SaveHeader" first).
    app::DocumentFormat Format() { return app::EditorSettings(services.settings).DocumentFormatInUse(); }
    std::string ReadBack(const std::string& path)
    {
        std::string bytes;
        EXPECT_TRUE(platform::ReadFileBytes(path, bytes).ok);
        return bytes;
    }
    /// Glyphs of a phrase in another shipped keymap.
    std::string GlyphsIn(const std::string& keymapName, const std::string& utf8)
    {
        keymap::KeyMap other;
        EXPECT_TRUE(other.Load(keymapName));
        return keymap::UnicodeBridge(other).ImportUtf8(utf8);
    }
};

TEST_F(TextFileFixture, HeaderRestoresFontSizeAndKeymap)
{
    const std::string kolbText = GlyphsIn("kolb.kbd", "سلام دنیا");
    const std::string path = folder.Write("doc.txf", "Kelmora : f[Homa] s[30] k[kolb.kbd]\r\n" + kolbText);
    Editor().SaveUndo();
    Editor().modified = true;
    ASSERT_TRUE(app::LoadTextFile(Editor(), path, Format()));
    EXPECT_TRUE(Editor().headerLoaded);
    EXPECT_EQ(Editor().fontFace, "Homa");
    EXPECT_EQ(Editor().fontHeight, 30);
    EXPECT_EQ(host->keyMap.FileName(), "kolb.kbd");
    EXPECT_EQ(host->Unicode(host->Text()), "سلام دنیا");
    EXPECT_FALSE(Editor().modified);
    EXPECT_FALSE(Editor().CanUndo());
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(TextFileFixture, HeaderOnlyMissingKeymapMissingSizeAndNoHeader)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool header;
        const char* face;
        int size;
        const char* keymap;
        bool keymapMessage;
        std::string text;
    };
    const std::string word = host->Glyphs("کتاب");
    const std::vector<Case> cases = {
        {"header only", "Kelmora : f[Titr] s[18] k[ziba2.kbd]\r\n", true, "Titr", 18, "ziba2.kbd", false, ""},
        {"unknown keymap keeps the previous one", "Kelmora : f[Nazli] s[20] k[nosuch.kbd]\r\n" + word, true,
         "Nazli", 20, "main.kbd", true, word},
        {"no size field keeps the size", "Kelmora : f[Homa]\r\n" + word, true, "Homa", 24, "main.kbd", false, word},
        {"size zero is the smallest size", "Kelmora : f[Homa] s[0] k[main.kbd]\r\n" + word, true, "Homa", 1, "main.kbd",
         false, word},
        {"negative size is the smallest size", "Kelmora : f[Homa] s[-30] k[main.kbd]\r\n" + word, true, "Homa", 1,
         "main.kbd", false, word},
        {"huge size is the largest size", "Kelmora : f[Homa] s[999999999] k[main.kbd]\r\n" + word, true, "Homa", 400,
         "main.kbd", false, word},
        {"keymap outside the folder is refused", "Kelmora : f[Homa] s[24] k[../KeyMaps/kolb.kbd]\r\n" + word, true,
         "Homa", 24, "main.kbd", true, word},
        {"no header leaves font and keymap", word + "\r\nKelmora : f[X] s[9] k[kolb.kbd]", false, "nasim web homa", 24,
         "main.kbd", false, word + "\r\nKelmora : f[X] s[9] k[kolb.kbd]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.emplace();
        Editor().headerLoaded = true; // a stale flag from an earlier load must not survive
        services.messages.shown.clear();
        ASSERT_TRUE(app::LoadTextFile(Editor(), folder.Write("case.txf", c.bytes), Format()));
        EXPECT_EQ(Editor().headerLoaded, c.header);
        EXPECT_EQ(Editor().fontFace, c.face);
        EXPECT_EQ(Editor().fontHeight, c.size);
        EXPECT_EQ(host->keyMap.FileName(), c.keymap);
        EXPECT_EQ(services.messages.shown.size(), c.keymapMessage ? 1u : 0u);
        EXPECT_EQ(host->Text(), c.text);
    }
}

TEST_F(TextFileFixture, UnreadableFileIsReportedWithTheReasonAndChangesNothing)
{
    const std::string typed = host->Glyphs("نامه");
    host->Type(typed);
    Editor().headerLoaded = true;
    const std::string fifo = folder.Path() + "/pipe.txf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0); // no writer ever comes: opening it must not wait
    const std::string huge = folder.Write("huge.txf", "");
    std::filesystem::resize_file(huge, app::DocumentReadLimit + 1); // sparse: costs no disk
    struct Case { std::string path; const char* reason; };
    const Case cases[] = {
        {folder.Path() + "/missing.txf", "No such file or directory"},
        {folder.KeyMapsPath(), "Is a directory"},
        {fifo, "Not a regular file"},
        {"/dev/zero", "Not a regular file"},
        {huge, "File is larger than 512 MB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        services.messages.shown.clear();
        EXPECT_FALSE(app::LoadTextFile(Editor(), c.path, Format()));
        ASSERT_EQ(services.messages.shown.size(), 1u);
        EXPECT_EQ(services.messages.shown[0].text, std::string("Cannot open the file\n") + c.reason);
        EXPECT_EQ(services.messages.shown[0].caption, "Error");
        EXPECT_EQ(services.messages.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(services.messages.shown[0].icon, MessageIcon::None);
        EXPECT_EQ(host->Text(), typed);
        EXPECT_TRUE(Editor().modified);
        EXPECT_TRUE(Editor().headerLoaded);
        EXPECT_TRUE(Editor().CanUndo());
        EXPECT_EQ(Editor().fontFace, "nasim web homa");
    }
}

TEST_F(TextFileFixture, SaveWritesHeaderAndLinesAndClearsModified)
{
    const std::string first = host->Glyphs("سلام"), second = host->Glyphs("خداحافظ");
    host->Type(first + "\r\n  " + second + "\r\n");
    struct Case {
        const char* name;
        int dos;
        int header;
        std::string bytes;
    };
    const std::string headerLine = "Kelmora : f[nasim web homa] s[24] k[main.kbd]\r\n";
    const std::vector<Case> cases = {
        {"header, DOS off: trailing line end kept", 0, 1, headerLine + first + "\r\n" + second + "\r\n"},
        {"no header", 0, 0, first + "\r\n" + second + "\r\n"},
        {"DOS on: right-aligned in 80 columns, empty last line as 80 spaces", 1, 1,
         headerLine + std::string(80 - first.size(), ' ') + first + "\r\n" + std::string(80 - second.size(), ' ') +
             second + "\r\n" + std::string(80, ' ')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        services.settings.WriteInt("Settings", "EnableDos", c.dos);
        services.settings.WriteInt("Settings", "SaveHeader", c.header);
        Editor().modified = true;
        const std::string path = folder.Path() + "/saved.txf";
        ASSERT_TRUE(app::SaveTextFile(Editor(), path, Format()).ok);
        EXPECT_EQ(ReadBack(path), c.bytes);
        EXPECT_FALSE(Editor().modified);
    }
}

TEST_F(TextFileFixture, LoadThenSaveGivesTheSameBytesInBothModes)
{
    const std::string a = host->Glyphs("این یک آزمایش است"), b = host->Glyphs("کتاب");
    struct Case {
        int dos;
        std::string bytes;
    };
    const std::string header = "Kelmora : f[Homa] s[28] k[main.kbd]\r\n";
    const std::vector<Case> cases = {
        {0, header + a + "\r\n" + b},
        {0, header + a + "\r\n\r\n" + b + "\r\n"},
        {1, header + std::string(80 - a.size(), ' ') + a + "\r\n" + std::string(80 - b.size(), ' ') + b},
        {1, header + a + "\r\n" + b}, // left-aligned lines stay left-aligned
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dos);
        services.settings.WriteInt("Settings", "EnableDos", c.dos);
        const std::string path = folder.Write("round.txf", c.bytes);
        ASSERT_TRUE(app::LoadTextFile(Editor(), path, Format()));
        ASSERT_TRUE(app::SaveTextFile(Editor(), path, Format()).ok);
        EXPECT_EQ(ReadBack(path), c.bytes);
    }
}

TEST_F(TextFileFixture, WrappedDisplayLinesAreSavedAsLinesAndLongLinesWhole)
{
    services.settings.WriteInt("Settings", "EnableDos", 0);
    services.settings.WriteInt("Settings", "SaveHeader", 0);
    std::string paragraph;
    for (int i = 0; i < 100; ++i)
        paragraph += (i ? " " : "") + host->Glyphs("کلمه");
    host->Type(paragraph);

    const std::string path = folder.Path() + "/wide.txf";
    ASSERT_TRUE(app::SaveTextFile(Editor(), path, Format()).ok);
    EXPECT_EQ(ReadBack(path), paragraph);

    const std::string longLine(1000, host->Glyphs("ب")[0]);
    host->Type(longLine);
    ASSERT_TRUE(app::SaveTextFile(Editor(), path, Format()).ok);
    EXPECT_EQ(ReadBack(path), longLine); // no 400-character cut

    fakes::FakeDocumentHost narrow(200);
    narrow.Type(paragraph);
    ASSERT_GT(narrow.editor.Window().GetLineCount(), 1);
    ASSERT_TRUE(app::SaveTextFile(narrow.editor, path, Format()).ok);
    std::string expected;
    for (int line = 0; line < narrow.editor.Window().GetLineCount(); ++line) {
        std::string piece = narrow.editor.Window().GetLine(line);
        piece.erase(0, piece.find_first_not_of(' ') == std::string::npos ? piece.size() : piece.find_first_not_of(' '));
        expected += (line ? "\r\n" : "") + piece;
    }
    EXPECT_EQ(ReadBack(path), expected);
    EXPECT_NE(expected.find("\r\n"), std::string::npos);
}

TEST_F(TextFileFixture, FailedSaveKeepsModifiedAndTheOldFile)
{
    const std::string path = folder.Write("letter.txf", "precious old text");
    host->Type(host->Glyphs("متن تازه‌ای که نوشته شد"));
    platform::FileResult tooLarge;
    {
        fakes::FileSizeLimit limit(8); // the new text cannot be written, not even to a temporary file
        tooLarge = app::SaveTextFile(Editor(), path, Format());
    }
    EXPECT_FALSE(tooLarge.ok);
    EXPECT_EQ(tooLarge.error, "File too large");
    EXPECT_TRUE(Editor().modified);
    EXPECT_EQ(ReadBack(path), "precious old text");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2); // KeyMaps, letter.txf

    const platform::FileResult intoFolder = app::SaveTextFile(Editor(), folder.KeyMapsPath(), Format());
    EXPECT_FALSE(intoFolder.ok);
    EXPECT_EQ(intoFolder.error, "Is a directory");
    EXPECT_TRUE(Editor().modified);
    EXPECT_TRUE(services.messages.shown.empty()); // reporting is the command's business
}

TEST_F(TextFileFixture, TextAfterAnEndMarkIsCountedSoTheUserCanBeTold)
{
    const std::string word = host->Glyphs("پایان");
    const app::LoadedFile withTail = app::LoadTextFile(Editor(), folder.Write("tail.txf", word + "\x1a" "hidden"), Format());
    ASSERT_TRUE(withTail);
    EXPECT_EQ(withTail.bytesAfterEndMark, 6u);
    EXPECT_EQ(host->Text(), word);
    const app::LoadedFile padded = app::LoadTextFile(Editor(), folder.Write("pad.txf", word + "\x1a\x1a"), Format());
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded.bytesAfterEndMark, 0u);
    EXPECT_TRUE(services.messages.shown.empty()); // the document commands tell the user
}

} // namespace
