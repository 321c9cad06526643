// Runs the built kelmora-poems on small collections and reads its files back as the editor does.
#include "extras/PoemLibrary.h"
#include "platform/TextMode.h"
#include "tests/cli/ProgramFixture.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PoemCompilerTest : public ProgramFixture {
protected:
    std::string err;

    int Compile(const std::string& collection)
    {
        const ToolRun r = RunProgram("kelmora-poems", {Write("in.txt", collection), dir.path().toStdString()}, "", 30000);
        err = r.err;
        return r.status;
    }
};

TEST_F(PoemCompilerTest, CompiledCollectionReadsBackPoemByPoem)
{
    std::string fortyNine;
    for (int i = 0; i < 49; ++i)
        fortyNine += "ب";
    const std::string collection = "\xEF\xBB\xBF"
                                   "باران به باغ آمد\r\n"
                                   "گل از خواب برخاست\r\n"
                                   "\r\n\r\n"
                                   "  دل من ز شادی پر است  \n" +
                                   fortyNine + "\n" +
                                   "بیا تا بخوانیم\n"
                                   "که شب رفت\n";
    ASSERT_EQ(Compile(collection), 0) << err;

    extras::PoemLibrary library;
    ASSERT_TRUE(library.Open(dir.path().toStdString())) << library.FailedPath();
    ASSERT_EQ(library.Count(), 2);
    extras::Poem poem;
    ASSERT_TRUE(library.LoadPoem(1, poem));
    EXPECT_EQ(fakes::Unicode("ziba2.kbd", poem.text), "باران به باغ آمد\r\nگل از خواب برخاست\r\n");
    ASSERT_TRUE(library.LoadPoem(2, poem));
    ASSERT_EQ(poem.LineCount(), 4);
    EXPECT_EQ(poem.Lines(1, 2), fakes::Glyphs("ziba2.kbd", fortyNine) + "\r\n") << "49 glyphs fit whole";
    EXPECT_EQ(fakes::Unicode("ziba2.kbd", poem.Lines(0, 1)), "دل من ز شادی پر است\r\n");
    std::string records;
    ASSERT_TRUE(platform::ReadFileBytes(Path("rDivan.dta"), records).ok);
    EXPECT_EQ(records.size(), 3u * 102u);
}

TEST_F(PoemCompilerTest, ReportsLongHalfLinesAndCharactersWithoutGlyphsAndWritesNothing)
{
    std::string fifty;
    for (int i = 0; i < 50; ++i)
        fifty += "ب";
    const std::string collection = "باران به باغ آمد\n" + fifty + "\n\n  سلام 中 دنیا\nگل\nتنها\n";
    EXPECT_EQ(Compile(collection), 1);
    const std::string in = Path("in.txt");
    EXPECT_NE(err.find(in + ":2:0: half-line of 50 glyphs; at most 49 fit"), std::string::npos) << err;
    EXPECT_NE(err.find(in + ":4:8: character U+4E2D has no glyph in the poem keymap"), std::string::npos) << err;
    EXPECT_NE(err.find(in + ":4:0: poem with an odd number of half-lines"), std::string::npos) << err;
    EXPECT_FALSE(platform::FileExists(Path("QIndex.dat")));
    EXPECT_FALSE(platform::FileExists(Path("rDivan.dta")));

    EXPECT_EQ(Compile("\n\n"), 1);
    EXPECT_NE(err.find("no poems"), std::string::npos) << err;
}

TEST_F(PoemCompilerTest, ShippedCollectionIsInTheProgramFolder)
{
    extras::PoemLibrary library;
    ASSERT_TRUE(library.Open(fakes::BuildProgramFolder())) << library.FailedPath();
    for (int n = 1; n <= library.Count(); ++n) {
        extras::Poem poem;
        ASSERT_TRUE(library.LoadPoem(n, poem)) << n;
        EXPECT_GT(poem.LineCount(), 0) << n;
        EXPECT_EQ(poem.LineCount() % 2, 0) << n;
    }
}

} // namespace
