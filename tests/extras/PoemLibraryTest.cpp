#include "extras/PoemLibrary.h"

#include "tests/fakes/PoemFixture.h"

#include <gtest/gtest.h>

namespace {

using extras::Poem;
using extras::PoemLibrary;

class PoemLibraryTest : public ::testing::Test {
protected:
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};

    Poem Load(int number)
    {
        PoemLibrary library;
        EXPECT_TRUE(library.Open(folder.Path())) << library.FailedPath();
        Poem poem;
        EXPECT_TRUE(library.LoadPoem(number, poem));
        return poem;
    }
};

TEST_F(PoemLibraryTest, FirstAndLastPoemOfAFullIndexReadTheirOwnCouplets)
{
    std::vector<std::vector<fakes::Couplet>> poems;
    for (int k = 1; k <= 496; ++k)
        poems.push_back({{"p" + std::to_string(k), "q" + std::to_string(k)}});
    poems.front().push_back({"x", "y"}); // poem 1: two couplets, from entry 0 alone
    poems.back().push_back({"z", "w"});  // poem 496: from entries 494 and 495
    fakes::WritePoems(folder, poems);

    PoemLibrary library;
    ASSERT_TRUE(library.Open(folder.Path()));
    EXPECT_EQ(library.Count(), 496);
    Poem poem;
    ASSERT_TRUE(library.LoadPoem(1, poem));
    EXPECT_EQ(poem.text, "p1\r\nq1\r\nx\r\ny\r\n");
    EXPECT_EQ(poem.lineEnds, (std::vector<std::size_t>{0, 4, 8, 11, 14}));
    ASSERT_TRUE(library.LoadPoem(496, poem));
    EXPECT_EQ(poem.text, "p496\r\nq496\r\nz\r\nw\r\n");
    ASSERT_TRUE(library.LoadPoem(250, poem));
    EXPECT_EQ(poem.text, "p250\r\nq250\r\n");
    EXPECT_FALSE(library.LoadPoem(0, poem));
    EXPECT_FALSE(library.LoadPoem(497, poem));
    EXPECT_EQ(poem.number, 250) << "a number outside the index leaves the poem as it was";
}

TEST_F(PoemLibraryTest, HalfLinesAreTakenWholeUpToAZeroWithoutTrailingSpaces)
{
    const std::string full(49, '\xC7');
    fakes::WritePoems(folder, {{{full, std::string(49, ' ')}, {"  ab  ", std::string("cd\0ef", 5)}}});
    const Poem poem = Load(1);
    EXPECT_EQ(poem.text, full + "\r\n\r\n  ab\r\ncd\r\n");
    EXPECT_EQ(poem.LineCount(), 4);
}

TEST_F(PoemLibraryTest, LongPoemsKeepEveryLineAndCountPast255)
{
    fakes::WritePoems(folder, {fakes::NumberedPoem(3), fakes::NumberedPoem(130)});
    const Poem poem = Load(2);
    ASSERT_EQ(poem.LineCount(), 260);
    EXPECT_EQ(poem.Lines(0, 2), "a1\r\nb1\r\n");
    EXPECT_EQ(poem.Lines(258, 260), "a130\r\nb130\r\n");
}

TEST_F(PoemLibraryTest, DamagedFilesAreRefusedNamingTheFileAtFault)
{
    const std::string good = fakes::CoupletRecord("a", "b") + fakes::CoupletRecord("c", "d");
    struct Case {
        const char* name;
        std::string index;   // empty with writeIndex false: missing
        std::string records;
        bool writeIndex;
        bool writeRecords;
        const char* faulty;
    };
    const Case cases[] = {
        {"missing index", "", good, false, true, "QIndex.dat"},
        {"empty index", "", good, true, true, "QIndex.dat"},
        {"odd length", fakes::IndexBytes({1, 2}) + "x", good, true, true, "QIndex.dat"},
        {"entries go backwards", fakes::IndexBytes({2, 1}), good, true, true, "QIndex.dat"},
        {"missing poems", fakes::IndexBytes({1, 2}), "", true, false, "rDivan.dta"},
        {"entry beyond the poems", fakes::IndexBytes({1, 3}), good, true, true, "rDivan.dta"},
        {"short last record", fakes::IndexBytes({1, 2}), good.substr(0, 203), true, true, "rDivan.dta"},
    };
    for (const Case& c : cases) {
        fakes::TempProgramFolder dir(services.settings);
        if (c.writeIndex)
            dir.Write("QIndex.dat", c.index);
        if (c.writeRecords)
            dir.Write("rDivan.dta", c.records);
        PoemLibrary library;
        EXPECT_FALSE(library.Open(dir.Path())) << c.name;
        EXPECT_EQ(library.FailedPath(), dir.Path() + "/" + c.faulty) << c.name;
        EXPECT_EQ(library.Count(), 0) << c.name;
        Poem poem;
        EXPECT_FALSE(library.LoadPoem(1, poem)) << c.name;
    }
}

TEST_F(PoemLibraryTest, APoemFileThatShrinksAfterOpeningIsReportedNotReadPast)
{
    fakes::WritePoems(folder, {fakes::NumberedPoem(2), fakes::NumberedPoem(2)});
    PoemLibrary library;
    ASSERT_TRUE(library.Open(folder.Path()));
    folder.Write("rDivan.dta", fakes::CoupletRecord("a", "b"));
    Poem poem;
    EXPECT_FALSE(library.LoadPoem(2, poem));
    EXPECT_EQ(library.FailedPath(), folder.Path() + "/rDivan.dta");
    EXPECT_EQ(poem.LineCount(), 0);
}

} // namespace
