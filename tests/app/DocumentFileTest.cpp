// The document format without an edit control: header lines, DOS-mode columns, line ends, and
// the preview panel's texts.
#include "app/DocumentFile.h"
#include "keymap/DocumentFormat.h"

#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using app::DecodeDocument;
using app::DocumentHeader;

struct HeaderCase {
    const char* line;
    bool isHeader;
    const char* face;
    std::optional<int> size;
    const char* keymap;
};

TEST(ScanHeaderLine, SeventhCharacterDecidesAndFieldsAreTaken)
{
    const std::vector<HeaderCase> cases = {
        {"Kelmora : f[nasim web homa] s[24] k[main.kbd]", true, "nasim web homa", 24, "main.kbd"},
        {"Kelmora", true, "", std::nullopt, ""},               // the word alone is a header
        {"KelmoraXYZ", true, "", std::nullopt, ""},            // whatever follows
        {"Kelmora f[Titr] s[-12]", true, "Titr", -12, ""},     // missing keymap field
        {"Kelmora : f[a] s[12pt] k[kolb.kbd] trailing [x]", true, "a", 12, "kolb.kbd"},
        {"Kelmora : f[] s[] k[]", true, "", 0, ""},            // empty size reads as 0
        {"kelmora : f[a] s[1] k[b]", false, "", std::nullopt, ""}, // lower case
        {"Kelmor", false, "", std::nullopt, ""},               // six characters
        {"", false, "", std::nullopt, ""},
        {" Kelmora : f[a] s[1] k[b]", false, "", std::nullopt, ""},
        {"Kel[ora : f[a]", false, "", std::nullopt, ""},       // a bracket inside the word
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.line);
        DocumentHeader header;
        EXPECT_EQ(app::ScanHeaderLine(c.line, header), c.isHeader);
        if (!c.isHeader)
            continue;
        EXPECT_EQ(header.faceName, c.face);
        EXPECT_EQ(header.size, c.size);
        EXPECT_EQ(header.keymapName, c.keymap);
    }
}

TEST(ScanHeaderLine, FormattedHeaderScansBackAndKeymapScanAgrees)
{
    const std::string line = app::FormatHeaderLine("Nazli", 36, "ziba2.kbd");
    EXPECT_EQ(line, "Kelmora : f[Nazli] s[36] k[ziba2.kbd]");
    DocumentHeader header;
    ASSERT_TRUE(app::ScanHeaderLine(line, header));
    EXPECT_EQ(header.faceName, "Nazli");
    EXPECT_EQ(header.size, 36);
    std::string keymap;
    EXPECT_TRUE(app::ScanHeaderKeymap(line, keymap));
    EXPECT_EQ(keymap, "ziba2.kbd");
    keymap = "kept";
    EXPECT_FALSE(app::ScanHeaderKeymap("kelmora k[x]", keymap));
    EXPECT_EQ(keymap, "kept");
}

TEST(ScanHeaderLine, BracketsInAFieldNeverReachTheLine)
{
    struct Case {
        const char* face;
        const char* keymap;
        const char* readFace;
        const char* readKeymap;
    };
    const Case cases[] = {
        // A family installed twice is named with its foundry: the family alone is written.
        {"Homa [farsiweb]", "main.kbd", "Homa", "main.kbd"},
        {"Odd]Name[", "a[b].kbd", "OddName", "ab.kbd"},
    };
    for (const Case& c : cases) {
        const std::string line = app::FormatHeaderLine(c.face, 24, c.keymap);
        DocumentHeader header;
        ASSERT_TRUE(app::ScanHeaderLine(line, header)) << line;
        EXPECT_EQ(header.faceName, c.readFace) << line;
        EXPECT_EQ(header.size, 24) << line;
        EXPECT_EQ(header.keymapName, c.readKeymap) << line;
    }
}

struct DecodeCase {
    const char* name;
    std::string disk;
    bool dosMode;
    std::string text;
    bool header;
};

TEST(DecodeDocument, LinesEndsHeadersAndDosColumns)
{
    const std::string pad77(77, ' ');
    const std::vector<DecodeCase> cases = {
        {"empty file", "", false, "", false},
        {"empty file in DOS mode", "", true, "", false},
        {"header only", "Kelmora : f[a] s[9] k[main.kbd]\r\n", false, "", true},
        {"header without line end", "Kelmora : f[a] s[9] k[main.kbd]", true, "", true},
        {"header then text", "Kelmora : f[a] s[9] k[b]\r\nab\r\ncd", false, "ab\r\ncd", true},
        {"header not on the first line", "ab\r\nKelmora : f[a]", false, "ab\r\nKelmora : f[a]", false},
        {"trailing line end kept", "ab\r\n", false, "ab\r\n", false},
        {"lone LF is a line end, lone CR is text", "a\nb\rc", false, "a\r\nb\rc", false},
        {"0x1A ends the data", std::string("ab\r\ncd\x1a" "ef\r\ngh"), false, "ab\r\ncd", false},
        {"leading spaces go without DOS mode", "   ab  \r\n cd", false, "ab  \r\ncd", false},
        {"DOS mode pads short lines to 80", "abc", true, "abc" + pad77, false},
        {"DOS mode right-aligned line loads bare", pad77 + "abc", true, "abc", false},
        {"DOS mode empty last line trims back to empty", "abc\r\n", true, "abc" + pad77 + "\r\n", false},
        {"DOS mode long line untouched", std::string(85, 'x'), true, std::string(85, 'x'), false},
        {"every other byte passes", std::string("\x01\xff\x80\x7f", 4), false, std::string("\x01\xff\x80\x7f", 4), false},
    };
    // A batch decodes every file into the buffers of the one before; nothing of that may show.
    keymap::DecodedDocument reused;
    std::string scratch;
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const app::DecodedDocument document = DecodeDocument(c.disk, c.dosMode);
        EXPECT_EQ(document.text, c.text);
        EXPECT_EQ(document.header.has_value(), c.header);
        keymap::DecodeDocument(c.disk, c.dosMode, reused, scratch);
        EXPECT_EQ(reused.text, c.text);
        EXPECT_EQ(reused.header.has_value(), c.header);
    }
}

