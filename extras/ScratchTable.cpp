#include "extras/ScratchTable.h"

#include <algorithm>

namespace extras {

namespace {


char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[i]) != Lower(prefix[i]))
            return false;
    return true;
}

/// Reads LF-separated lines; once the text is used up every further line is empty.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text(text) {}
    bool AtEnd() const { return pos >= text.size(); }
    std::string Next()
    {
        if (AtEnd())
            return {};
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line(text.substr(pos, end - pos));
        pos = end + 1;
        return line;
    }

private:
    std::string_view text;
    size_t pos = 0;
};

} // namespace

std::vector<ScratchEntry> ParseScratchTable(std::string_view text)
{
    LineReader reader(text);
    const int count = platform::AtoiRule(reader.Next());
    std::vector<ScratchEntry> entries;
    // A count larger than the file stops where the file does, instead of adding empty entries.
    for (int k = 0; k < count && !reader.AtEnd(); ++k) {
        ScratchEntry e;
        e.faceName = reader.Next();
        e.keymapName = reader.Next();
        e.sizeText = reader.Next();
        entries.push_back(std::move(e));
    }
    return entries;
}

std::string FormatScratchTable(const std::vector<ScratchEntry>& entries)
{
    std::string text = std::to_string(entries.size()) + "\n";
    for (const ScratchEntry& e : entries)
        text += e.faceName + "\n" + e.keymapName + "\n" + e.sizeText + "\n";
    return text;
}

int FindPrefix(const std::vector<std::string>& texts, std::string_view prefix)
{
    const int n = static_cast<int>(texts.size());
    for (int step = 1; step <= n; ++step) {
        const int i = step % n;
        if (StartsWithNoCase(texts[static_cast<size_t>(i)], prefix))
            return i;
    }
    return -1;
}

bool ScratchTable::Load(const std::string& path)
{
    entries.clear();
    selected = -1;
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes, ScratchFileLimit, platform::FileKinds::RegularOnly).ok)
        return false;
    entries = ParseScratchTable(platform::DecodeTextMode(bytes));
    return true;
}

platform::FileResult ScratchTable::Save(const std::string& path) const
{
    return platform::WriteTextFile(path, FormatScratchTable(entries));
}

void ScratchTable::SetEntries(std::vector<ScratchEntry> list)
{
    entries = std::move(list);
    selected = -1;
}

std::vector<std::string> ScratchTable::Column(std::string ScratchEntry::*field) const
{
    std::vector<std::string> texts;
    texts.reserve(entries.size());
    for (const ScratchEntry& e : entries)
        texts.push_back(e.*field);
    return texts;
}

void ScratchTable::Select(int index)
{
    selected = index >= 0 && index < Count() ? index : -1;
}

const ScratchEntry* ScratchTable::SelectedEntry() const
{
    return selected >= 0 ? &entries[static_cast<size_t>(selected)] : nullptr;
}

int ScratchTable::Add(const std::string& faceName, const std::string& keymapName, int size)
{
    const std::string sizeText = std::to_string(size);
    const int found = FindPrefix(FaceNames(), faceName);
    if (found >= 0 && entries[static_cast<size_t>(found)].faceName.size() == faceName.size()) {
        entries[static_cast<size_t>(found)].keymapName = keymapName;
        entries[static_cast<size_t>(found)].sizeText = sizeText;
        Select(found);
        return selected;
    }
    entries.push_back(ScratchEntry{faceName, keymapName, sizeText});
    // Normally the new entry; a longer name with the same beginning met first by the search wins.
    Select(FindPrefix(FaceNames(), faceName));
    return selected;
}

bool ScratchTable::DeleteSelected()
{
    if (selected < 0)
        return false;
    const int i = selected;
    entries.erase(entries.begin() + i);
    Select(i);
    return true;
}

} // namespace extras
