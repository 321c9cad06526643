#include "tools/WordStatistics.h"

#include "tests/fakes/RecordingProgress.h"
#include "tests/fakes/ScriptedKeyState.h"
#include "tests/tools/ToolsFixture.h"

#include <cstdio>
#include <random>

using tools::RankedWord;
using tools::StatisticsOutcome;

namespace {

class RecordingCaption : public tools::CaptionHolder {
public:
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override
    {
        caption = c;
        history.push_back(c);
    }
    std::string caption = "UnTitled.txf - Kelmora";
    std::vector<std::string> history;
};

std::vector<std::pair<std::string, long>> CountsOf(const tools::StatisticsResult& result)
{
    std::vector<std::pair<std::string, long>> out;
    for (const RankedWord& w : result.words)
        out.emplace_back(w.word, w.count);
    return out;
}

tools::StatisticsResult Collect(std::string_view text, long keysHeldFromPoll = -1)
{
    const fakes::ScriptedKeyState keys(keysHeldFromPoll);
    return tools::CollectWordStatistics(text, keys, nullptr, nullptr);
}

/// The counting as first described: a list of distinct words searched from the top for every
/// word, then a repeated search for the highest count that prefers the later entry on ties.
std::vector<std::pair<std::string, long>> ReferenceCounts(const std::string& text)
{
    std::vector<std::string> words;
    std::vector<long> counts;
    std::string current;
    auto count = [&] {
        if (current.empty())
            return;
        size_t i = 0;
        while (i < words.size() && words[i] != current)
            ++i;
        if (i == words.size()) {
            words.push_back(current);
            counts.push_back(1);
        } else {
            ++counts[i];
        }
        current.clear();
    };
    for (const char ch : text) {
        const unsigned char b = static_cast<unsigned char>(ch);
        if ((b >= 65 && b <= 122) || b >= 141)
            current += ch;
        else if (b != 139)
            count();
    }
    count();
    std::vector<std::pair<std::string, long>> out;
    while (!words.empty()) {
        size_t best = 0;
        for (size_t k = 0; k < words.size(); ++k)
            if (counts[k] >= counts[best])
                best = k;
        out.emplace_back(words[best], counts[best]);
        words.erase(words.begin() + static_cast<long>(best));
        counts.erase(counts.begin() + static_cast<long>(best));
    }
    return out;
}

} // namespace

TEST(WordStatisticsTest, ByteClasses)
{
    struct Case { int byte; tools::ByteClass cls; };
    const Case cases[] = {{0, tools::ByteClass::Boundary},   {64, tools::ByteClass::Boundary},
                          {65, tools::ByteClass::Word},      {122, tools::ByteClass::Word},
                          {123, tools::ByteClass::Boundary}, {138, tools::ByteClass::Boundary},
                          {139, tools::ByteClass::Ignored},  {140, tools::ByteClass::Boundary},
                          {141, tools::ByteClass::Word},     {255, tools::ByteClass::Word}};
    for (const Case& c : cases)
        EXPECT_EQ(tools::ClassOf(static_cast<unsigned char>(c.byte)), c.cls) << c.byte;
}

TEST(WordStatisticsTest, EdgeCasesOfCutting)
{
    EXPECT_TRUE(Collect("").words.empty());
    EXPECT_EQ(Collect("").outcome, StatisticsOutcome::Complete);
    // The last word reaches the end of the text.
    EXPECT_EQ(CountsOf(Collect("ab cd ab")), (std::vector<std::pair<std::string, long>>{{"ab", 2}, {"cd", 1}}));
    // Byte 139 neither belongs to a word nor ends it.
    EXPECT_EQ(CountsOf(Collect("ab\x8b" "cd,ab\x8b\x8b" "cd")), (std::vector<std::pair<std::string, long>>{{"abcd", 2}}));
    // Boundaries of every kind, and runs of them, count no empty words; nor does a lone 139.
    EXPECT_TRUE(Collect(" \x8b\x8b 9").words.empty());
    EXPECT_EQ(CountsOf(Collect("\r\n12 ab{|}\x8a\x8c" "ab  ")), (std::vector<std::pair<std::string, long>>{{"ab", 2}}));
}

TEST(WordStatisticsTest, EqualCountsListTheLaterFirstOccurrenceFirstWithRanksDown)
{
    const tools::StatisticsResult r = Collect("aa bb cc bb dd cc");
    ASSERT_EQ(r.words.size(), 4u);
    const char* const order[] = {"cc", "bb", "dd", "aa"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(r.words[i].word, order[i]);
        EXPECT_EQ(r.words[i].rank, static_cast<int>(i + 1));
    }
    EXPECT_EQ(tools::StatisticsLine(r.words[0]), "   2                       cc  <   1");
}

TEST(WordStatisticsTest, ResultLineFormat)
{
    const std::string longWord(30, 'x');
    struct Case { RankedWord word; };
    const Case cases[] = {{{"ab", 7, 3}}, {{longWord, 123456, 12345}}, {{"", 1, 1}}};
    for (const Case& c : cases) {
        char expected[128];
        std::snprintf(expected, sizeof expected, "%4s%25s  <%4d", std::to_string(c.word.count).c_str(),
                      c.word.word.c_str(), c.word.rank);
        EXPECT_EQ(tools::StatisticsLine(c.word), expected);
    }
}

