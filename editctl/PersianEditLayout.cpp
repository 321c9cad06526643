// Right-to-left caret movement and line layout of PersianEdit: the arrows, Enter, the automatic
// line break and the joining of lines.
#include "editctl/PersianEdit.h"

#include <algorithm>

namespace editctl {

namespace {

constexpr int TypingMargin = 20;  // typing limit: window width less the font height and this
constexpr int JoiningMargin = 50; // joining limit: window width less this

} // namespace

int PersianEdit::TypingLimit() const
{
    return windowWidth - fontHeight - TypingMargin;
}

bool PersianEdit::LineTooLong(int width, int length) const
{
    // A window that was never sized has no width to keep to.
    const bool tooWide = windowWidth > 0 && width >= TypingLimit();
    return tooWide || (dosMode && length >= maxChars);
}

bool PersianEdit::FitsLine(const std::string& text) const
{
    if (!IsMultiLine())
        return true;
    return window.TextWidth(text) < windowWidth - JoiningMargin;
}

// ----- arrows -----

PersianEdit::HorizontalStep PersianEdit::BeginHorizontalStep() const
{
    HorizontalStep step;
    window.GetSel(step.start, step.end);
    // The end that moved last keeps moving; a caret without a selection moves its end.
    const bool endActive = verticalCount < 0 || (verticalCount == 0 && horizontalCount > 0);
    step.movesEnd = endActive || step.start == step.end;
    step.from = endActive ? step.end : step.start;
    return step;
}

void PersianEdit::FinishHorizontalStep(bool shift, const HorizontalStep& step, int newStart, int newEnd)
{
    if (!shift) {
        horizontalCount = verticalCount = 0;
        SetCaret(step.movesEnd ? newEnd : newStart);
    } else {
        window.SetSel(step.movesEnd ? newStart : newEnd, step.movesEnd ? newEnd : newStart);
    }
    window.ScrollCaret();
}

void PersianEdit::MoveRight(Selecting selecting, Unit unit)
{
    const bool shift = selecting == Selecting::Extend;
    const bool ctrl = unit == Unit::Word;
    const HorizontalStep step = BeginHorizontalStep();
    const bool movesEnd = step.movesEnd;
    const int p = step.from;
    int newStart = step.start;
    int newEnd = step.end;
    (movesEnd ? newEnd : newStart) += 1;
    const int line = window.LineFromChar(p);
    const int lineStart = window.LineIndex(line);
    const int lineLength = window.LineEnd(line) - lineStart;
    const int column = p - lineStart;
    int d = 0;
    if (ctrl) {
        int k = column + 1;
        if (window.CharAt(lineStart + k) == ' ' && k < lineLength) {
            while (k + 1 < lineLength && window.CharAt(lineStart + k + 1) == ' ')
                ++k;
        } else {
            while (k < lineLength && window.CharAt(lineStart + k) != ' ')
                ++k;
            k = std::min(k, lineLength);
        }
        d = std::max(0, k - column);
        horizontalCount += d;
        (movesEnd ? newEnd : newStart) += d;
    }
    if (!shift && newEnd > lineStart + lineLength)
        newEnd -= 1;
    if (column >= lineLength) {
        // At the logical start of the line: the step leads to the logical end of the line above.
        if (shift)
            horizontalCount -= d + 1;
        else if (line > 0)
            SetCaret(window.LineIndex(line - 1));
        window.ScrollCaret();
        return;
    }
    FinishHorizontalStep(shift, step, newStart, newEnd);
}

void PersianEdit::MoveLeft(Selecting selecting, Unit unit)
{
    const bool shift = selecting == Selecting::Extend;
    const bool ctrl = unit == Unit::Word;
    const HorizontalStep step = BeginHorizontalStep();
    const bool movesEnd = step.movesEnd;
    const int p = step.from;
    int newStart = step.start;
    int newEnd = step.end;
    (movesEnd ? newEnd : newStart) -= 1;
    const int line = window.LineFromChar(p);
    const int lineStart = window.LineIndex(line);
    const int column = p - lineStart;
    int d = 0;
    if (ctrl && column > 0) {
        int i = column - 1;
        if (window.CharAt(lineStart + i) == ' ') {
            while (i > 0 && window.CharAt(lineStart + i - 1) == ' ')
                --i;
        } else {
            while (i > 0 && window.CharAt(lineStart + i) != ' ')
                --i;
        }
        d = std::max(0, column - i - 1);
        horizontalCount -= d;
        (movesEnd ? newEnd : newStart) -= d;
    }
    if (column <= 0) {
        // At the logical end of the line: the step leads to the logical start of the line below.
        if (shift)
            horizontalCount += d + 1;
        else if (line + 1 < window.GetLineCount())
            SetCaret(window.LineEnd(line + 1));
        window.ScrollCaret();
        return;
    }
    FinishHorizontalStep(shift, step, newStart, newEnd);
}

// ----- Enter -----

int PersianEdit::IndentationAtEnd(const std::string& line, int fromColumn) const
{
    int count = 0;
    for (int i = static_cast<int>(line.size()) - 1; i >= fromColumn && line[static_cast<size_t>(i)] == ' '; --i)
        ++count;
    return count;
}

void PersianEdit::NewLine()
{
    int selStart = 0;
    int selEnd = 0;
    window.GetSel(selStart, selEnd);
    const int line = window.LineFromChar(selStart);
    const int lineStart = window.LineIndex(line);
    const std::string lineText = window.GetLine(line);
    const int length = static_cast<int>(lineText.size());
    const int indentation = IndentationAtEnd(lineText, selStart - lineStart);
    // The part logically after the caret moves to a new line below, without its trailing spaces.
    std::string moved = lineText.substr(0, static_cast<size_t>(selStart - lineStart));
    moved.erase(0, moved.find_first_not_of(' ') == std::string::npos ? moved.size() : moved.find_first_not_of(' '));
    const std::string brokenOff = "\r\n" + moved;
    window.Replace(lineStart, selStart, {});
    const int shortened = length - (selStart - lineStart);
    window.Replace(lineStart + shortened, lineStart + shortened, brokenOff + std::string(static_cast<size_t>(indentation), ' '));
    horizontalCount = verticalCount = 0;
    SetCaret(lineStart + shortened + static_cast<int>(brokenOff.size()));
    window.ScrollCaret();
}

// ----- the automatic line break -----

void PersianEdit::BreakBeforeLastWord(int line, const std::string& word, int caretInWord, int caretOutside)
{
    // The word starts a new line below, with the indentation of this one.
    const std::string t = window.GetLine(line);
    const int indentation = IndentationAtEnd(t, 0);
    const int end = window.LineEnd(line);
    const std::string inserted = "\r\n" + word + std::string(static_cast<size_t>(indentation), ' ');
    window.Replace(end, end, inserted);
    if (caretInWord >= 0)
        SetCaret(end + 2 + caretInWord);
    else
        SetCaret(caretOutside);
}

bool PersianEdit::AutoBreak()
{
    if (!IsMultiLine())
        return false;
    int line = CaretLine();
    int lineStart = window.LineIndex(line);
    std::string lineText = window.GetLine(line);
    if (!LineTooLong(window.TextWidth(lineText), static_cast<int>(lineText.size())))
        return false;
    const int caret = window.Caret();
    const int trailingSpaces = static_cast<int>(std::min(lineText.find_first_not_of(' '), lineText.size()));
    if (trailingSpaces > 0) {
        // Trailing spaces of the logical line go first; perhaps that is enough.
        window.Replace(lineStart, lineStart + trailingSpaces, {});
        lineText.erase(0, static_cast<size_t>(trailingSpaces));
        if (!LineTooLong(window.TextWidth(lineText), static_cast<int>(lineText.size()))) {
            SetCaret(std::max(lineStart, caret - trailingSpaces));
            return false;
        }
    }
    const size_t space = lineText.find(' ');
    const int wordLength = static_cast<int>(space == std::string::npos ? lineText.size() : space);
    const std::string word = lineText.substr(0, static_cast<size_t>(wordLength));
    const int caretNow = std::max(lineStart, caret - trailingSpaces);
    const bool inside = caretNow <= lineStart + wordLength;
    const int leftOfCaret = std::clamp(caretNow - lineStart, 0, wordLength);
    int gaps = 0;
    for (size_t i = 1; i + 1 < lineText.size(); ++i) {
        if (lineText[i] == ' ' && lineText[i - 1] != ' ')
            ++gaps;
    }
    if (space == std::string::npos || gaps == 0) {
        SetCaret(caretNow);
        // The line ends inside a word: the part left above ends there, as it would before a space.
        SettleWordEnd();
        NewLine();
        return false;
    }
    const bool hardBreakAfter = window.EndsWithLineBreak(line);
    window.Replace(lineStart, lineStart + wordLength + 1, {});
    const int caretOutside = caretNow - (wordLength + 1);
    if (hardBreakAfter && line + 1 < window.GetLineCount()) {
        line = window.LineFromChar(lineStart);
        const std::string next = window.GetLine(line + 1);
        const int indentation = IndentationAtEnd(next, 0);
        const std::string nextText = next.substr(0, next.size() - static_cast<size_t>(indentation));
        const std::string tail = " " + word + std::string(static_cast<size_t>(indentation), ' ');
        const std::string candidate = nextText + tail;
        if (!nextText.empty() && !LineTooLong(window.TextWidth(candidate), static_cast<int>(candidate.size()))) {
            // The word becomes the logical first word of the next line.
            const int nextEnd = window.LineEnd(line + 1);
            window.Replace(nextEnd - indentation, nextEnd, tail);
            if (inside)
                SetCaret(nextEnd - indentation + 1 + leftOfCaret);
            else
                SetCaret(caretOutside);
            window.ScrollCaret();
            return true;
        }
    }
    BreakBeforeLastWord(window.LineFromChar(lineStart), word, inside ? leftOfCaret : -1, caretOutside);
    window.ScrollCaret();
    return true;
}

// ----- joining lines -----

PersianEdit::PulledWords PersianEdit::PullUpWords() const
{
    PulledWords pulled;
    pulled.from = pulled.to = window.Caret();
    const int line = CaretLine();
    if (line + 1 >= window.GetLineCount())
        return pulled;
    std::string current = window.GetLine(line);
    current.erase(0, std::min(current.find_first_not_of(' '), current.size()));
    const int nextStart = window.LineIndex(line + 1);
    const std::string next = window.GetLine(line + 1);
    const int nextLength = static_cast<int>(next.size());
    const bool nextIsWholeLine = window.EndsWithLineBreak(line + 1) || line + 2 >= window.GetLineCount();
    int accepted = 0;
    // A wrapped piece of a longer text line cannot move without reordering its text.
    if (nextIsWholeLine) {
        for (int i = nextLength - 1; i >= 0; --i) {
            if (next[static_cast<size_t>(i)] != ' ' && i != 0)
                continue;
            if (!FitsLine(next.substr(static_cast<size_t>(i)) + current))
                break;
            accepted = nextLength - i;
        }
    }
    pulled.text = next.substr(static_cast<size_t>(nextLength - accepted));
    pulled.to = nextStart + nextLength;
    pulled.from = pulled.to - accepted;
    if (nextIsWholeLine && accepted == nextLength) {
        // The whole line goes up, and its line break with it.
        if (window.EndsWithLineBreak(line + 1))
            pulled.to += 2;
        else if (window.EndsWithLineBreak(line))
            pulled.from = nextStart - 2;
    }
    return pulled;
}

} // namespace editctl
