// Batch conversion on folders of real Persian documents: each file keeps its own lines, unreadable
// and unwritable files are skipped and listed, a run stops between files, and UTF-8 on either side.
#include "tools/BatchConversion.h"

#include "keymap/DocumentFormat.h"
#include "platform/AtomicWriteSession.h"
#include "platform/TextMode.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <QDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using tools::BatchItem;
using tools::BatchOutcome;

const std::string Poem1 = "سلام دنیا\r\nمی‌خواهم کتاب را بخوانم";
const std::string Poem2 = "لاله‌ها در باغ شکفته‌اند\r\nباران می‌بارد";

struct BatchFixture : ::testing::Test {
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    std::string source;
    std::string destination;

    void SetUp() override
    {
        for (const char* name : {"main.kbd", "kolb.kbd", "ziba2.kbd"})
            folder.InstallKeymap(name);
        source = folder.Path() + "/in";
        destination = folder.Path() + "/out";
        QDir().mkpath(QString::fromStdString(source));
        QDir().mkpath(QString::fromStdString(destination));
    }
    std::string Document(const std::string& keymapName, const std::string& utf8, const std::string& header = "") const
    {
        return header + fakes::Glyphs(keymapName, utf8);
    }
    static std::string Read(const std::string& path)
    {
        std::string bytes;
        EXPECT_TRUE(platform::ReadFileBytes(path, bytes).ok) << path;
        return bytes;
    }
    static tools::BatchOptions MainToKolb()
    {
        tools::BatchOptions o;
        o.sourceKeymap = "main.kbd";
        o.destinationKeymap = "kolb.kbd";
        o.faceName = "Iran System";
        o.size = 18;
        return o;
    }
    std::vector<BatchItem> Items(const std::string& from = "*.txt", const std::string& to = "*.txf") const
    {
        return tools::BatchItems(tools::ListBatchTitles(source, from), source, from, destination, to);
    }
};

TEST_F(BatchFixture, ConvertsEachFileWithTheChosenHeaderAndKeepsItsLines)
{
    folder.Write("in/one.txt", Document("main.kbd", Poem1, "Kelmora : f[nasim web homa] s[24] k[main.kbd]\r\n"));
    // A line far wider than any window: a wrapping buffer would break it into several.
    std::string longLine;
    for (int i = 0; i < 60; ++i)
        longLine += i == 0 ? "باران می‌بارد" : " باران می‌بارد";
    folder.Write("in/two.txt", Document("main.kbd", Poem2 + "\r\n" + longLine));

    const tools::BatchReport report = tools::BatchConvert(MainToKolb(), Items());
    EXPECT_EQ(report.converted, 2u);
    EXPECT_TRUE(report.notes.empty());
    EXPECT_EQ(tools::BatchReportText(report), "");
    const std::string header = "Kelmora : f[Iran System] s[18] k[kolb.kbd]\r\n";
    EXPECT_EQ(Read(destination + "/one.txf"), header + fakes::Glyphs("kolb.kbd", Poem1));
    EXPECT_EQ(Read(destination + "/two.txf"), header + fakes::Glyphs("kolb.kbd", Poem2 + "\r\n" + longLine));
}

TEST_F(BatchFixture, NamesSuffixesAndSortedTitles)
{
    for (const char* name : {"b.txt", "A.txt", "a.b.txt", "c.text", "d.txf"})
        folder.Write(std::string("in/") + name, "x");
    QDir().mkpath(QString::fromStdString(source + "/folder.txt"));
    EXPECT_EQ(tools::ListBatchTitles(source, "*.txt"), (std::vector<std::string>{"A", "a.b", "b"}));
    EXPECT_EQ(tools::BatchSuffix("*.txt"), ".txt");
    EXPECT_EQ(tools::BatchSuffix("*.text"), "text");
    EXPECT_EQ(tools::TitleOf("a.b.txt"), "a.b");
    EXPECT_EQ(tools::TitleOf("README"), "README");

    const auto items = Items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1], (BatchItem{source + "/a.b.txt", destination + "/a.b.txf"}));

    // "*.text" keeps "text" as the suffix, so the source paths do not exist and are reported.
    const auto texts = Items("*.text");
    ASSERT_EQ(texts, (std::vector<BatchItem>{{source + "/ctext", destination + "/c.txf"}}));
    const tools::BatchReport report = tools::BatchConvert(MainToKolb(), texts);
    EXPECT_EQ(report.failed, 1u);
    EXPECT_EQ(report.notes[0].result.outcome, BatchOutcome::Unreadable);

    EXPECT_TRUE(tools::ListBatchTitles(folder.Path() + "/empty", "*.txt").empty());
    EXPECT_TRUE(tools::ListBatchTitles("", "*.txt").empty());
}

