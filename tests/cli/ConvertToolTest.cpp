// Runs the built kelmora-convert on real files and pipes, as a script would.
#include "keymap/DocumentFormat.h"
#include "keymap/KeymapFile.h"
#include "platform/TextMode.h"
#include "tests/cli/ProgramFixture.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <QFileInfo>

#include <fstream>
#include <thread>

#include <sys/stat.h>

namespace {

const char* const Text = "سلام دنیا\r\nمی‌خواهم کتاب (بوف کور) را ۲ بار بخوانم.\r\nلاله‌ها در باغ شکفته‌اند؟\r\n";

class ConvertToolTest : public ProgramFixture {
protected:
    static ToolRun Convert(const std::vector<std::string>& args, const std::string& input = "")
    {
        return RunProgram("kelmora-convert", args, input, 30000);
    }
};

} // namespace

TEST_F(ConvertToolTest, ConvertsRealTextBetweenTheThreeKeymapsAndUnicode)
{
    const std::string in = Write("text.txt", Text);
    const std::vector<std::vector<std::string>> steps = {
        {"--from-unicode", "--to", "main.kbd", in, Path("a.main")},
        {"--from", "main.kbd", "--to", "kolb.kbd", Path("a.main"), Path("a.kolb")},
        {"--from", "kolb.kbd", "--to", "ziba2.kbd", Path("a.kolb"), Path("a.ziba2")},
        {"--from", "ziba2.kbd", "--to", "main.kbd", Path("a.ziba2"), Path("b.main")},
        {"--from", "ziba2.kbd", "--to-unicode", Path("a.ziba2"), Path("back.txt")},
    };
    for (const auto& args : steps) {
        const ToolRun r = Convert(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(Read(Path("a.main")), fakes::Glyphs("main.kbd", Text));
    EXPECT_EQ(Read(Path("a.kolb")), fakes::Glyphs("kolb.kbd", Text));
    EXPECT_EQ(Read(Path("a.ziba2")), fakes::Glyphs("ziba2.kbd", Text));
    EXPECT_EQ(Read(Path("b.main")), Read(Path("a.main")));
    EXPECT_EQ(Read(Path("back.txt")), Text);
}

TEST_F(ConvertToolTest, ReadsStandardInputAndWritesStandardOutput)
{
    ToolRun r = Convert({"--from-unicode", "--to", "kolb.kbd"}, "سلام");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, fakes::Glyphs("kolb.kbd", "سلام"));
    r = Convert({"--from", "kolb.kbd", "--to-unicode", "-", "-"}, r.out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "سلام");
    // An empty input is an empty output.
    r = Convert({"--from", "main.kbd", "--to", "ziba2.kbd"}, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
}

TEST_F(ConvertToolTest, KeymapsAreFoundInTheGivenFolderOrByPath)
{
    QDir().mkpath(QString::fromStdString(Path("maps")));
    const std::string copy = Write("maps/mine.kbd", Read(fakes::BuildProgramFolder() + "/KeyMaps/ziba2.kbd"));
    ToolRun r = Convert({"--keymaps", Path("maps"), "--from-unicode", "--to", "mine.kbd"}, "کتاب");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, fakes::Glyphs("ziba2.kbd", "کتاب"));
    r = Convert({"--from-unicode", "--to", copy}, "کتاب");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, fakes::Glyphs("ziba2.kbd", "کتاب"));
    // Without --keymaps the folder beside the program is used, not the one given before.
    r = Convert({"--from-unicode", "--to", "mine.kbd"}, "کتاب");
    EXPECT_EQ(r.status, 1);
}

