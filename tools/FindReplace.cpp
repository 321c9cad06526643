#include "tools/FindReplace.h"

#include "editctl/PersianEdit.h"
#include "keymap/KeymapConverter.h"
#include "platform/MessageService.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

namespace tools {

namespace {

constexpr const char* NotFoundFind = "Passed the end the file";
constexpr const char* NotFoundReplace = "Passed the end of file";
constexpr const char* CaptionFind = "Kelmora";
constexpr const char* CaptionFindNext = "Kelmora::FindNext";
constexpr const char* CaptionReplaceAll = "Kelmora::ReplaceAll";
constexpr const char* ReplacedFormat = "Replaced %d matches !";
constexpr const char* NoMatch = "No match found !";

std::string TrimSpaces(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

/// Searches one contiguous run; the searcher is built once per search, not per run.
long FindInRun(std::string_view run, long from, std::string_view needle,
               const std::boyer_moore_horspool_searcher<std::string_view::const_iterator>& searcher)
{
    if (from < 0 || static_cast<size_t>(from) + needle.size() > run.size())
        return -1;
    const auto hit = std::search(run.begin() + from, run.end(), searcher);
    return hit == run.end() ? -1 : static_cast<long>(hit - run.begin());
}

/// Every occurrence from `from` on, left to right, each search resuming after the last match.
std::vector<long> AllMatches(std::pair<std::string_view, std::string_view> parts, std::string_view needle)
{
    std::vector<long> matches;
    for (long at = FindInText(parts, needle, 0); at >= 0; at = FindInText(parts, needle, at + static_cast<long>(needle.size())))
        matches.push_back(at);
    return matches;
}

/// Appends text [from, to) of the two runs.
void AppendRange(std::pair<std::string_view, std::string_view> parts, long from, long to, std::string& out)
{
    const long first = static_cast<long>(parts.first.size());
    if (from < first)
        out.append(parts.first.substr(static_cast<size_t>(from), static_cast<size_t>(std::min(to, first) - from)));
    if (to > first) {
        const long a = std::max(from, first);
        out.append(parts.second.substr(static_cast<size_t>(a - first), static_cast<size_t>(to - a)));
    }
}

} // namespace

std::optional<std::string> PrepareText(const FindTarget& target, const std::string& typed)
{
    // The converter is shared with other tools, which may have left other keymaps in it.
    if (!target.converter.LoadKeymaps(FieldKeymap, target.documentKeymap))
        return std::nullopt;
    target.converter.input = typed;
    target.converter.Convert(false);
    return TrimSpaces(target.converter.output);
}

long FindInText(std::pair<std::string_view, std::string_view> parts, std::string_view needle, long from)
{
    const long first = static_cast<long>(parts.first.size());
    const long total = first + static_cast<long>(parts.second.size());
    const long n = static_cast<long>(needle.size());
    from = std::max(from, 0L);
    if (n == 0 || from + n > total)
        return -1;
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    if (long at = FindInRun(parts.first, from, needle, searcher); at >= 0)
        return at;
    // A match across the gap starts in the last n - 1 bytes of the first run: copy just those.
    const long seamStart = std::max(from, first - (n - 1));
    if (seamStart < first && parts.second.size() > 0) {
        std::string seam(parts.first.substr(static_cast<size_t>(seamStart)));
        seam.append(parts.second.substr(0, static_cast<size_t>(n - 1)));
        if (long at = FindInRun(seam, 0, needle, searcher); at >= 0)
            return seamStart + at;
    }
    const long at = FindInRun(parts.second, std::max(from - first, 0L), needle, searcher);
    return at < 0 ? -1 : first + at;
}

FindOutcome FindStep(const FindTarget& target, const std::string& typedSearch, FindCaller caller)
{
    const std::optional<std::string> prepared = PrepareText(target, typedSearch);
    if (!prepared)
        return FindOutcome::NoKeymap;
    const std::string& search = *prepared;
    if (search.empty())
        return FindOutcome::EmptySearch;
    editctl::EditWindow& window = target.edit.Window();
    const char* text = caller == FindCaller::ReplaceDialog ? NotFoundReplace : NotFoundFind;
    const char* caption = caller == FindCaller::FindDialog ? CaptionFind : CaptionFindNext;
    for (;;) {
        int start = 0;
        int end = 0;
        window.GetSel(start, end);
        const long at = FindInText(window.TextParts(), search, end);
        if (at >= 0) {
            window.SetSel(static_cast<int>(at), static_cast<int>(at + static_cast<long>(search.size())));
            window.ScrollCaret();
            return FindOutcome::Found;
        }
        const platform::MessageAnswer answer = target.messages.Show(
            text, caption, platform::MessageButtons::RetryCancel, platform::MessageIcon::Information);
        if (answer != platform::MessageAnswer::Retry)
            return FindOutcome::NotFound;
        window.SetSel(0, 0);
        window.ScrollCaret();
    }
}

bool FindNextCommand(const FindTarget& target, const std::string& lastSearch)
{
    if (lastSearch.empty())
        return false;
    FindStep(target, lastSearch, FindCaller::FindNextCommand);
    return true;
}

FindOutcome ReplaceSession::FindNext(const std::string& typedSearch)
{
    const FindOutcome outcome = FindStep(target, typedSearch, FindCaller::ReplaceDialog);
    matchSelected = outcome == FindOutcome::Found;
    return outcome;
}

void ReplaceSession::Replace(const std::string& typedSearch, const std::string& typedReplacement)
{
    if (!matchSelected)
        return;
    const std::optional<std::string> replacement = PrepareText(target, typedReplacement);
    if (!replacement)
        return;
    target.edit.Window().ReplaceSel(*replacement);
    target.edit.modified = true;
    matchSelected = false;
    FindNext(typedSearch);
}

int ReplaceSession::ReplaceAll(const std::string& typedSearch, const std::string& typedReplacement)
{
    const std::optional<std::string> replacement = PrepareText(target, typedReplacement);
    if (!replacement)
        return 0;
    const std::optional<std::string> search = PrepareText(target, typedSearch);
    if (!search)
        return 0;
    const int count = ReplaceAllIn(target.edit.Window(), *search, *replacement);
    if (count > 0)
        target.edit.modified = true;
    return count;
}

int ReplaceAllIn(editctl::EditWindow& window, std::string_view search, std::string_view replacement)
{
    int start = 0;
    int end = 0;
    window.GetSel(start, end);
    window.SetSel(0, 0);
    window.ScrollCaret();
    // Replacing match by match would re-read the text after each one. The matches a resumed search
    // finds are exactly the non-overlapping occurrences in the original text, so the span from the
    // first to the end of the last is rebuilt once and replaced in one change (one undo record).
    const auto parts = window.TextParts();
    const std::vector<long> matches = search.empty() ? std::vector<long>{} : AllMatches(parts, search);
    if (!matches.empty()) {
        const long from = matches.front();
        const long to = matches.back() + static_cast<long>(search.size());
        std::string rebuilt;
        rebuilt.reserve(static_cast<size_t>(to - from) + matches.size() * replacement.size());
        long copied = from;
        for (const long at : matches) {
            AppendRange(parts, copied, at, rebuilt);
            rebuilt += replacement;
            copied = at + static_cast<long>(search.size());
        }
        window.Replace(static_cast<int>(from), static_cast<int>(to), rebuilt);
    }
    window.SetSel(start, end);
    window.ScrollCaret();
    return static_cast<int>(matches.size());
}

void ReportReplaceAll(platform::MessageService& messages, int count)
{
    if (count > 0) {
        char text[64];
        std::snprintf(text, sizeof text, ReplacedFormat, count);
        messages.Show(text, CaptionReplaceAll, platform::MessageButtons::Ok, platform::MessageIcon::Information);
    } else {
        messages.Show(NoMatch, CaptionReplaceAll, platform::MessageButtons::Ok, platform::MessageIcon::Information);
    }
}

} // namespace tools