TEST_F(BatchFixture, SameFolderAndSuffixConvertsInPlace)
{
    folder.Write("in/one.txt", Document("main.kbd", Poem1));
    tools::BatchOptions o = MainToKolb();
    o.header = tools::HeaderChoice::Omit;
    const auto items = tools::BatchItems(tools::ListBatchTitles(source, "*.txt"), source, "*.txt", source, "*.txt");
    const tools::BatchReport report = tools::BatchConvert(o, items);
    EXPECT_EQ(report.converted, 1u);
    EXPECT_EQ(Read(source + "/one.txt"), fakes::Glyphs("kolb.kbd", Poem1));
}

TEST_F(BatchFixture, AnUnreadableFileIsSkippedAndTheNextKeepsItsOwnText)
{
    folder.Write("in/a.txt", Document("main.kbd", Poem1));
    folder.Write("in/c.txt", Document("main.kbd", Poem2));
    std::vector<BatchItem> items = Items();
    items.insert(items.begin() + 1, BatchItem{source + "/b.txt", destination + "/b.txf"}); // gone since listing
    QDir().mkpath(QString::fromStdString(source + "/d.txt"));                                // a folder
    items.push_back({source + "/d.txt", destination + "/d.txf"});
    items.push_back({"/dev/zero", destination + "/zero.txf"}); // endless

    const tools::BatchReport report = tools::BatchConvert(MainToKolb(), items);
    EXPECT_EQ(report.converted, 2u);
    EXPECT_EQ(report.failed, 3u);
    EXPECT_FALSE(platform::FileExists(destination + "/b.txf"));
    EXPECT_FALSE(platform::FileExists(destination + "/zero.txf"));
    EXPECT_FALSE(platform::FileExists(destination + "/d.txf"));
    const std::string header = "Kelmora : f[Iran System] s[18] k[kolb.kbd]\r\n";
    EXPECT_EQ(Read(destination + "/c.txf"), header + fakes::Glyphs("kolb.kbd", Poem2));

    const std::string text = tools::BatchReportText(report);
    EXPECT_NE(text.find("2 files converted, 3 skipped"), std::string::npos) << text;
    EXPECT_NE(text.find("/dev/zero: skipped, is not a regular file"), std::string::npos) << text;
    EXPECT_NE(text.find(source + "/b.txt: skipped, cannot be read"), std::string::npos) << text;
    EXPECT_NE(text.find(source + "/d.txt: skipped, is a folder"), std::string::npos) << text;
}

TEST_F(BatchFixture, AnUnwritableDestinationIsListedAndTheOldFileKept)
{
    folder.Write("in/a.txt", Document("main.kbd", Poem1));
    folder.Write("in/b.txt", Document("main.kbd", Poem2));
    // A folder where b's result should go cannot be replaced by a file.
    QDir().mkpath(QString::fromStdString(destination + "/b.txf/kept"));
    const tools::BatchReport report = tools::BatchConvert(MainToKolb(), Items());
    EXPECT_EQ(report.converted, 1u);
    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_EQ(report.notes[0].item.source, source + "/b.txt");
    EXPECT_EQ(report.notes[0].result.outcome, BatchOutcome::Unwritable);
    EXPECT_TRUE(std::filesystem::is_directory(destination + "/b.txf/kept"));
    EXPECT_TRUE(platform::FileExists(destination + "/a.txf"));
}

TEST_F(BatchFixture, AFileThatCannotTakeItsNameWhenItsGroupIsCommittedIsListedAsSkipped)
{
    folder.Write("in/a.txt", Document("main.kbd", Poem1));
    folder.Write("in/b.txt", Document("main.kbd", Poem2));
    const std::vector<BatchItem> items = Items();
    tools::BatchConverter converter(MainToKolb());
    std::string error;
    ASSERT_TRUE(converter.Prepare(error)) << error;
    const tools::BatchFileResult a = converter.Convert(items[0]);
    EXPECT_EQ(a.outcome, BatchOutcome::Converted) << "written, waiting for its name";
    // Before a's result takes its name, a folder full of files does.
    QDir().mkpath(QString::fromStdString(destination + "/a.txf/kept"));
    const tools::BatchFileResult b = converter.Convert(items[1]);
    converter.Finish();

    const std::vector<tools::BatchReport::Entry> late = converter.TakeLateFailures();
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0].item, items[0]);
    EXPECT_EQ(late[0].result.outcome, BatchOutcome::Unwritable);
    EXPECT_TRUE(converter.TakeLateFailures().empty()) << "each told once";
    tools::BatchReport report;
    tools::Record(report, items[0], a);
    tools::Record(report, items[1], b);
    tools::RecordLateFailure(report, late[0]);
    EXPECT_EQ(report.converted, 1u);
    EXPECT_EQ(report.failed, 1u);
    const std::string text = tools::BatchReportText(report);
    EXPECT_NE(text.find("1 file converted, 1 skipped"), std::string::npos) << text;
    EXPECT_NE(text.find(source + "/a.txt: skipped, cannot be written to " + destination + "/a.txf"), std::string::npos) << text;
    EXPECT_TRUE(std::filesystem::is_directory(destination + "/a.txf/kept"));
    EXPECT_EQ(Read(destination + "/b.txf"), "Kelmora : f[Iran System] s[18] k[kolb.kbd]\r\n" + fakes::Glyphs("kolb.kbd", Poem2));
}