TEST(WordStatisticsTest, RandomTextAgreesWithTheStraightforwardCount)
{
    std::mt19937 random(5);
    for (int round = 0; round < 20; ++round) {
        std::string text;
        for (int i = 0; i < 3000; ++i) {
            const int pick = static_cast<int>(random() % 12);
            // A few word bytes so words repeat, with the ignored byte and boundaries among them.
            const unsigned char bytes[] = {'a', 'b', 0x8D, 0xFF, 'c', 0x8B, ' ', ' ', '\r', '\n', 0x80, 'z'};
            text += static_cast<char>(bytes[pick]);
        }
        EXPECT_EQ(CountsOf(Collect(text)), ReferenceCounts(text)) << "round " << round;
    }
}

TEST(WordStatisticsTest, ShiftAndControlAtTheStartCancelsAndRestoresTheCaption)
{
    const fakes::ScriptedKeyState keys(0);
    fakes::RecordingProgress progress;
    RecordingCaption caption;
    const tools::StatisticsResult r = tools::CollectWordStatistics("ab cd", keys, &progress, &caption);
    EXPECT_EQ(r.outcome, StatisticsOutcome::CancelledCollecting);
    EXPECT_TRUE(r.words.empty());
    EXPECT_EQ(caption.history,
              (std::vector<std::string>{"Press Shift & Control to cancel the process...", "UnTitled.txf - Kelmora"}));
    EXPECT_FALSE(progress.visible);
}

TEST(WordStatisticsTest, ShiftAndControlLaterInALongTextCancelsCollecting)
{
    std::string text;
    while (text.size() < 300000)
        text += "abc de ";
    EXPECT_EQ(Collect(text, 1).outcome, StatisticsOutcome::CancelledCollecting);
    EXPECT_TRUE(Collect(text, 1).words.empty());
    EXPECT_EQ(Collect(text, 50).outcome, StatisticsOutcome::Complete) << "polled a few times, not for every byte";
}

TEST(WordStatisticsTest, CancelWhileSortingKeepsTheLinesListedSoFar)
{
    std::string text;
    auto word = [](int i) { return std::string{char('a' + i % 26), char('a' + i / 26 % 26), char('a' + i / 676)}; };
    for (int i = 0; i < 3000; ++i)
        text += word(i) + (i % 3 ? " " + word(1) + " " : " ");
    ASSERT_LT(text.size(), 65536u); // one keyboard poll while collecting (poll 0)
    const tools::StatisticsResult full = Collect(text);
    // Polls while listing come at lines 0, 1024, 2048: the keys go down before the second.
    const tools::StatisticsResult partial = Collect(text, 2);
    EXPECT_EQ(partial.outcome, StatisticsOutcome::CancelledSorting);
    ASSERT_EQ(partial.words.size(), 1024u);
    for (size_t i = 0; i < partial.words.size(); ++i)
        EXPECT_EQ(partial.words[i].word, full.words[i].word);
    EXPECT_EQ(full.words.size(), 3000u);
}

TEST(WordStatisticsTest, ProgressForCollectingThenSorting)
{
    struct Recorder : fakes::RecordingProgress {
        void Show(const std::string& l) override
        {
            fakes::RecordingProgress::Show(l);
            labels.push_back(l);
        }
        void SetRange(std::int64_t lo, std::int64_t hi) override
        {
            fakes::RecordingProgress::SetRange(lo, hi);
            ranges.push_back(hi);
        }
        std::vector<std::string> labels;
        std::vector<std::int64_t> ranges;
    } progress;
    const fakes::ScriptedKeyState keys;
    const std::string text(100, 'a'); // one word of 100 bytes: steps at 0, 32, 64, 96
    tools::CollectWordStatistics(text, keys, &progress, nullptr);
    EXPECT_EQ(progress.labels, (std::vector<std::string>{" Collecting...", " Sorting ..."}));
    EXPECT_EQ(progress.ranges, (std::vector<std::int64_t>{110, 2}));
    EXPECT_EQ(progress.steps, 4 + 1);
    EXPECT_EQ(progress.hides, 2);
    EXPECT_FALSE(progress.visible);
}

struct StatisticsConversionTest : ToolsFixture {
    StatisticsConversionTest() : ToolsFixture("main.kbd") {}
};

TEST_F(StatisticsConversionTest, MainFontDocumentIsCountedInKolbAndCopiedAsUnicode)
{
    Document({"کتاب دفتر کتاب", "قلم و کتاب"});
    fakes::RecordingProgress progress;
    converter.SetProgressDisplay(&progress);
    const std::optional<std::string> kolb = tools::ConvertForStatistics(converter, "main.kbd", edit.Window().GetText());
    ASSERT_TRUE(kolb);
    EXPECT_EQ(progress.label, " Converting...");
    const tools::StatisticsResult r = Collect(*kolb);
    const keymap::KeyMap kolbMap = fakes::ShippedKeymap("kolb.kbd");
    EXPECT_EQ(tools::StatisticsCopyText(r.words, kolbMap), "3\tکتاب\t1\n1\tقلم\t2\n1\tو\t3\n1\tدفتر\t4\n");
}
