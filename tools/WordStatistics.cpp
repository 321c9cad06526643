#include "tools/WordStatistics.h"

#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"
#include "platform/KeyState.h"
#include "platform/ProgressDisplay.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_map>

namespace tools {

namespace {

constexpr const char* CollectingText = " Collecting...";
constexpr const char* SortingText = " Sorting ...";
constexpr unsigned char IgnoredByte = 139;
constexpr long ProgressStride = 32;
// Asking the window system for the keyboard is a round trip; once per this many bytes or lines
// keeps a cancel prompt without making the query the cost of the count.
constexpr long BytesPerKeyPoll = 1 << 16;
constexpr long LinesPerKeyPoll = 1 << 10;

struct Distinct {
    std::string word;
    long count = 0;
    long first = 0; // order of first occurrence
};

struct WordHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class Counter {
public:
    void Count(std::string_view word)
    {
        const auto it = index.find(word);
        if (it != index.end()) {
            ++words[it->second].count;
            return;
        }
        words.push_back({std::string(word), 1, static_cast<long>(words.size())});
        index.emplace(words.back().word, words.size() - 1);
    }
    std::vector<Distinct>& Words() { return words; }

private:
    std::vector<Distinct> words;
    std::unordered_map<std::string, size_t, WordHash, std::equal_to<>> index;
};

/// Cuts the text into words and counts them; false when cancelled.
bool Collect(std::string_view text, const platform::KeyState& keys, platform::ProgressDisplay* progress, Counter& counter)
{
    std::string current;
    const long length = static_cast<long>(text.size());
    for (long i = 0; i < length; ++i) {
        if (i % BytesPerKeyPoll == 0 && keys.ShiftAndControlHeld())
            return false;
        if (progress && i % ProgressStride == 0)
            progress->StepIt();
        const unsigned char byte = static_cast<unsigned char>(text[static_cast<size_t>(i)]);
        switch (ClassOf(byte)) {
        case ByteClass::Word: current.push_back(static_cast<char>(byte)); break;
        case ByteClass::Ignored: break;
        case ByteClass::Boundary:
            if (!current.empty()) {
                counter.Count(current);
                current.clear();
            }
            break;
        }
    }
    if (!current.empty())
        counter.Count(current);
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

ByteClass ClassOf(unsigned char byte)
{
    if ((byte >= 65 && byte <= 122) || byte >= 141)
        return ByteClass::Word;
    return byte == IgnoredByte ? ByteClass::Ignored : ByteClass::Boundary;
}

std::string ConvertForStatistics(keymap::KeymapConverter& converter, const std::string& documentKeymap,
                                 const std::string& documentText)
{
    converter.LoadKeymaps(documentKeymap, StatisticsKeymap);
    converter.input = documentText;
    converter.Convert(true);
    return std::move(converter.output);
}

StatisticsResult CollectWordStatistics(std::string_view text, const platform::KeyState& keys,
                                       platform::ProgressDisplay* progress, CaptionHolder* caption)
{
    StatisticsResult result;
    StartProgress(progress, CollectingText, static_cast<long>(text.size()) + 10, ProgressStride);
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