TEST_F(BatchFixture, ALateFailureAfterWholeGroupsOfFilesNamesItsOwnFile)
{
    // More files than one commit holds, so the first group is committed while the run goes on.
    const size_t count = platform::AtomicWriteSession::GroupFiles + 2;
    for (size_t i = 0; i < count; ++i)
        folder.Write("in/" + std::to_string(1000 + i) + ".txt", Document("main.kbd", Poem1));
    const std::vector<BatchItem> items = Items();
    ASSERT_EQ(items.size(), count);
    tools::BatchConverter converter(MainToKolb());
    std::string error;
    ASSERT_TRUE(converter.Prepare(error)) << error;
    for (const BatchItem& item : items)
        ASSERT_EQ(converter.Convert(item).outcome, BatchOutcome::Converted) << item.source;
    // The last file's result is still waiting: a folder takes its name first.
    QDir().mkpath(QString::fromStdString(items.back().destination + "/kept"));
    converter.Finish();
    const std::vector<tools::BatchReport::Entry> late = converter.TakeLateFailures();
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0].item, items.back());
    EXPECT_EQ(Read(items.front().destination), "Kelmora : f[Iran System] s[18] k[kolb.kbd]\r\n" + fakes::Glyphs("kolb.kbd", Poem1));
}

TEST_F(BatchFixture, AFileTheRunWroteIsReadAsItWasWritten)
{
    // a.txt becomes b.txt in kolb.kbd, then b.txt is read again: it must be the new b.txt,
    // although its name may not have been given to it yet.
    folder.Write("in/a.txt", Document("main.kbd", Poem1, "Kelmora : f[nasim web homa] s[24] k[main.kbd]\r\n"));
    folder.Write("in/b.txt", Document("main.kbd", Poem2, "Kelmora : f[nasim web homa] s[24] k[main.kbd]\r\n"));
    tools::BatchOptions o = MainToKolb();
    o.sourceKeymap.clear(); // each file's header names its keymap
    o.destinationKeymap = "ziba2.kbd";
    const std::vector<BatchItem> items = {{source + "/a.txt", source + "/b.txt"}, {source + "/b.txt", destination + "/b.txf"}};
    const tools::BatchReport report = tools::BatchConvert(o, items);
    EXPECT_EQ(report.converted, 2u);
    EXPECT_EQ(Read(destination + "/b.txf"), "Kelmora : f[Iran System] s[18] k[ziba2.kbd]\r\n" + fakes::Glyphs("ziba2.kbd", Poem1));
}

TEST_F(BatchFixture, EachFileKeepsOnlyItsOwnTextThoughTheBuffersAreShared)
{
    std::string longText = Poem2;
    for (int i = 0; i < 300; ++i)
        longText += "\r\nباران می‌بارد و لاله‌ها در باغ شکفته‌اند";
    folder.Write("in/a.txt", Document("main.kbd", longText));
    folder.Write("in/b.txt", Document("main.kbd", Poem1));
    folder.Write("in/c.txt", "");
    tools::BatchOptions o = MainToKolb();
    o.header = tools::HeaderChoice::Omit;
    const tools::BatchReport report = tools::BatchConvert(o, Items());
    EXPECT_EQ(report.converted, 3u);
    EXPECT_EQ(Read(destination + "/a.txf"), fakes::Glyphs("kolb.kbd", longText));
    EXPECT_EQ(Read(destination + "/b.txf"), fakes::Glyphs("kolb.kbd", Poem1));
    EXPECT_EQ(Read(destination + "/c.txf"), "");
}

TEST_F(BatchFixture, ARunStopsBetweenFilesAndKeepsWhatWasWritten)
{
    for (const char* name : {"a", "b", "c", "d"})
        folder.Write(std::string("in/") + name + ".txt", Document("main.kbd", Poem1));
    struct StopAfterTwo : tools::BatchObserver {
        bool FileStarting(size_t index, size_t, const BatchItem&) override { return index < 2; }
        void FileDone(size_t, const BatchItem&, const tools::BatchFileResult& r) override { done += r.outcome == BatchOutcome::Converted; }
        int done = 0;
    } observer;
    const tools::BatchReport report = tools::BatchConvert(MainToKolb(), Items(), &observer);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(observer.done, 2);
    EXPECT_TRUE(platform::FileExists(destination + "/b.txf"));
    EXPECT_FALSE(platform::FileExists(destination + "/c.txf"));
    EXPECT_NE(tools::BatchReportText(report).find("stopped before the end"), std::string::npos);
}