TEST_F(ConvertToolTest, ExitStatusTellsWhatHappened)
{
    const std::string notKeymap = Write("fake.kbd", std::string(100, 'x') + "\r\n");
    const std::string in = Write("in.txt", "سلام");
    struct Case {
        std::vector<std::string> args;
        std::string input;
        int status;
        std::string err; // a part of the error output
    };
    const Case cases[] = {
        {{"--help"}, "", 0, ""},
        {{"--version"}, "", 0, ""},
        {{}, "", 2, "--to or --to-unicode is needed"},
        {{"--to", "kolb.kbd"}, "abc", 1, "<stdin>: no source keymap: give --from"},
        {{"--from", "main.kbd", "--to", "kolb.kbd", "--dos"}, "", 2, "--dos reads a document for --to-unicode"},
        {{"--from", "main.kbd", "--to-unicode", "--keep-header"}, "", 2, "--keep-header keeps"},
        {{"--from", "main.kbd"}, "", 2, "--to or --to-unicode is needed"},
        {{"--from", "main.kbd", "--to"}, "", 2, "--to needs a value"},
        {{"--from-unicode", "--to-unicode"}, "", 2, "together convert nothing"},
        {{"--from", "main.kbd", "--from-unicode", "--to", "main.kbd"}, "", 2, "exclude each other"},
        {{"--from", "main.kbd", "--to", "kolb.kbd", "--fast"}, "", 2, "unknown option --fast"},
        {{"--from", "main.kbd", "--to", "kolb.kbd", "a", "b", "c"}, "", 2, "too many files"},
        {{"--from", "nosuch.kbd", "--to", "kolb.kbd"}, "", 1, "keymap: nosuch.kbd"},
        {{"--from", "main.kbd", "--to", notKeymap}, "", 1,
         "Error: Sorry that file is not a Dorvantile File !\nFile didn't loaded (" + notKeymap + ")"},
        {{"--from", "main.kbd", "--to", dir.path().toStdString()}, "", 1, "keymap: "},
        {{"--from", "main.kbd", "--to", "kolb.kbd", Path("missing.txt")}, "", 1, "missing.txt: cannot read"},
        {{"--from", "main.kbd", "--to", "kolb.kbd", dir.path().toStdString()}, "", 1, "is a folder"},
        {{"--from-unicode", "--to", "main.kbd", in}, "", 0, ""},
        {{"--from-unicode", "--to", "ziba2.kbd"}, "ok سلام", 3, "<stdin>: U+006F o has no glyph in ziba2.kbd: once, at 1:1\n"},
        {{"--from-unicode", "--to", "main.kbd"}, "تأثیر", 3, "U+0623 أ has no glyph in main.kbd; written as U+0627 ا"},
    };
    for (const Case& c : cases) {
        const ToolRun r = Convert(c.args, c.input);
        EXPECT_EQ(r.status, c.status) << testing::PrintToString(c.args) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << testing::PrintToString(c.args) << r.err;
        if (c.status == 2) {
            EXPECT_NE(r.err.find("Usage: kelmora-convert"), std::string::npos);
        }
    }
    EXPECT_NE(Convert({"--help"}).out.find("--to-unicode"), std::string::npos);
    EXPECT_EQ(Convert({"--version"}).out.rfind("kelmora-convert ", 0), 0u);
}

