// The editing commands of PersianEdit: clipboard, undo, deletions, Home and End, Tab and Enter,
// delete line and the switch between Persian and Latin typing.
#include "editctl/PersianEdit.h"

#include "keymap/KeymapConverter.h"
#include "platform/Services.h"

#include <algorithm>

namespace editctl {

int PersianEdit::CaretLine() const
{
    return window.LineFromChar(window.Caret());
}

void PersianEdit::SetCaret(int index)
{
    window.SetSel(index, index);
}

// ----- undo -----

void PersianEdit::SaveUndo()
{
    undoText.Take(window);
    window.GetSel(undoSelStart, undoSelEnd);
    undoHorizontalCount = horizontalCount;
    undoVerticalCount = verticalCount;
}

void PersianEdit::Undo()
{
    if (undoText.Empty())
        return;
    undoText.Restore(window);
    window.SetSel(undoSelStart, undoSelEnd);
    window.ScrollCaret();
    horizontalCount = undoHorizontalCount;
    verticalCount = undoVerticalCount;
    // The text differs from what was saved, whatever the undo brought back.
    modified = true;
}

// ----- clipboard and selection -----

void PersianEdit::CopyCommand()
{
    window.Copy();
    digitRun = 0;
}

void PersianEdit::PasteCommand(DigitRun run)
{
    if (run == DigitRun::End)
        digitRun = 0;
    window.Paste();
    modified = true;
}

void PersianEdit::CutCommand(DigitRun run)
{
    SaveUndo();
    if (run == DigitRun::End)
        digitRun = 0;
    const bool cutsText = window.HasSelection();
    window.Copy();
    window.ReplaceSel({});
    if (cutsText)
        modified = true;
}

void PersianEdit::SelectAll()
{
    const int lines = window.GetLineCount();
    window.SetSel(0, window.LineIndex(lines));
    window.ScrollCaret();
}

void PersianEdit::HomeCommand()
{
    SetCaret(window.LineEnd(CaretLine()));
    window.ScrollCaret();
}

void PersianEdit::EndCommand()
{
    SetCaret(window.LineIndex(CaretLine()));
    window.ScrollCaret();
}

// ----- Tab and Enter -----

void PersianEdit::TabCommand(bool control)
{
    if (!IsMultiLine())
        return;
    SaveUndo();
    if (!control)
        SettleWordEnd();
    for (int i = 0; i < tabWidth; ++i) {
        if (control)
            MoveRight(Selecting::Move, Unit::Character);
        else
            InsertRightToLeft(" ");
    }
}

void PersianEdit::EnterCommand()
{
    if (!IsMultiLine())
        return;
    SaveUndo();
    SettleWordEnd();
    digitRun = 0;
    NewLine();
    modified = true;
}

// ----- deleting -----

void PersianEdit::BackspaceCommand(Unit unit)
{
    const bool control = unit == Unit::Word;
    SaveUndo();
    modified = true;
    int start = 0;
    int end = 0;
    window.GetSel(start, end);
    if (start != end) {
        // A selection goes, and nothing beyond it.
        window.ReplaceSel({});
        horizontalCount = verticalCount = 0;
        return;
    }
    const int s = start;
    const int line = window.LineFromChar(s);
    const int lineEnd = window.LineEnd(line);
    if (s == lineEnd && line == 0)
        return;
    if (s == lineEnd && window.EndsWithLineBreak(line - 1)) {
        // The caret is at the logical start of a line: join it with the line above.
        const int above = window.LineIndex(line - 1);
        JoinNextLineAt(above);
        return;
    }
    if (s == lineEnd && window.EndsWithLineBreak(line))
        return; // only a line break lies there, and joining the other way would reorder lines
    if (!control) {
        window.Replace(s, s + 1, {});
        SetCaret(s);
        return;
    }
    int j = s + 1;
    if (window.CharAt(j) == ' ') {
        while (j + 1 < lineEnd && window.CharAt(j + 1) == ' ')
            ++j;
    } else {
        while (j < lineEnd && window.CharAt(j) != ' ')
            ++j;
    }
    window.Replace(s, std::min(j, lineEnd), {});
    SetCaret(s);
}

void PersianEdit::JoinNextLineAt(int caret)
{
    // With the caret at the logical end of a line, the words of the next line that fit are pulled up.
    SetCaret(caret);
    const PulledWords pulled = PullUpWords();
    if (!pulled.text.empty() || pulled.to > pulled.from) {
        window.Replace(pulled.from, pulled.to, {});
        SetCaret(caret);
        window.ReplaceSel(pulled.text);
    }
    window.ScrollCaret();
}

void PersianEdit::DeleteCommand(Unit unit)
{
    const bool control = unit == Unit::Word;
    SaveUndo();
    if (window.HasSelection()) {
        window.ReplaceSel({});
        horizontalCount = verticalCount = 0;
        modified = true;
        return;
    }
    modified = true;
    const int s = window.Caret();
    const int line = CaretLine();
    const int lineStart = window.LineIndex(line);
    if (s == lineStart) {
        if (line + 1 < window.GetLineCount() && window.EndsWithLineBreak(line)) {
            JoinNextLineAt(s);
            return;
        }
        if (line == 0 || window.EndsWithLineBreak(line - 1))
            return; // the logical end of the last line, or only a line break beyond it
    }
    int count = 1;
    if (control) {
        const int column = s - lineStart;
        count = 0;
        if (window.CharAt(s - 1) == ' ') {
            while (count < column && window.CharAt(s - 1 - count) == ' ')
                ++count;
        } else {
            while (count < column && window.CharAt(s - 1 - count) != ' ')
                ++count;
        }
        count = std::max(count, 1);
    }
    window.Replace(s - count, s, {});
    SetCaret(s - count);
}

void PersianEdit::DeleteLine()
{
    SaveUndo();
    if (window.HasSelection()) {
        int start = 0;
        int end = 0;
        window.GetSel(start, end);
        window.ReplaceSel({});
        SetCaret(start);
        modified = true;
    }
    horizontalCount = verticalCount = 0;
    const int s = window.Caret();
    const int length = window.GetTextLength();
    auto breakBefore = [this](int i) { return window.CharAt(i - 2) == '\r' && window.CharAt(i - 1) == '\n'; };
    // The text line around the caret: from just after the CR LF before it to the CR LF after it.
    int lineStart = s;
    while (lineStart >= 2 && !breakBefore(lineStart))
        --lineStart;
    if (lineStart < 2)
        lineStart = 0;
    int lineEnd = s;
    while (lineEnd < length && !(window.CharAt(lineEnd) == '\r' && window.CharAt(lineEnd + 1) == '\n'))
        ++lineEnd;
    const bool lastLine = lineEnd >= length;
    int newStart = lineStart;
    if (lineStart >= 2) {
        window.Replace(lineStart - 2, lineEnd, {});
        if (lastLine) {
            // No line follows: the caret goes to the line above.
            newStart = lineStart - 2;
            while (newStart >= 2 && !breakBefore(newStart))
                --newStart;
            if (newStart < 2)
                newStart = 0;
        }
    } else {
        window.Replace(0, lastLine ? lineEnd : lineEnd + 2, {});
        newStart = 0;
    }
    modified = true;
    int newEnd = newStart;
    while (newEnd < window.GetTextLength() &&
           !(window.CharAt(newEnd) == '\r' && window.CharAt(newEnd + 1) == '\n'))
        ++newEnd;
    SetCaret(std::max(newStart, newEnd - (lineEnd - s)));
    window.ScrollCaret();
}

// ----- Persian and Latin typing -----

void PersianEdit::SwitchLanguage()
{
    if (Map().SupportsEnglish()) {
        englishMode = !englishMode;
        if (!englishMode)
            ReturnToPersian();
        digitRun = 0;
        return;
    }
    platform::Messages().Show("This KeyMap doesn't supports English Characters", "ASTERISK",
                              platform::MessageButtons::Ok, platform::MessageIcon::Information);
    englishMode = false;
}

void PersianEdit::ReturnToPersian()
{
    const int lineStart = window.LineIndex(CaretLine());
    int moved = 0;
    for (int c = window.Caret(); c > lineStart;) {
        const int ch = window.CharAt(c - 1);
        // A typed Latin run may hold '@' (an e-mail address): the walk takes it besides what
        // conversion passes as English.
        if (!keymap::PassesAsEnglish(static_cast<unsigned char>(ch)) && ch != '@')
            break;
        MoveLeft(Selecting::Move, Unit::Character);
        if (window.Caret() >= c)
            break;
        c = window.Caret();
        ++moved;
    }
    if (moved > 0)
        InsertRightToLeft(" ");
}

} // namespace editctl