/// Display lines given as a list, standing in for an edit window.
struct ListLines : app::DocumentLines {
    std::vector<std::string> lines;
    explicit ListLines(std::vector<std::string> l) : lines(std::move(l)) {}
    size_t Count() const override { return lines.size(); }
    std::string Line(size_t i) const override { return lines[i]; }
};

struct EncodeCase {
    const char* name;
    std::vector<std::string> lines;
    bool dosMode;
    std::optional<std::string> header;
    std::string disk;
};

TEST(EncodeDocument, LeadingSpacesDosColumnsAndHeader)
{
    const std::string pad77(77, ' ');
    const std::string pad80(80, ' ');
    const std::vector<EncodeCase> cases = {
        {"nothing", {}, false, std::nullopt, ""},
        {"header then lines", {"ab", "cd"}, false, std::string("Kelmora : f[a] s[1] k[b]"),
         "Kelmora : f[a] s[1] k[b]\r\nab\r\ncd"},
        {"trailing spaces stay without DOS mode", {"  ab  ", ""}, false, std::nullopt, "ab  \r\n"},
        {"DOS: padded text saves bare", {"abc" + pad77}, true, std::nullopt, "abc"},
        {"DOS: bare text saves right-aligned", {"abc"}, true, std::nullopt, pad77 + "abc"},
        {"DOS: empty and blank lines become 80 spaces", {"", "    "}, true, std::nullopt, pad80 + "\r\n" + pad80},
        {"DOS: long line unchanged", {std::string(90, 'x')}, true, std::nullopt, std::string(90, 'x')},
        {"DOS: line of 79 measured before trimming", {"ab" + std::string(77, ' ')}, true, std::nullopt, " ab"},
    };
    std::string reused = "what the file before left";
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(app::EncodeDocument(ListLines(c.lines), c.dosMode, c.header), c.disk);
        // The same lines as one text, as a batch holds them: CR LF between them.
        std::string text;
        for (size_t i = 0; i < c.lines.size(); ++i)
            text += (i ? "\r\n" : "") + c.lines[i];
        keymap::EncodeDocumentText(text, c.dosMode, c.header, reused);
        EXPECT_EQ(reused, c.disk);
    }
}

TEST(EncodeDocument, DosModeRoundTripsBothWays)
{
    // A right-aligned file and a left-aligned one both survive a load and a save unchanged.
    const std::vector<std::string> files = {
        std::string(77, ' ') + "abc\r\n" + std::string(75, ' ') + "defgh",
        "abc\r\ndefgh",
    };
    for (const std::string& disk : files) {
        const std::string text = DecodeDocument(disk, true).text;
        std::vector<std::string> lines;
        for (size_t start = 0;;) {
            const size_t end = text.find("\r\n", start);
            lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos)
                break;
            start = end + 2;
        }
        EXPECT_EQ(app::EncodeDocument(ListLines(lines), true, std::nullopt), disk);
    }
}

TEST(FileSizeText, BytesBelow1024ElseKilobytes)
{
    const std::vector<std::pair<std::uint64_t, std::string>> cases = {
        {0, "0 Bytes (0 bytes)"},
        {512, "512 Bytes (512 bytes)"},
        {1023, "1023 Bytes (1023 bytes)"},
        {1024, "1.00KB (1024 bytes)"},
        {2048, "2.00KB (2048 bytes)"},
        {5000000000ULL, "4882812.50KB (5000000000 bytes)"}, // beyond 32 bits
    };
    for (const auto& [length, text] : cases)
        EXPECT_EQ(app::FileSizeText(length), text);
}

TEST(PreviewFile, SizeAndKeyboardOfTheSelectedFile)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    const std::string header = "Kelmora : f[Homa] s[24] k[kolb.kbd]\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        const char* size;
        const char* keyboard;
    };
    const std::vector<Case> cases = {
        {"doc.txf", header + std::string(512 - header.size(), 'a'), "512 Bytes (512 bytes)", "kolb.kbd"},
        {"DOC.TXT", header + std::string(2048 - header.size(), 'a'), "2.00KB (2048 bytes)", "kolb.kbd"},
        {"plain.txf", std::string(1023, 'a'), "1023 Bytes (1023 bytes)", "---"},
        {"other.dat", header, "37 Bytes (37 bytes)", "---"},
        // Only the first 200 bytes are read: a keymap field beyond them is not seen.
        {"long.txf", "Kelmora : f[" + std::string(200, 'a') + "] s[1] k[main.kbd]", "230 Bytes (230 bytes)", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto preview = app::PreviewFile(folder.Write(c.name, c.bytes));
        ASSERT_TRUE(preview.has_value());
        EXPECT_EQ(preview->sizeText, c.size);
        EXPECT_EQ(preview->keyboardText, c.keyboard);
    }
    EXPECT_FALSE(app::PreviewFile(folder.Path() + "/missing.txf").has_value());
    EXPECT_FALSE(app::PreviewFile(folder.KeyMapsPath()).has_value());
}

} // namespace