TEST_F(ConvertToolTest, EveryUnrepresentableCharacterIsListedAndTheRestWritten)
{
    const std::string in = Write("mixed.txt", "کتاب readme\nأ");
    const ToolRun r = Convert({"--verbose", "--from-unicode", "--to", "ziba2.kbd", in, Path("out.ziba2")});
    EXPECT_EQ(r.status, 3);
    // --verbose: every place, then each kind once and the total.
    for (const char* line : {":1:6: U+0072 r has no glyph in ziba2.kbd\n", ":1:11: U+0065 e has no glyph in ziba2.kbd\n",
                             ":2:1: U+0623 أ has no glyph in ziba2.kbd; written as U+0627 ا\n"})
        EXPECT_NE(r.err.find(in + line), std::string::npos) << line << "\n" << r.err;
    EXPECT_NE(r.err.find(in + ": U+0065 e has no glyph in ziba2.kbd: 2 times, at 1:7, 1:11\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(in + ": 7 characters not written as they were (6 kinds)\n"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 7 + 6 + 1);
    EXPECT_EQ(fakes::Unicode("ziba2.kbd", Read(Path("out.ziba2"))), "کتاب \nا");

    // --strict writes no letter as another.
    const ToolRun strict = Convert({"--strict", "--from-unicode", "--to", "ziba2.kbd", in});
    EXPECT_EQ(strict.status, 3);
    EXPECT_NE(strict.err.find(": U+0623 أ has no glyph in ziba2.kbd: once, at 2:1\n"), std::string::npos) << strict.err;
    EXPECT_EQ(fakes::Unicode("ziba2.kbd", strict.out), "کتاب \n");

    // Between fonts: Latin letters of main have no glyph in ziba2.
    const std::string glyphs = Write("latin.main", fakes::Glyphs("main.kbd", "ab سلام"));
    const ToolRun g = Convert({"--from", "main.kbd", "--to", "ziba2.kbd", glyphs});
    EXPECT_EQ(g.status, 3);
    EXPECT_NE(g.err.find("byte 0x61 (U+0061 a in main.kbd) has no glyph in ziba2.kbd: once, at 1:"), std::string::npos) << g.err;
    EXPECT_EQ(fakes::Unicode("ziba2.kbd", g.out), " سلام");

    // To Unicode: a byte that means nothing in the font is written as U+FFFD and listed.
    const ToolRun u = Convert({"--from", "ziba2.kbd", "--to-unicode"}, fakes::Glyphs("ziba2.kbd", "سلام") + "\n~");
    EXPECT_EQ(u.status, 3);
    EXPECT_EQ(u.out, "سلام\n\uFFFD");
    EXPECT_NE(u.err.find("<stdin>: byte 0x7E means nothing in ziba2.kbd; written as U+FFFD: once, at 2:1\n"), std::string::npos) << u.err;
}

TEST_F(ConvertToolTest, AFileFullOfUnwritableCharactersGivesAShortReport)
{
    // 60,000 lines with the same two characters the font lacks: two kinds, a total, nothing more.
    std::string text;
    for (int i = 0; i < 60000; ++i)
        text += "€ سلام ☺\n";
    const std::string in = Write("many.txt", text);
    const ToolRun r = Convert({"--from-unicode", "--to", "main.kbd", in, Path("out.main")});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "kelmora-convert: " + in + ": U+20AC € has no glyph in main.kbd: 60,000 times, first at 1:1, 2:1, 3:1\n" +
                         "kelmora-convert: " + in + ": U+263A ☺ has no glyph in main.kbd: 60,000 times, first at 1:8, 2:8, 3:8\n" +
                         "kelmora-convert: " + in + ": 120,000 characters not written as they were (2 kinds)\n");
    // --verbose lists every place.
    const ToolRun v = Convert({"--verbose", "--from-unicode", "--to", "main.kbd", in, Path("out.main")});
    EXPECT_EQ(std::count(v.err.begin(), v.err.end(), '\n'), 120000 + 3);
    EXPECT_NE(v.err.find(in + ":59999:8: U+263A ☺ has no glyph in main.kbd\n"), std::string::npos);
}

TEST_F(ConvertToolTest, AFailedRunLeavesTheOutputFileAsItWas)
{
    const std::string out = Write("out.txt", "previous content");
    const std::string in = Write("in.txt", "سلام");
    const std::vector<std::vector<std::string>> failing = {
        {"--from", "nosuch.kbd", "--to", "kolb.kbd", in, out},
        {"--from", "main.kbd", "--to", "kolb.kbd", Path("missing.txt"), out},
        {"--from-unicode", "--to", Write("bad.kbd", "not a keymap\n"), in, out},
    };
    for (const auto& args : failing) {
        EXPECT_EQ(Convert(args).status, 1);
        EXPECT_EQ(Read(out), "previous content");
    }
    // An output that cannot be created reports and writes nothing anywhere.
    const ToolRun r = Convert({"--from-unicode", "--to", "main.kbd", in, Path("no/such/folder/out.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos);
    // No temporary files are left beside the output.
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList({"bad.kbd", "in.txt", "out.txt"}));
    // Converting a file onto itself replaces it whole.
    EXPECT_EQ(Convert({"--from-unicode", "--to", "main.kbd", in, in}).status, 0);
    EXPECT_EQ(Read(in), fakes::Glyphs("main.kbd", "سلام"));
}

// A script may hand the tool pipes, as `kelmora-convert ... <(cat in.txt) >(gzip)` does: both are
// used as they are, read to the end and written into, and stay pipes.
TEST_F(ConvertToolTest, PipesAreReadToTheEndAndWrittenIntoNotReplaced)
{
    const std::string in = Path("in.fifo");
    const std::string out = Path("out.fifo");
    ASSERT_EQ(::mkfifo(in.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(out.c_str(), 0600), 0);
    std::thread feeder([&] { std::ofstream(in, std::ios::binary) << Text; });
    std::string received;
    std::thread drain([&] {
        std::ifstream o(out, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(o), {});
    });
    const ToolRun r = Convert({"--from-unicode", "--to", "main.kbd", in, out});
    feeder.join();
    drain.join();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(received, fakes::Glyphs("main.kbd", Text));
    for (const std::string& fifo : {in, out}) {
        struct stat st {};
        ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << fifo;
    }
}

// A keymap is a file in a folder: a FIFO nobody writes is refused, not waited for.
TEST_F(ConvertToolTest, AFifoNamedAsAKeymapIsRefusedAtOnce)
{
    const std::string fifo = Path("main.kbd");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const ToolRun r = Convert({"--from", fifo, "--to", "kolb.kbd", Write("in.txt", "x"), Path("out.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("keymap"), std::string::npos) << r.err;
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Path("out.txt"))));
}

namespace {

struct FixtureLines : keymap::DocumentLines {
    std::vector<std::string> lines;
    size_t Count() const override { return lines.size(); }
    std::string Line(size_t index) const override { return lines[index]; }
};

} // namespace

TEST_F(ConvertToolTest, ADocumentIsReadWithItsHeaderAndLayout)
{
    FixtureLines lines;
    for (const char* line : {"سلام دنیا", "کتاب را بخوان"})
        lines.lines.push_back(fakes::Glyphs("kolb.kbd", line));
    const std::string headerLine = keymap::FormatHeaderLine("Nazanin", 22, "kolb.kbd");
    const std::string plain = Write("plain.txf", keymap::EncodeDocument(lines, false, headerLine));
    const std::string dos = Write("dos.txf", keymap::EncodeDocument(lines, true, headerLine));
    ASSERT_EQ(Read(dos).find(std::string(40, ' ')), headerLine.size() + 2) << "the fixture is padded";

    // To Unicode: the header is not text and names the source; --dos takes the padding off.
    for (const auto& args : {std::vector<std::string>{"--to-unicode", plain},
                             std::vector<std::string>{"--to-unicode", "--dos", dos},
                             std::vector<std::string>{"--from", "kolb.kbd", "--to-unicode", "--dos", dos}}) {
        const ToolRun r = Convert(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "سلام دنیا\r\nکتاب را بخوان") << testing::PrintToString(args);
    }
    // Glyph to glyph: the header is dropped, or written through as it was with --keep-header.
    const std::string inMain = fakes::Glyphs("main.kbd", "سلام دنیا\r\nکتاب را بخوان");
    ToolRun r = Convert({"--to", "main.kbd", plain});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, inMain);
    r = Convert({"--to", "main.kbd", "--keep-header"}, Read(plain));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, headerLine + "\r\n" + inMain);

    // A header naming a keymap that is not there, or a path, is refused and nothing is written.
    for (const std::string& name : {std::string("nosuch.kbd"), std::string("/etc/passwd")}) {
        const std::string bad = Write("bad.txf", keymap::FormatHeaderLine("Nazanin", 22, name) + "\r\nabc\r\n");
        r = Convert({"--to-unicode", bad, Path("out.txt")});
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Path("out.txt"))));
    }
}

