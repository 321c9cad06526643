// kelmora-convert --out-dir run as a program on folders of real Persian documents, each result
// checked against converting that file alone.
#include "platform/TextMode.h"
#include "tests/cli/ProgramFixture.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

const std::vector<std::string> Texts = {
    "سلام دنیا\r\nمی‌خواهم کتاب را ۲ بار بخوانم.",
    "لاله‌ها در باغ شکفته‌اند؟\r\n\r\nباران می‌بارد",
    "شب است و ماه در آسمان",
};

class BatchCommandTest : public ProgramFixture {
protected:
    static ToolRun Run(const std::vector<std::string>& args) { return RunProgram("kelmora-convert", args); }
    /// The documents of Texts in main.kbd, without header; their paths.
    std::vector<std::string> MainDocuments(const std::string& header = "")
    {
        std::vector<std::string> paths;
        for (size_t i = 0; i < Texts.size(); ++i)
            paths.push_back(Write("in/doc" + std::to_string(i) + ".txt", header + fakes::Glyphs("main.kbd", Texts[i])));
        return paths;
    }
};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(BatchCommandTest, EachFileMatchesConvertingItAlone)
{
    const std::vector<std::string> files = MainDocuments();
    const ToolRun r = Run(Join({"--from", "main.kbd", "--to", "kolb.kbd", "--out-dir", Path("out")}, files));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string alone = Path("alone" + std::to_string(i));
        const ToolRun single = Run({"--from", "main.kbd", "--to", "kolb.kbd", files[i], alone});
        ASSERT_EQ(single.status, 0) << single.err;
        EXPECT_EQ(Read(Path("out/doc" + std::to_string(i) + ".txt")), Read(alone)) << i;
        EXPECT_EQ(Read(alone), fakes::Glyphs("kolb.kbd", Texts[i]));
    }
}

TEST_F(BatchCommandTest, HeaderNamesTheSourceAndUnicodeComesOut)
{
    const std::vector<std::string> files = MainDocuments("Kelmora : f[nasim web homa] s[24] k[main.kbd]\r\n");
    const ToolRun r = Run(Join({"--to-unicode", "--suffix", ".utf8", "--verbose", "--out-dir", Path("uni")}, files));
    EXPECT_EQ(r.status, 0) << r.err;
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(Read(Path("uni/doc" + std::to_string(i) + ".utf8")), Texts[i]);
    // One summary line per file with --verbose.
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), static_cast<long>(files.size())) << r.err;
    EXPECT_NE(r.err.find("doc0.txt -> " + Path("uni/doc0.utf8")), std::string::npos) << r.err;
}

TEST_F(BatchCommandTest, FaceSizeAndDosLayoutGoIntoTheDocuments)
{
    const std::string in = Write("u.txt", "شب است");
    const ToolRun r = Run({"--from-unicode", "--to", "kolb.kbd", "--face", "Iran System", "--size", "30", "--dos",
                           "--suffix", ".txf", "--out-dir", Path("docs"), in});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string glyphs = fakes::Glyphs("kolb.kbd", "شب است");
    EXPECT_EQ(Read(Path("docs/u.txf")),
              "Kelmora : f[Iran System] s[30] k[kolb.kbd]\r\n" + std::string(80 - glyphs.size(), ' ') + glyphs);
}

TEST_F(BatchCommandTest, FailedFilesAreCountedAndTheOthersWritten)
{
    std::vector<std::string> files = MainDocuments();
    files.insert(files.begin() + 1, Path("in/missing.txt"));
    const ToolRun r = Run(Join({"--from", "main.kbd", "--to", "ziba2.kbd", "--out-dir", Path("out")}, files));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.txt: skipped, cannot be read"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("1 of 4 files failed"), std::string::npos) << r.err;
    EXPECT_EQ(Read(Path("out/doc2.txt")), fakes::Glyphs("ziba2.kbd", Texts[2]));

    // Latin letters ziba2.kbd cannot hold: written, status 3, the file named.
    const std::string latin = Write("latin.txt", "سلام abc");
    const ToolRun lossy = Run({"--from-unicode", "--to", "ziba2.kbd", "--out-dir", Path("out"), latin});
    EXPECT_EQ(lossy.status, 3);
    EXPECT_NE(lossy.err.find("latin.txt -> " + Path("out/latin.txt") + ": 3 characters"), std::string::npos) << lossy.err;
}

TEST_F(BatchCommandTest, UserKeymapsAreFoundByNameAndHeadersNameNoPaths)
{
    // The user's own keymap (here a copy of kolb.kbd under another name), as Dorvantile saves it,
    // in the data folder the program run sees (this test process has the toolkit's test paths).
    const QString userKeymaps = qEnvironmentVariable("XDG_DATA_HOME") + "/Kelmora/KeyMaps";
    ASSERT_TRUE(QDir().mkpath(userKeymaps));
    const std::string mine = userKeymaps.toStdString() + "/batchmine.kbd";
    ASSERT_TRUE(platform::WriteFileAtomically(mine, Read(fakes::BuildProgramFolder() + "/KeyMaps/kolb.kbd")).ok);
    const std::vector<std::string> files = MainDocuments();
    const ToolRun r = Run(Join({"--from", "main.kbd", "--to", "batchmine.kbd", "--no-header", "--out-dir", Path("out")}, files));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Read(Path("out/doc0.txt")), fakes::Glyphs("kolb.kbd", Texts[0]));

    const ToolRun detect = Run({"--detect", Path("out/doc0.txt")});
    EXPECT_EQ(detect.status, 0) << detect.err;
    // The copy and its original read the text alike; either is right, and the copy was a candidate.
    EXPECT_TRUE(detect.out.find("batchmine.kbd") != std::string::npos || detect.out.find("kolb.kbd") != std::string::npos)
        << detect.out;
    std::filesystem::remove(mine);

    // A document's header names a keymap file, not a path to one.
    const std::string stray = Write("in/stray.txt", "Kelmora : f[x] s[24] k[../KeyMaps/main.kbd]\r\n" +
                                                        fakes::Glyphs("main.kbd", Texts[0]));
    const ToolRun header = Run({"--to", "kolb.kbd", "--out-dir", Path("out2"), stray});
    EXPECT_EQ(header.status, 1);
    EXPECT_NE(header.err.find("not a keymap name"), std::string::npos) << header.err;
}

TEST_F(BatchCommandTest, UsageErrorsAndHelp)
{
    const std::vector<std::vector<std::string>> wrong = {
        {"--from", "main.kbd", "--to", "kolb.kbd", "--out-dir", Path("o")},           // no FILE
        {"--from", "main.kbd", "--out-dir", Path("o"), "a.txt"},                       // no destination
        {"--from-unicode", "--to-unicode", "--out-dir", Path("o"), "a.txt"},
        {"--from", "main.kbd", "--to", "kolb.kbd", "--frobnicate", "--out-dir", Path("o"), "a.txt"},
    };
    for (const auto& args : wrong)
        EXPECT_EQ(Run(args).status, 2) << args[0];
    EXPECT_NE(Run({"--help"}).out.find("--out-dir DIR FILE..."), std::string::npos);
}

} // namespace
