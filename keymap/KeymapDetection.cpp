#include "keymap/KeymapDetection.h"

#include "keymap/ArabicScript.h"
#include "keymap/DocumentFormat.h"
#include "keymap/UnicodeBridge.h"
#include "platform/TextMode.h"

#include <algorithm>

namespace keymap {

namespace {

constexpr char32_t Zwnj = 0x200C;

bool IsWordLetter(char32_t c) { return (c >= 0x0621 && c <= 0x064A) || (c >= 0x0671 && c <= 0x06D3); }

/// Letters of the reading that stand in known words: words are runs of letters and half-spaces;
/// the list writes words without the half-space, so a word counts whole or by its parts.
struct WordCount {
    size_t letters = 0;
    size_t known = 0;
};

void CountWord(const std::string& word, size_t letters, const PersianWordList& words, WordCount& count)
{
    count.letters += letters;
    if (letters < 2)
        return; // a lone letter says nothing about the keymap
    std::string joined;
    bool allParts = true;
    size_t start = 0;
    const std::string zwnj = "\xE2\x80\x8C";
    while (start <= word.size()) {
        size_t end = word.find(zwnj, start);
        if (end == std::string::npos)
            end = word.size();
        const std::string_view part(word.data() + start, end - start);
        joined.append(part);
        if (!part.empty() && !words.Contains(part))
            allParts = false;
        start = end + zwnj.size();
    }
    if (words.Contains(joined) || allParts)
        count.known += letters;
}

WordCount CountWords(std::string_view utf8, const PersianWordList& words)
{
    WordCount count;
    std::string word;
    size_t letters = 0;
    for (size_t pos = 0; pos < utf8.size();) {
        const char32_t c = script::DecodeUtf8(utf8, pos);
        if (IsWordLetter(c) || (c == Zwnj && letters > 0)) {
            script::AppendUtf8(word, c);
            letters += c != Zwnj;
            continue;
        }
        if (letters > 0)
            CountWord(word, letters, words, count);
        word.clear();
        letters = 0;
    }
    if (letters > 0)
        CountWord(word, letters, words, count);
    return count;
}

double HeldShare(const UnicodeBridge& bridge, std::string_view text)
{
    size_t all = 0;
    size_t held = 0;
    for (unsigned char c : text) {
        if (c == '\r' || c == '\n' || c == '\t' || c == ' ')
            continue;
        ++all;
        held += bridge.DisplayForm(c) != 0;
    }
    return all == 0 ? 0.0 : static_cast<double>(held) / static_cast<double>(all);
}

/// The whole text when short; otherwise evenly spaced samples, each starting after a line end
/// so no line is read from its middle (glyph lines are in display order).
std::string Sample(std::string_view text)
{
    if (text.size() <= SampleThreshold)
        return std::string(text);
    std::string out;
    const size_t step = text.size() / SampleCount;
    for (size_t i = 0; i < SampleCount; ++i) {
        size_t start = i * step;
        if (i > 0) {
            const size_t lf = text.find('\n', start);
            if (lf == std::string_view::npos || lf - start > SampleBytes)
                continue;
            start = lf + 1;
        }
        size_t end = std::min(text.size(), start + SampleBytes);
        if (const size_t lf = text.rfind('\n', end); lf != std::string_view::npos && lf > start)
            end = lf + 1;
        out.append(text.substr(start, end - start));
        if (!out.empty() && out.back() != '\n')
            out += "\r\n";
    }
    return out;
}

std::string_view WithoutHeader(std::string_view bytes, std::string& headerKeymap)
{
    const size_t lf = bytes.find('\n');
    std::string_view line = bytes.substr(0, lf);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (!ScanHeaderKeymap(line, headerKeymap))
        return bytes;
    return lf == std::string_view::npos ? std::string_view() : bytes.substr(lf + 1);
}

} // namespace

bool PersianWordList::Load(const std::string& path)
{
    words.clear();
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes, platform::ReadLimit{size_t{64} << 20}).ok)
        return false;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        line = line.substr(0, line.find('/'));
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (!line.empty() && static_cast<unsigned char>(line[0]) >= 0x80)
            Add(line);
        start = end + 1;
    }
    return !words.empty();
}

void PersianWordList::Add(std::string_view word)
{
    // The list is read with the same half-space rule as the text: a word counts without it.
    std::string w(word);
    for (size_t p; (p = w.find("\xE2\x80\x8C")) != std::string::npos;)
        w.erase(p, 3);
    words.insert(std::move(w));
}

const std::string& DetectionResult::Best() const
{
    static const std::string none;
    return ranked.empty() ? none : ranked.front().name;
}

DetectionResult DetectKeymap(std::string_view bytes, const std::vector<DetectionCandidate>& candidates,
                             const PersianWordList* words)
{
    DetectionResult result;
    std::string headerKeymap;
    const std::string_view body = WithoutHeader(bytes, headerKeymap);
    const bool useWords = words != nullptr && !words->Empty();
    result.basis = useWords ? DetectionBasis::Words : DetectionBasis::ByteCoverage;
    const std::string sample = Sample(body);
    for (const DetectionCandidate& candidate : candidates) {
        CandidateScore s;
        s.name = candidate.name;
        if (!headerKeymap.empty()) {
            s.score = candidate.name == headerKeymap ? 1.0 : 0.0;
        } else {
            const UnicodeBridge bridge(*candidate.map);
            s.heldShare = HeldShare(bridge, sample);
            if (useWords) {
                const WordCount count = CountWords(bridge.ExportUtf8(sample), *words);
                s.wordShare = count.letters == 0 ? 0.0 : static_cast<double>(count.known) / static_cast<double>(count.letters);
                s.score = s.wordShare * s.heldShare;
            } else {
                s.score = s.heldShare;
            }
        }
        result.ranked.push_back(s);
    }
    std::stable_sort(result.ranked.begin(), result.ranked.end(),
                     [](const CandidateScore& a, const CandidateScore& b) { return a.score > b.score; });
    if (result.ranked.empty())
        return result;
    if (!headerKeymap.empty() && result.ranked.front().score > 0) {
        result.basis = DetectionBasis::Header;
        result.confidence = 1.0;
        return result;
    }
    const double best = result.ranked.front().score;
    const double second = result.ranked.size() > 1 ? result.ranked[1].score : 0.0;
    // Byte coverage alone tells keymaps apart only by the codes one of them leaves empty.
    const double margin = best > 0 ? (best - second) / best : 0.0;
    result.confidence = useWords ? best * margin : best * margin * 0.5;
    return result;
}

bool ClearlyBetterThan(const DetectionResult& result, const std::string& current)
{
    if (result.ranked.empty() || result.Best() == current || result.confidence < 0.3)
        return false;
    for (const CandidateScore& s : result.ranked)
        if (s.name == current)
            return result.ranked.front().score > 2 * s.score;
    return true;
}

} // namespace keymap
