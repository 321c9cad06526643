#include "editctl/LineStarts.h"

#include <algorithm>

namespace editctl {

int LineStarts::LineFromPosition(int position) const
{
    int low = 0;
    int high = Count() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (Start(middle) <= position)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void LineStarts::ApplyStepTo(int line)
{
    line = std::min(line, Count() - 1);
    for (int i = stepLine + 1; i <= line; ++i)
        starts[i] += stepLength;
    stepLine = std::max(stepLine, line);
}

void LineStarts::BackApplyStepTo(int line)
{
    for (int i = line + 1; i <= stepLine; ++i)
        starts[i] -= stepLength;
    stepLine = line;
}

void LineStarts::ShiftAfter(int line, int delta)
{
    if (stepLength == 0) {
        stepLine = line;
    } else if (line > stepLine) {
        ApplyStepTo(line);
    } else if (line < stepLine) {
        BackApplyStepTo(line);
    }
    stepLength += delta;
    if (stepLine >= Count() - 1) {
        stepLine = Count() - 1;
        stepLength = 0;
    }
}

void LineStarts::Splice(int first, int removeCount, const std::vector<int>& newStarts)
{
    // Make every line up to the splice real, so the new values can be stored as they are and the
    // lines after stay owed the same step.
    if (stepLine < first - 1)
        ApplyStepTo(first - 1);
    const int last = first + removeCount - 1;
    if (stepLine >= first) {
        // Lines in the spliced range lose their owed step with them; lines after keep theirs.
        if (stepLine <= last)
            stepLine = first - 1;
        else
            stepLine += static_cast<int>(newStarts.size()) - removeCount;
    }
    std::vector<int> stored(newStarts);
    if (stepLine < first) {
        for (int& s : stored)
            s -= stepLength;
    }
    // Overwrite what both have in common so the usual edit, which keeps the line count, moves nothing.
    const int common = std::min(removeCount, static_cast<int>(stored.size()));
    std::copy(stored.begin(), stored.begin() + common, starts.begin() + first);
    if (removeCount > common)
        starts.erase(starts.begin() + first + common, starts.begin() + first + removeCount);
    else
        starts.insert(starts.begin() + first + common, stored.begin() + common, stored.end());
    if (stepLine >= Count() - 1) {
        ApplyStepTo(Count() - 1);
        stepLine = Count() - 1;
        stepLength = 0;
    }
}

void LineStarts::Assign(std::vector<int> newStarts)
{
    starts = std::move(newStarts);
    if (starts.empty())
        starts.push_back(0);
    stepLine = Count() - 1;
    stepLength = 0;
}

} // namespace editctl
