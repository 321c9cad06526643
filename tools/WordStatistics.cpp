#include "tools/WordStatistics.h"

#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"
#include "platform/KeyState.h"
#include "platform/ProgressDisplay.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tools {

namespace {

constexpr const char* CollectingText = " Collecting...";
constexpr const char* SortingText = " Sorting ...";
constexpr unsigned char IgnoredByte = 139;
constexpr size_t ProgressStride = 32;
// Asking the window system for the keyboard is a round trip; once per this many bytes or lines
// keeps a cancel prompt without making the query the cost of the count.
constexpr size_t BytesPerKeyPoll = 1 << 16;
constexpr size_t LinesPerKeyPoll = 1 << 10;

struct Distinct {
    std::string word;
    long count = 0;
    long first = 0; // order of first occurrence
    size_t hash = 0;
};

/// Distinct words in order of first occurrence, found through an open-addressing table of
/// indexes: one probe usually lands on the word, where a node-based map chases pointers.
class Counter {
public:
    Counter() : slots(1 << 12, 0) {}

    void Count(std::string_view word)
    {
        const size_t hash = std::hash<std::string_view>{}(word);
        size_t mask = slots.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            const std::uint32_t slot = slots[at];
            if (slot == 0) {
                words.push_back({std::string(word), 1, static_cast<long>(words.size()), hash});
                slots[at] = static_cast<std::uint32_t>(words.size());
                if (words.size() * 2 > slots.size())
                    Grow();
                return;
            }
            Distinct& d = words[slot - 1];
            if (d.hash == hash && d.word == word) {
                ++d.count;
                return;
            }
        }
    }
    std::vector<Distinct>& Words() { return words; }

private:
    void Grow()
    {
        std::vector<std::uint32_t> grown(slots.size() * 2, 0);
        const size_t mask = grown.size() - 1;
        for (size_t i = 0; i < words.size(); ++i) {
            size_t at = words[i].hash & mask;
            while (grown[at] != 0)
                at = (at + 1) & mask;
            grown[at] = static_cast<std::uint32_t>(i + 1);
        }
        slots.swap(grown);
    }

    std::vector<Distinct> words;
    std::vector<std::uint32_t> slots; // index + 1 into words; 0 is empty
};

constexpr std::array<ByteClass, 256> ClassTable = [] {
    std::array<ByteClass, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[static_cast<size_t>(b)] = ((b >= 65 && b <= 122) || b >= 141) ? ByteClass::Word
                                        : b == IgnoredByte                   ? ByteClass::Ignored
                                                                              : ByteClass::Boundary;
    return table;
}();

ByteClass Class(char c) { return ClassTable[static_cast<unsigned char>(c)]; }

/// Where the walk through the text owes progress steps (every 32 bytes) and keyboard polls.
class WalkClock {
public:
    WalkClock(size_t length, const platform::KeyState& keys, platform::ProgressDisplay* progress)
        : length(length), keys(keys), progress(progress) {}

    /// Steps the bar for every due index up to `at` (the walk skips inside words); false when
    /// Shift and Control are held at a due poll.
    bool Reach(size_t at)
    {
        StepTo(at);
        if (at < nextPoll)
            return true;
        nextPoll = (at / BytesPerKeyPoll + 1) * BytesPerKeyPoll;
        return !keys.ShiftAndControlHeld();
    }
    void StepTo(size_t at)
    {
        for (; nextStep <= at && nextStep < length; nextStep += ProgressStride)
            if (progress)
                progress->StepIt();
    }

private:
    size_t length;
    const platform::KeyState& keys;
    platform::ProgressDisplay* progress;
    size_t nextStep = 0;
    size_t nextPoll = 0;
};

