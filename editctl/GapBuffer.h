/** @file GapBuffer.h
 ** The bytes of an edit window: a gap buffer, so edits near one place cost no more than their size. **/
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace editctl {

/// A byte string with a movable gap. Moving the gap costs the distance moved; typing at one place
/// moves it nowhere.
class GapBuffer {
public:
    int Length() const { return static_cast<int>(buffer.size()) - (gapEnd - gapStart); }
    char At(int index) const { return index < gapStart ? buffer[index] : buffer[index + gapEnd - gapStart]; }
    std::string Substring(int from, int to) const;
    void Insert(int position, const char* bytes, int count);
    void Erase(int position, int count);
    void Assign(const std::string& bytes);
    /// Index of the first CR LF pair starting in [from, limit), or -1.
    int FindLineBreak(int from, int limit) const;
    /// The text as the two runs either side of the gap, without copying; valid until the next edit.
    std::pair<std::string_view, std::string_view> Parts() const
    {
        const char* data = buffer.data();
        return {std::string_view(data, static_cast<size_t>(gapStart)),
                std::string_view(data + gapEnd, buffer.size() - static_cast<size_t>(gapEnd))};
    }
    /// Bytes held, gap included.
    std::size_t Capacity() const { return buffer.capacity(); }

private:
    void MoveGap(int position);
    void Reserve(int extra);

    std::vector<char> buffer;
    int gapStart = 0;
    int gapEnd = 0;
};

} // namespace editctl
