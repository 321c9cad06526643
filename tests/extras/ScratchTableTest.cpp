// The scratch table's file and its three lists: short and hostile files, the prefix search, adding
// a face already present, deleting at both ends.
#include "extras/ScratchTable.h"

#include "platform/TextMode.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using extras::ScratchEntry;

TEST(ScratchTableTest, ParsesCountsAndShortFiles)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<ScratchEntry> expected;
    };
    const std::vector<Case> cases = {
        {"one entry", "1\nnasim web homa\nmain.kbd\n16\n", {{"nasim web homa", "main.kbd", "16"}}},
        {"short last entry keeps its empty size", "2\nA\na.kbd\n12\nB\nb.kbd",
         {{"A", "a.kbd", "12"}, {"B", "b.kbd", ""}}},
        {"a huge count stops at the end of the file", "100000\nA\na.kbd\n12\n", {{"A", "a.kbd", "12"}}},
        {"count with blanks and sign", "  +1\nA\na.kbd\n9", {{"A", "a.kbd", "9"}}},
        {"zero count", "0\nA\na.kbd\n12\n", {}},
        {"negative count", "-4\nA\na.kbd\n12\n", {}},
        {"count that is no number", "many\nA\na.kbd\n12\n", {}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(extras::ParseScratchTable(c.text), c.expected) << c.name;
}

TEST(ScratchTableTest, LoadsTextModeAndSavesItBack)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/scratch.cfg";
    ASSERT_TRUE(platform::WriteFileAtomically(path, "2\r\nHoma\r\nmain.kbd\r\n24\r\nIran System\r\nkolb.kbd\r\n18\r\n\x1A" "5\r\n").ok);

    extras::ScratchTable table;
    ASSERT_TRUE(table.Load(path));
    EXPECT_EQ(table.Selected(), -1);
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.FaceNames(), (std::vector<std::string>{"Homa", "Iran System"}));
    EXPECT_EQ(table.KeymapNames(), (std::vector<std::string>{"main.kbd", "kolb.kbd"}));
    EXPECT_EQ(table.SizeTexts(), (std::vector<std::string>{"24", "18"}));

    ASSERT_TRUE(table.Save(path).ok);
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(path, bytes).ok);
    EXPECT_EQ(bytes, "2\r\nHoma\r\nmain.kbd\r\n24\r\nIran System\r\nkolb.kbd\r\n18\r\n");

    EXPECT_FALSE(table.Load(path + ".missing"));
    EXPECT_EQ(table.Count(), 0);
    EXPECT_FALSE(table.Save(dir.path().toStdString() + "/no/such/folder/scratch.cfg").ok);
}

TEST(ScratchTableTest, PrefixSearchStartsAfterTheFirstEntryAndWraps)
{
    const std::vector<std::string> faces = {"Homa", "Nazli", "homa bold", "Nazli"};
    EXPECT_EQ(extras::FindPrefix(faces, "HOMA"), 2); // index 0 is searched last
    EXPECT_EQ(extras::FindPrefix(faces, "nazli"), 1);
    EXPECT_EQ(extras::FindPrefix({"Homa"}, "homa"), 0);
    EXPECT_EQ(extras::FindPrefix(faces, "Zar"), -1);
    EXPECT_EQ(extras::FindPrefix({}, "Homa"), -1);
}

TEST(ScratchTableTest, AddingAPresentFaceUpdatesItsKeymapAndSize)
{
    extras::ScratchTable table;
    table.SetEntries({{"Homa", "main.kbd", "24"}, {"Nazli", "kolb.kbd", "18"}});
    EXPECT_EQ(table.Add("NAZLI", "ziba2.kbd", 30), 1);
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Entries()[1], (ScratchEntry{"Nazli", "ziba2.kbd", "30"}));

    EXPECT_EQ(table.Add("Zar", "main.kbd", 12), 2); // a new face is appended and selected
    EXPECT_EQ(table.Entries()[2], (ScratchEntry{"Zar", "main.kbd", "12"}));
    EXPECT_EQ(table.Selected(), 2);
}

TEST(ScratchTableTest, ALongerNameMetFirstMakesAddAppendAgain)
{
    extras::ScratchTable table;
    // The search starts at index 1, so "Homa Bold" is met before the exact "Homa" at index 0.
    table.SetEntries({{"Homa", "main.kbd", "24"}, {"Homa Bold", "main.kbd", "20"}});
    EXPECT_EQ(table.Add("Homa", "kolb.kbd", 16), 1);
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Entries()[0], (ScratchEntry{"Homa", "main.kbd", "24"}));
    EXPECT_EQ(table.Entries()[2], (ScratchEntry{"Homa", "kolb.kbd", "16"}));
}

TEST(ScratchTableTest, DeletingSelectsTheEntryThatMovesUp)
{
    extras::ScratchTable table;
    table.SetEntries({{"A", "a.kbd", "1"}, {"B", "b.kbd", "2"}, {"C", "c.kbd", "3"}});
    EXPECT_FALSE(table.DeleteSelected()); // nothing selected, nothing deleted
    EXPECT_EQ(table.Count(), 3);

    table.Select(0);
    ASSERT_TRUE(table.DeleteSelected());
    EXPECT_EQ(table.Selected(), 0);
    EXPECT_EQ(table.SelectedEntry()->faceName, "B");

    table.Select(1);
    ASSERT_TRUE(table.DeleteSelected());
    EXPECT_EQ(table.Selected(), -1); // the last one leaves no selection
    EXPECT_EQ(table.FaceNames(), std::vector<std::string>{"B"});
}

} // namespace