TEST_F(ConvertToolTest, DetectNamesTheKeymapThatWroteEachFile)
{
    const std::string text = "باران بر باغ می‌بارد و گل‌ها در نور صبح شکفته‌اند\r\n"
                             "کتاب کهنه را از قفسه برداشتم و تا شب خواندم\r\n"
                             "دریا آرام بود و ماهیگیران به خانه برگشتند";
    std::string list = "20\n";
    for (const char* word : {"باران", "بر", "باغ", "میبارد", "و", "گلها", "در", "نور", "صبح", "شکفتهاند", "کتاب",
                             "کهنه", "را", "از", "قفسه", "برداشتم", "تا", "شب", "خواندم", "دریا", "آرام", "بود",
                             "ماهیگیران", "به", "خانه", "برگشتند"})
        list += std::string(word) + "/X\n";
    const std::string words = Write("fa.dic", list);
    std::vector<std::string> args = {"--words", words, "--detect"};
    for (const char* name : {"main.kbd", "kolb.kbd", "ziba2.kbd"})
        args.push_back(Write(std::string("in-") + name, fakes::Glyphs(name, text)));
    // A header decides even over text in another keymap.
    args.push_back(Write("header.txf", keymap::FormatHeaderLine("Nazanin", 22, "ziba2.kbd") + "\r\n" +
                                           fakes::Glyphs("main.kbd", text)));
    std::string noise;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 4096; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise.push_back(static_cast<char>(seed >> 24));
    }
    args.push_back(Write("noise.bin", noise));

    const ToolRun r = Convert(args);
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = r.out.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(r.out.substr(start, end - start));
    ASSERT_EQ(lines.size(), 5u) << r.out;
    for (size_t i = 0; i < 3; ++i) {
        const std::string name = std::vector<std::string>{"main.kbd", "kolb.kbd", "ziba2.kbd"}[i];
        EXPECT_NE(lines[i].find(": " + name + " (confidence 0.9"), std::string::npos) << lines[i];
        EXPECT_NE(lines[i].find("by Persian words"), std::string::npos) << lines[i];
    }
    EXPECT_NE(lines[3].find(": ziba2.kbd (confidence 1.00, from its header)"), std::string::npos) << lines[3];
    const double noiseConfidence = std::stod(lines[4].substr(lines[4].find("confidence ") + 11));
    EXPECT_LT(noiseConfidence, 0.3) << lines[4];

    // Without a word list only byte coverage is scored, and the user is told.
    const ToolRun bare = Convert({"--words", Path("missing.dic"), "--detect", args[3]});
    EXPECT_EQ(bare.status, 0) << bare.err;
    EXPECT_NE(bare.err.find("no Persian word list at"), std::string::npos);
    EXPECT_NE(bare.out.find("by byte coverage only"), std::string::npos) << bare.out;
    EXPECT_EQ(Convert({"--detect", Path("missing.txf")}).status, 1);
}
