/** @file KeymapDetection.h
 ** Which keymap most likely produced a header-less glyph file: each candidate's reading is scored
 ** by the share of its letters that form known Persian words and by the bytes it cannot read. **/
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace keymap {

class KeyMap;

/// Persian words, one a line in UTF-8 (a hunspell .dic: a count line, then "word/FLAGS" lines).
class PersianWordList {
public:
    /// Where Debian's myspell-fa installs its word list.
    static constexpr const char* DebianPath = "/usr/share/hunspell/fa_IR.dic";
    /// Reads the list; false (and an empty list) when the file is missing or holds no words.
    bool Load(const std::string& path);
    void Add(std::string_view word);
    bool Contains(std::string_view word) const { return words.count(std::string(word)) != 0; }
    bool Empty() const { return words.empty(); }
    size_t Size() const { return words.size(); }

private:
    std::unordered_set<std::string> words;
};

struct DetectionCandidate {
    std::string name; // the keymap's file name, as a header names it
    const KeyMap* map = nullptr;
};

struct CandidateScore {
    std::string name;
    double wordShare = 0; // letters inside known words / all letters of the reading
    double heldShare = 0; // bytes (besides line ends and tabs) the keymap reads / all such bytes
    double score = 0;
};

enum class DetectionBasis { Header, Words, ByteCoverage };

struct DetectionResult {
    std::vector<CandidateScore> ranked; // best first; empty when there were no candidates
    /// 0..1: how far the best stands above the next and how much of the text it reads as words.
    double confidence = 0;
    DetectionBasis basis = DetectionBasis::ByteCoverage;
    const std::string& Best() const;
};

/// Texts longer than this are scored on SampleCount evenly spaced samples of SampleBytes each
/// (cut at line ends), so a 10 MB file costs about as much as a 64 KB one.
inline constexpr size_t SampleThreshold = size_t{64} << 10;
inline constexpr size_t SampleCount = 16;
inline constexpr size_t SampleBytes = size_t{4} << 10;

/// Scores every candidate on `bytes` (a document's disk bytes). A header line naming one of the
/// candidates decides alone. Without a word list (null or empty) only byte coverage is scored.
DetectionResult DetectKeymap(std::string_view bytes, const std::vector<DetectionCandidate>& candidates,
                             const PersianWordList* words);

/// Whether `result` clearly prefers a keymap other than `current`: enough confidence, and the
/// best scores well above the current one.
bool ClearlyBetterThan(const DetectionResult& result, const std::string& current);

} // namespace keymap
