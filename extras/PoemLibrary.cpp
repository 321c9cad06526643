#include "extras/PoemLibrary.h"

#include "platform/TextMode.h"

#include <fstream>

namespace extras {

std::string Poem::Lines(int first, int last) const
{
    const std::size_t from = lineEnds[static_cast<std::size_t>(first)];
    return text.substr(from, lineEnds[static_cast<std::size_t>(last)] - from);
}

std::string HalfLineOf(const char* field)
{
    std::size_t n = 0;
    while (n < PoemLibrary::HalfLineSize && field[n] != '\0')
        ++n;
    while (n > 0 && field[n - 1] == ' ')
        --n;
    return std::string(field, n);
}

bool PoemLibrary::Fail(const std::string& path)
{
    ends.clear();
    failedPath = path;
    return false;
}

namespace {

long long FileSize(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return -1;
    return static_cast<long long>(in.tellg());
}

} // namespace

bool PoemLibrary::Open(const std::string& folder)
{
    const std::string indexPath = folder + "/" + IndexFileName;
    poemPath = folder + "/" + PoemFileName;
    failedPath.clear();
    ends.clear();
    std::string bytes;
    // One byte more than the largest index tells an oversized file from a full one.
    if (!platform::ReadFileBytes(indexPath, bytes, {std::size_t(2 * MaxPoems + 1), platform::PastLimit::KeepsStart}, platform::FileKinds::RegularOnly).ok || bytes.empty() || bytes.size() % 2 != 0
        || bytes.size() > 2 * MaxPoems)
        return Fail(indexPath);
    std::vector<std::uint16_t> entries(bytes.size() / 2);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        entries[k] = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[2 * k])
                                                | static_cast<unsigned char>(bytes[2 * k + 1]) << 8);
        // Entries that go backwards would give a poem a negative couplet count.
        if (k > 0 && entries[k] < entries[k - 1])
            return Fail(indexPath);
    }
    const long long size = FileSize(poemPath);
    if (size < 0)
        return Fail(poemPath);
    if (static_cast<long long>(entries.back()) * RecordSize > size)
        return Fail(poemPath);
    ends = std::move(entries);
    return true;
}

std::pair<int, int> PoemLibrary::Records(int number) const
{
    if (number < 1 || number > Count())
        return {0, 0};
    const int start = number == 1 ? 0 : ends[static_cast<std::size_t>(number - 2)];
    return {start, ends[static_cast<std::size_t>(number - 1)]};
}

bool PoemLibrary::LoadPoem(int number, Poem& poem)
{
    if (number < 1 || number > Count())
        return false;
    const auto [start, end] = Records(number);
    std::ifstream in(poemPath, std::ios::binary);
    if (in)
        in.seekg(static_cast<std::streamoff>(start) * RecordSize);
    Poem loaded;
    loaded.number = number;
    loaded.lineEnds.reserve(2 * static_cast<std::size_t>(end - start) + 1);
    char record[RecordSize];
    for (int r = start; r < end; ++r) {
        // The file may have shrunk since the index was checked.
        if (!in || !in.read(record, RecordSize))
            return Fail(poemPath);
        for (const int offset : {FirstHalfOffset, SecondHalfOffset}) {
            loaded.text += HalfLineOf(record + offset);
            loaded.text += "\r\n";
            loaded.lineEnds.push_back(loaded.text.size());
        }
    }
    poem = std::move(loaded);
    return true;
}

} // namespace extras