/// Cuts the text into words and counts them; false when cancelled. A word without the ignored
/// byte is counted straight from the text; only one with it is copied together.
bool Collect(std::string_view text, const platform::KeyState& keys, platform::ProgressDisplay* progress, Counter& counter)
{
    const size_t length = text.size();
    WalkClock clock(length, keys, progress);
    std::string joined;
    size_t i = 0;
    while (i < length) {
        if (!clock.Reach(i))
            return false;
        if (Class(text[i]) == ByteClass::Boundary) {
            ++i;
            continue;
        }
        const size_t start = i;
        bool hasIgnored = false;
        for (; i < length && Class(text[i]) != ByteClass::Boundary; ++i)
            hasIgnored |= Class(text[i]) == ByteClass::Ignored;
        if (!hasIgnored) {
            counter.Count(text.substr(start, i - start));
            continue;
        }
        joined.clear();
        for (size_t k = start; k < i; ++k)
            if (Class(text[k]) == ByteClass::Word)
                joined.push_back(text[k]);
        if (!joined.empty())
            counter.Count(joined);
    }
    clock.StepTo(length);
    return true;
}

void StartProgress(platform::ProgressDisplay* progress, const char* label, long high, long step)
{
    if (!progress)
        return;
    progress->Show(label);
    progress->SetRange(0, high);
    progress->SetStep(step);
    progress->SetPos(0);
}

/// Lists the words by rank; false when cancelled before the last.
bool Rank(std::vector<Distinct>& distinct, const platform::KeyState& keys, platform::ProgressDisplay* progress,
          std::vector<RankedWord>& out)
{
    // One sort gives the order of a repeated maximum search that prefers the later entry on ties.
    std::sort(distinct.begin(), distinct.end(), [](const Distinct& a, const Distinct& b) {
        return a.count != b.count ? a.count > b.count : a.first > b.first;
    });
    out.reserve(distinct.size());
    for (size_t i = 0; i < distinct.size(); ++i) {
        if (i % LinesPerKeyPoll == 0 && keys.ShiftAndControlHeld())
            return false;
        if (progress)
            progress->StepIt();
        out.push_back({std::move(distinct[i].word), distinct[i].count, static_cast<int>(i + 1)});
    }
    return true;
}

} // namespace

ByteClass ClassOf(unsigned char byte) { return ClassTable[byte]; }

std::optional<std::string> ConvertForStatistics(keymap::KeymapConverter& converter, const std::string& documentKeymap,
                                                const std::string& documentText)
{
    if (!converter.LoadKeymaps(documentKeymap, StatisticsKeymap))
        return std::nullopt;
    converter.input = documentText;
    converter.Convert(true);
    return std::move(converter.output);
}

StatisticsResult CollectWordStatistics(std::string_view text, const platform::KeyState& keys,
                                       platform::ProgressDisplay* progress, CaptionHolder* caption)
{
    StatisticsResult result;
    StartProgress(progress, CollectingText, static_cast<long>(text.size()) + 10, static_cast<long>(ProgressStride));
    const std::string savedCaption = caption ? caption->Caption() : std::string();
    if (caption)
        caption->SetCaption(StatisticsCancelCaption);

    Counter counter;
    const bool collected = Collect(text, keys, progress, counter);
    if (progress)
        progress->Hide();
    if (!collected) {
        result.outcome = StatisticsOutcome::CancelledCollecting;
    } else {
        std::vector<Distinct>& distinct = counter.Words();
        StartProgress(progress, SortingText, static_cast<long>(distinct.size()) + 1, 1);
        if (!Rank(distinct, keys, progress, result.words))
            result.outcome = StatisticsOutcome::CancelledSorting;
        if (progress)
            progress->Hide();
    }
    if (caption)
        caption->SetCaption(savedCaption);
    return result;
}

std::string StatisticsLine(const RankedWord& word)
{
    const std::string count = std::to_string(word.count);
    char rank[16];
    std::snprintf(rank, sizeof rank, "%4d", word.rank);
    std::string line;
    line.reserve(40 + word.word.size());
    line.append(count.size() < 4 ? 4 - count.size() : 0, ' ').append(count);
    line.append(word.word.size() < 25 ? 25 - word.word.size() : 0, ' ').append(word.word);
    line.append("  <").append(rank);
    return line;
}

std::string StatisticsCopyText(const std::vector<RankedWord>& words, const keymap::KeyMap& referenceMap)
{
    const keymap::UnicodeBridge bridge(referenceMap);
    std::string out;
    for (const RankedWord& w : words)
        out.append(std::to_string(w.count)).append("\t").append(bridge.ExportUtf8(w.word)).append("\t")
            .append(std::to_string(w.rank)).append("\n");
    return out;
}

} // namespace tools