TEST_F(BatchFixture, AKeymapThatCannotBeLoadedConvertsNothing)
{
    folder.Write("in/a.txt", Document("main.kbd", Poem1));
    tools::BatchOptions o = MainToKolb();
    o.destinationKeymap = "missing.kbd";
    const tools::BatchReport report = tools::BatchConvert(o, Items());
    EXPECT_EQ(report.converted, 0u);
    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_EQ(report.notes[0].result.outcome, BatchOutcome::NoKeymap);
    EXPECT_FALSE(platform::FileExists(destination + "/a.txf"));
}

TEST_F(BatchFixture, TheHeaderNamesTheSourceKeymapWhenNoneIsGiven)
{
    folder.Write("in/a.txt", Document("ziba2.kbd", Poem1, "Kelmora : f[ziba] s[20] k[ziba2.kbd]\r\n"));
    folder.Write("in/b.txt", Document("main.kbd", Poem2));
    tools::BatchOptions o = MainToKolb();
    o.sourceKeymap.clear();
    const tools::BatchReport report = tools::BatchConvert(o, Items());
    EXPECT_EQ(report.converted, 1u);
    EXPECT_EQ(Read(destination + "/a.txf"), "Kelmora : f[Iran System] s[18] k[kolb.kbd]\r\n" + fakes::Glyphs("kolb.kbd", Poem1));
    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_EQ(report.notes[0].result.outcome, BatchOutcome::NoKeymap);
}

TEST_F(BatchFixture, DocumentsBecomeUtf8TextWithoutHeaderOrPadding)
{
    const std::string header = "Kelmora : f[nasim web homa] s[24] k[main.kbd]\r\n";
    folder.Write("in/a.txt", header + "   " + fakes::Glyphs("main.kbd", "سلام دنیا") + std::string(20, ' ') + "\r\n" +
                                 fakes::Glyphs("main.kbd", "می‌خواهم"));
    tools::BatchOptions o = MainToKolb();
    o.toUnicode = true;
    o.dos = tools::DosLayout::On;
    const tools::BatchReport report = tools::BatchConvert(o, Items("*.txt", "*.utf"));
    EXPECT_EQ(report.converted, 1u);
    EXPECT_EQ(Read(destination + "/a.utf"), "سلام دنیا\r\nمی‌خواهم");
}

TEST_F(BatchFixture, Utf8FilesBecomeDocumentsAndLostCharactersAreCounted)
{
    folder.Write("in/a.txt", "\xEF\xBB\xBF" "سلام دنیا\r\nبخوانم");
    folder.Write("in/b.txt", "سلام abc");
    tools::BatchOptions o;
    o.fromUnicode = true;
    o.destinationKeymap = "ziba2.kbd"; // holds no Latin letters
    o.faceName = "ziba";
    o.size = 20;
    o.dos = tools::DosLayout::On;
    const tools::BatchReport report = tools::BatchConvert(o, Items());
    EXPECT_EQ(report.converted, 2u);
    const std::string pad(80 - fakes::Glyphs("ziba2.kbd", "سلام دنیا").size(), ' ');
    const std::string pad2(80 - fakes::Glyphs("ziba2.kbd", "بخوانم").size(), ' ');
    EXPECT_EQ(Read(destination + "/a.txf"), "Kelmora : f[ziba] s[20] k[ziba2.kbd]\r\n" + pad +
                                                fakes::Glyphs("ziba2.kbd", "سلام دنیا") + "\r\n" + pad2 +
                                                fakes::Glyphs("ziba2.kbd", "بخوانم"));
    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_EQ(report.notes[0].item.source, source + "/b.txt");
    EXPECT_EQ(report.notes[0].result.unrepresentable, 3u);
    EXPECT_NE(tools::BatchReportText(report).find("b.txt: 3 characters the destination cannot hold"), std::string::npos);
}

TEST(BatchPatternTest, MatchesWildcards)
{
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {{"a.txt", "*.txt", true}, {"a.txt.bak", "*.txt", false}, {"a.TXT", "*.txt", false},
                          {"ab.txt", "?.txt", false}, {"a.txt", "?.txt", true}, {"a.b.c", "*.*", true},
                          {"x", "*", true}, {"", "*", true}, {"abc", "a*c*", true}, {"abd", "a*c", false}};
    for (const Case& c : cases)
        EXPECT_EQ(tools::MatchesPattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

} // namespace
