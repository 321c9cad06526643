/** @file WordStatistics.h
 ** Word counts of a document: cut into words on fixed byte classes of the reference keymap,
 ** counted, and listed by descending frequency with ranks. **/
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keymap {
class KeyMap;
class KeymapConverter;
}
namespace platform {
class KeyState;
class ProgressDisplay;
}

namespace tools {

/// The keymap whose byte values decide where words end.
inline constexpr const char* StatisticsKeymap = "kolb.kbd";
/// The main window's caption while counting runs.
inline constexpr const char* StatisticsCancelCaption = "Press Shift & Control to cancel the process...";

enum class ByteClass { Word, Ignored, Boundary };
/// Word bytes 65..122 and 141..255; 139 is skipped inside a word; every other byte ends one.
ByteClass ClassOf(unsigned char byte);

/// One line of the result.
struct RankedWord {
    std::string word; // reference keymap glyphs
    long count = 0;
    int rank = 0;
};

enum class StatisticsOutcome { Complete, CancelledCollecting, CancelledSorting };

struct StatisticsResult {
    StatisticsOutcome outcome = StatisticsOutcome::Complete;
    /// Most frequent first; among equal counts the word that first occurred later comes first.
    /// Cancelled while sorting: the words listed so far; while collecting: none.
    std::vector<RankedWord> words;
};

/// The main window's caption, which counting replaces while it runs.
class CaptionHolder {
public:
    virtual ~CaptionHolder() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
};

/// The document's text converted into the reference keymap, with progress shown; none when a
/// keymap did not load (the load reported why).
std::optional<std::string> ConvertForStatistics(keymap::KeymapConverter& converter, const std::string& documentKeymap,
                                                const std::string& documentText);

/// Counts and ranks the words of reference-keymap text. Holding Shift and Control cancels; the
/// keyboard is polled as the work goes, not for every byte, so a slow query cannot stall it.
/// Progress and caption are optional (null).
StatisticsResult CollectWordStatistics(std::string_view text, const platform::KeyState& keys,
                                       platform::ProgressDisplay* progress, CaptionHolder* caption);

/// A result line: count right-aligned in 4, word in 25, two spaces, "<", rank in 4.
std::string StatisticsLine(const RankedWord& word);
/// The result as Unicode for other programs: count, tab, word, tab, rank; one word a line.
std::string StatisticsCopyText(const std::vector<RankedWord>& words, const keymap::KeyMap& referenceMap);

} // namespace tools
