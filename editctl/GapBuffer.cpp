#include "editctl/GapBuffer.h"

#include <algorithm>
#include <cstring>

namespace editctl {

std::string GapBuffer::Substring(int from, int to) const
{
    from = std::clamp(from, 0, Length());
    to = std::clamp(to, from, Length());
    std::string out;
    out.reserve(static_cast<size_t>(to - from));
    const int gap = gapEnd - gapStart;
    if (from < gapStart)
        out.append(buffer.data() + from, static_cast<size_t>(std::min(to, gapStart) - from));
    if (to > gapStart) {
        const int a = std::max(from, gapStart);
        out.append(buffer.data() + a + gap, static_cast<size_t>(to - a));
    }
    return out;
}

void GapBuffer::MoveGap(int position)
{
    const int gap = gapEnd - gapStart;
    if (position < gapStart) {
        std::memmove(buffer.data() + position + gap, buffer.data() + position, static_cast<size_t>(gapStart - position));
    } else if (position > gapStart) {
        std::memmove(buffer.data() + gapStart, buffer.data() + gapEnd, static_cast<size_t>(position - gapStart));
    }
    gapStart = position;
    gapEnd = position + gap;
}

void GapBuffer::Reserve(int extra)
{
    if (gapEnd - gapStart >= extra)
        return;
    // Grow by a quarter of the text at least, so repeated inserts stay amortized linear while the
    // buffer stays well under twice the text.
    const int length = Length();
    const int newGap = std::max(extra, length / 4 + 4096);
    std::vector<char> grown(static_cast<size_t>(length + newGap));
    const int tail = static_cast<int>(buffer.size()) - gapEnd;
    if (gapStart > 0)
        std::memcpy(grown.data(), buffer.data(), static_cast<size_t>(gapStart));
    if (tail > 0)
        std::memcpy(grown.data() + gapStart + newGap, buffer.data() + gapEnd, static_cast<size_t>(tail));
    buffer.swap(grown);
    gapEnd = gapStart + newGap;
}

void GapBuffer::Insert(int position, const char* bytes, int count)
{
    if (count <= 0)
        return;
    MoveGap(position);
    Reserve(count);
    std::memcpy(buffer.data() + gapStart, bytes, static_cast<size_t>(count));
    gapStart += count;
}

void GapBuffer::Erase(int position, int count)
{
    if (count <= 0)
        return;
    MoveGap(position);
    gapEnd += count;
}

void GapBuffer::Assign(const std::string& bytes)
{
    const int gap = static_cast<int>(bytes.size()) / 8 + 4096;
    std::vector<char> fresh(bytes.size() + static_cast<size_t>(gap));
    if (!bytes.empty())
        std::memcpy(fresh.data(), bytes.data(), bytes.size());
    buffer.swap(fresh);
    gapStart = static_cast<int>(bytes.size());
    gapEnd = gapStart + gap;
}

int GapBuffer::FindLineBreak(int from, int limit) const
{
    limit = std::min(limit, Length() - 1);
    for (int i = std::max(from, 0); i < limit; ++i) {
        if (At(i) == '\r' && At(i + 1) == '\n')
            return i;
    }
    return -1;
}

} // namespace editctl
