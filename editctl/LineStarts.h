/** @file LineStarts.h
 ** Start indexes of the display lines, with a pending shift so that an edit moves later lines lazily. **/
#pragma once

#include <cstddef>
#include <vector>

namespace editctl {

/// Sorted display-line starts. Lines after `stepLine` still owe `stepLength`; an edit adds to the
/// step instead of touching every later line, and the step is paid only over the lines between
/// successive edit places (the scheme of Scintilla's Partitioning).
class LineStarts {
public:
    LineStarts() : starts{0} {}
    int Count() const { return static_cast<int>(starts.size()); }
    int Start(int line) const { return starts[line] + (line > stepLine ? stepLength : 0); }
    /// Last line whose start is <= position (binary search).
    int LineFromPosition(int position) const;
    /// Adds delta to the start of every line after `line`.
    void ShiftAfter(int line, int delta);
    /// Replaces lines [first, first + removeCount) by lines starting at `newStarts`.
    void Splice(int first, int removeCount, const std::vector<int>& newStarts);
    void Assign(std::vector<int> newStarts);
    std::size_t MemoryBytes() const { return starts.capacity() * sizeof(int); }

private:
    void ApplyStepTo(int line);
    void BackApplyStepTo(int line);

    std::vector<int> starts;
    int stepLine = 0;
    int stepLength = 0;
};

} // namespace editctl
