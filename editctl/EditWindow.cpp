#include "editctl/EditWindow.h"

#include "editctl/Clipboard.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace editctl {

namespace {

constexpr int DefaultAdvance = 8;
constexpr int DefaultLineHeight = 16;
constexpr int WheelStep = 120; // one notch of a mouse wheel
constexpr int LinesPerNotch = 3;
// A display line ends after this many glyphs whatever their width, so a run of zero-width glyphs
// still wraps and nothing that measures one display line walks a whole huge text line.
constexpr int MaxLineGlyphs = 4096;

bool IsWordByte(char c)
{
    return c != ' ' && c != '\r' && c != '\n' && c != '\t';
}

} // namespace

EditWindow::EditWindow(WindowStyle windowStyle) : style(windowStyle)
{
    advances.fill(DefaultAdvance);
    lineHeight = DefaultLineHeight;
}

// ----- geometry and measuring -----

int EditWindow::MaxDisplayLineGlyphs()
{
    return MaxLineGlyphs;
}

int EditWindow::WrapWidth() const
{
    if (style == WindowStyle::SingleLine || viewWidth <= 0)
        return INT_MAX;
    return viewWidth;
}

void EditWindow::SetViewSize(int width, int height)
{
    const bool rewrap = width != viewWidth && style == WindowStyle::MultiLine;
    viewWidth = std::max(0, width);
    viewHeight = std::max(0, height);
    if (rewrap) {
        WrapAll();
        NotifyText({0, GetLineCount() - 1, true});
    }
    SetFirstVisibleLine(firstVisible);
}

void EditWindow::SetMetrics(const GlyphMetrics* provider)
{
    metrics = provider;
    MetricsChanged();
}

void EditWindow::MetricsChanged()
{
    if (metrics) {
        for (int c = 0; c < 256; ++c)
            advances[c] = std::max(0, metrics->Advance(static_cast<keymap::GlyphCode>(c)));
        lineHeight = std::max(1, metrics->LineHeight());
    } else {
        advances.fill(DefaultAdvance);
        lineHeight = DefaultLineHeight;
    }
    WrapAll();
    NotifyText({0, GetLineCount() - 1, true});
    SetFirstVisibleLine(firstVisible);
}

int EditWindow::TextWidth(const std::string& glyphs) const
{
    std::int64_t width = 0;
    for (char c : glyphs)
        width += advances[static_cast<unsigned char>(c)];
    return static_cast<int>(std::min<std::int64_t>(width, INT_MAX));
}

int EditWindow::TextWidth(int from, int to) const
{
    from = std::clamp(from, 0, GetTextLength());
    to = std::clamp(to, from, GetTextLength());
    measuredGlyphs += static_cast<std::uint64_t>(to - from);
    std::int64_t width = 0;
    for (int i = from; i < to; ++i)
        width += advances[static_cast<unsigned char>(text.At(i))];
    return static_cast<int>(std::min<std::int64_t>(width, INT_MAX));
}

// ----- text -----

unsigned char EditWindow::CharAt(int index) const
{
    if (index < 0 || index >= GetTextLength())
        return 0;
    return static_cast<unsigned char>(text.At(index));
}

std::string EditWindow::TextRange(int from, int to) const
{
    return text.Substring(from, to);
}

void EditWindow::SetText(const std::string& glyphs)
{
    if (recorder)
        recorder->Replacing(0, GetText(), static_cast<int>(glyphs.size()));
    text.Assign(glyphs);
    ++changeCount;
    WrapAll();
    anchor = caret = 0;
    goalX = -1;
    firstVisible = 0;
    NotifyText({0, GetLineCount() - 1, true});
    NotifySelection();
    NotifyScroll();
}

bool EditWindow::IsPairMiddle(int index) const
{
    return index > 0 && index < GetTextLength() && text.At(index - 1) == '\r' && text.At(index) == '\n';
}

int EditWindow::ClampIndex(int index) const
{
    index = std::clamp(index, 0, GetTextLength());
    return IsPairMiddle(index) ? index - 1 : index;
}

// ----- selection -----

void EditWindow::GetSel(int& start, int& end) const
{
    start = std::min(anchor, caret);
    end = std::max(anchor, caret);
}

void EditWindow::SetSel(int newAnchor, int newActive)
{
    if (newActive < 0)
        newActive = GetTextLength();
    if (newAnchor < 0)
        newAnchor = newActive;
    SetSelectionInternal(newAnchor, newActive, false);
}

void EditWindow::SetSelectionInternal(int newAnchor, int newCaret, bool keepGoalX)
{
    newAnchor = ClampIndex(newAnchor);
    newCaret = ClampIndex(newCaret);
    if (!keepGoalX)
        goalX = -1;
    if (newAnchor == anchor && newCaret == caret)
        return;
    anchor = newAnchor;
    caret = newCaret;
    NotifySelection();
}

void EditWindow::SetCaretPos(Point point)
{
    const int index = CharFromPos(point).index;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    if (index == start)
        SetSelectionInternal(end, start, false);
    else if (index == end)
        SetSelectionInternal(start, end, false);
    else
        SetSelectionInternal(index, index, false);
}

// ----- editing -----

void EditWindow::ReplaceSel(const std::string& glyphs)
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    Replace(start, end, glyphs);
    // A range widened around a CR LF pair starts no later than the selection did.
    const int at = ClampIndex(std::min(start, GetTextLength()));
    SetSelectionInternal(at + static_cast<int>(glyphs.size()), at + static_cast<int>(glyphs.size()), false);
}

void EditWindow::Char(unsigned char code)
{
    if (code == 0x08) {
        if (HasSelection()) {
            ReplaceSel({});
        } else if (caret > 0) {
            const int from = CharStep(caret, -1);
            Replace(from, caret, {});
        }
        return;
    }
    if (code == '\r') {
        if (style == WindowStyle::MultiLine)
            ReplaceSel("\r\n");
        return;
    }
    ReplaceSel(std::string(1, static_cast<char>(code)));
}

void EditWindow::Replace(int from, int to, const std::string& glyphs)
{
    from = std::clamp(from, 0, GetTextLength());
    to = std::clamp(to, from, GetTextLength());
    // Line breaks go as a whole or not at all.
    if (IsPairMiddle(from))
        --from;
    if (IsPairMiddle(to))
        ++to;
    ReplaceRange(from, to, glyphs);
}

void EditWindow::ReplaceExact(int from, int to, const std::string& glyphs)
{
    from = std::clamp(from, 0, GetTextLength());
    to = std::clamp(to, from, GetTextLength());
    ReplaceRange(from, to, glyphs);
}

bool EditWindow::StartsTextLine(int line) const
{
    const int start = lines.Start(line);
    return start >= 2 && text.At(start - 2) == '\r' && text.At(start - 1) == '\n';
}

void EditWindow::ReplaceRange(int from, int to, const std::string& glyphs)
{
    if (from == to && glyphs.empty())
        return;
    const int inserted = static_cast<int>(glyphs.size());
    ++changeCount;
    if (recorder)
        recorder->Replacing(from, text.Substring(from, to), inserted);
    const int editLine = lines.LineFromPosition(from);
    // Only the line before can change its break: its last word may now fit, or a space may now hang.
    const int startLine = (editLine > 0 && !StartsTextLine(editLine)) ? editLine - 1 : editLine;
    text.Erase(from, to - from);
    text.Insert(from, glyphs.data(), inserted);
    const int delta = inserted - (to - from);
    lines.ShiftAfter(editLine, delta);
    const TextChange change = Rewrap(startLine, editLine, from + inserted);

    auto moved = [&](int index) {
        if (index >= to)
            return index + delta;
        return index > from ? from : index;
    };
    const int newAnchor = ClampIndex(moved(anchor));
    const int newCaret = ClampIndex(moved(caret));
    const bool selectionMoved = newAnchor != anchor || newCaret != caret;
    anchor = newAnchor;
    caret = newCaret;
    if (change.lineCountChanged)
        firstVisible = std::clamp(firstVisible, 0, std::max(0, GetLineCount() - VisibleLineCount()));
    NotifyText(change);
    if (selectionMoved)
        NotifySelection();
}

// ----- wrapping -----

int EditWindow::NextBreak(int start) const
{
    const int length = GetTextLength();
    if (style == WindowStyle::SingleLine)
        return -1;
    const std::int64_t width = WrapWidth();
    std::int64_t sum = 0;
    int i = start;
    while (i < length) {
        const char c = text.At(i);
        if (c == '\r' && i + 1 < length && text.At(i + 1) == '\n')
            return i + 2;
        const int advance = advances[static_cast<unsigned char>(c)];
        if ((sum + advance > width || i - start >= MaxLineGlyphs) && i > start)
            break;
        sum += advance;
        ++i;
    }
    if (i >= length)
        return -1;
    if (text.At(i) == ' ') {
        // Spaces at a break hang past the edge and belong to the line they end.
        while (i < length && text.At(i) == ' ')
            ++i;
        if (i >= length)
            return -1;
        if (text.At(i) == '\r' && i + 1 < length && text.At(i + 1) == '\n')
            return i + 2;
        return i;
    }
    for (int j = i - 1; j > start; --j) {
        if (text.At(j) == ' ')
            return j + 1;
    }
    return i;
}

void EditWindow::WrapAll()
{
    std::vector<int> starts{0};
    for (int p = 0, b = NextBreak(0); b != -1; p = b, b = NextBreak(p))
        starts.push_back(b);
    lines.Assign(std::move(starts));
    firstVisible = std::clamp(firstVisible, 0, std::max(0, GetLineCount() - 1));
}

std::vector<int> EditWindow::FreshWrap() const
{
    std::vector<int> starts{0};
    for (int p = 0, b = NextBreak(0); b != -1; p = b, b = NextBreak(p))
        starts.push_back(b);
    return starts;
}

std::vector<int> EditWindow::LineStartsNow() const
{
    std::vector<int> starts;
    starts.reserve(static_cast<size_t>(GetLineCount()));
    for (int i = 0; i < GetLineCount(); ++i)
        starts.push_back(lines.Start(i));
    return starts;
}

TextChange EditWindow::Rewrap(int fromLine, int editLine, int editEnd)
{
    // Wrap anew from fromLine until a new break meets an old line start past the edit (a line after
    // the edited one, at or beyond the edit's end): from there on the text and so every break is
    // as before.
    const int count = lines.Count();
    std::vector<int> fresh;
    int next = fromLine + 1;
    for (int p = lines.Start(fromLine);;) {
        const int b = NextBreak(p);
        if (b == -1) {
            next = count;
            break;
        }
        while (next < count && lines.Start(next) < b)
            ++next;
        if (next < count && next > editLine && lines.Start(next) == b && b >= editEnd)
            break;
        fresh.push_back(b);
        p = b;
    }
    const int removed = next - (fromLine + 1);
    lines.Splice(fromLine + 1, removed, fresh);
    return {fromLine, fromLine + static_cast<int>(fresh.size()), removed != static_cast<int>(fresh.size())};
}

// ----- display lines -----

int EditWindow::LineFromChar(int index) const
{
    if (index < 0)
        index = std::min(anchor, caret);
    return lines.LineFromPosition(std::min(index, GetTextLength()));
}

int EditWindow::LineIndex(int line) const
{
    if (line < 0)
        line = lines.LineFromPosition(caret);
    if (line >= GetLineCount())
        return -1;
    return lines.Start(line);
}

bool EditWindow::EndsWithLineBreak(int line) const
{
    if (line < 0 || line + 1 >= GetLineCount())
        return false;
    const int next = lines.Start(line + 1);
    return next >= 2 && text.At(next - 2) == '\r' && text.At(next - 1) == '\n';
}

int EditWindow::LineEnd(int line) const
{
    if (line < 0 || line >= GetLineCount())
        return GetTextLength();
    const int next = line + 1 < GetLineCount() ? lines.Start(line + 1) : GetTextLength();
    return EndsWithLineBreak(line) ? next - 2 : next;
}

int EditWindow::LineLength(int index) const
{
    if (index >= 0) {
        const int line = LineFromChar(index);
        return LineEnd(line) - lines.Start(line);
    }
    if (!HasSelection()) {
        const int line = lines.LineFromPosition(caret);
        return LineEnd(line) - lines.Start(line);
    }
    // With a selection: the characters of the selected lines that lie outside it.
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const int first = LineFromChar(start);
    const int last = LineFromChar(end);
    return (start - lines.Start(first)) + (LineEnd(last) - end);
}

std::string EditWindow::GetLine(int line) const
{
    if (line < 0 || line >= GetLineCount())
        return {};
    return text.Substring(lines.Start(line), LineEnd(line));
}

// ----- pixels -----

int EditWindow::LineLeft(int line) const
{
    if (line < 0 || line >= GetLineCount())
        return viewWidth;
    return std::max(0, viewWidth - TextWidth(lines.Start(line), LineEnd(line)));
}

Point EditWindow::PosFromChar(int index) const
{
    index = std::clamp(index, 0, GetTextLength());
    const int line = LineFromChar(index);
    const int x = LineLeft(line) + TextWidth(lines.Start(line), index);
    return {x, (line - firstVisible) * lineHeight};
}

int EditWindow::IndexAtX(int line, int x) const
{
    int left = LineLeft(line);
    const int end = LineEnd(line);
    int i = lines.Start(line);
    measuredGlyphs += static_cast<std::uint64_t>(end - i);
    for (; i < end; ++i) {
        const int advance = advances[static_cast<unsigned char>(text.At(i))];
        if (x < left + advance / 2)
            return i;
        left += advance;
    }
    return i;
}

CharPosition EditWindow::CharFromPos(Point point) const
{
    int row = point.y >= 0 ? point.y / lineHeight : -((-point.y + lineHeight - 1) / lineHeight);
    const int line = std::clamp(firstVisible + row, 0, GetLineCount() - 1);
    return {IndexAtX(line, point.x), line};
}

// ----- scrolling -----

int EditWindow::VisibleLineCount() const
{
    return std::max(1, viewHeight / lineHeight);
}

void EditWindow::SetFirstVisibleLine(int line)
{
    line = std::clamp(line, 0, std::max(0, GetLineCount() - VisibleLineCount()));
    if (line == firstVisible)
        return;
    firstVisible = line;
    NotifyScroll();
}

void EditWindow::ScrollLines(int delta)
{
    SetFirstVisibleLine(firstVisible + delta);
}

void EditWindow::ScrollCaret()
{
    const int line = lines.LineFromPosition(caret);
    if (line < firstVisible)
        SetFirstVisibleLine(line);
    else if (line >= firstVisible + VisibleLineCount())
        SetFirstVisibleLine(line - VisibleLineCount() + 1);
}

// ----- clipboard -----

Clipboard& EditWindow::Board() const
{
    return clipboard ? *clipboard : CurrentClipboard();
}

ClipboardData EditWindow::SelectionData() const
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const std::string glyphs = text.Substring(start, end);
    if (clipboardCodec)
        return clipboardCodec->Encode(glyphs);
    ClipboardData data;
    data.hasGlyphs = true;
    data.glyphs = glyphs;
    return data;
}

void EditWindow::Copy()
{
    if (HasSelection())
        Board().Put(SelectionData());
}

void EditWindow::PublishSelection()
{
    if (selectionBoard && HasSelection())
        selectionBoard->Put(SelectionData());
}

void EditWindow::Cut()
{
    if (!HasSelection())
        return;
    Copy();
    ReplaceSel({});
}

void EditWindow::Paste()
{
    const ClipboardData data = Board().Get();
    if (data.Empty())
        return;
    std::string glyphs;
    if (clipboardCodec)
        glyphs = clipboardCodec->Decode(data);
    else if (data.hasGlyphs)
        glyphs = data.glyphs;
    else
        glyphs = WithCrLf(!data.latin1.empty() ? data.latin1 : data.unicodeText);
    if (style == WindowStyle::SingleLine) {
        // A one-line field takes the first line of what is pasted, as the platform's does.
        const size_t stop = glyphs.find_first_of("\r\n");
        if (stop != std::string::npos)
            glyphs.resize(stop);
    }
    ReplaceSel(glyphs);
    ScrollCaret();
}

// ----- the window's own keys -----

int EditWindow::WordStartBefore(int index) const
{
    while (index > 0 && text.At(index - 1) == ' ')
        --index;
    while (index > 0 && IsWordByte(text.At(index - 1)))
        --index;
    return index;
}

int EditWindow::WordEndAfter(int index) const
{
    const int length = GetTextLength();
    while (index < length && IsWordByte(text.At(index)))
        ++index;
    while (index < length && text.At(index) == ' ')
        ++index;
    return index;
}

void EditWindow::MoveCaretTo(int index, bool extend)
{
    SetSelectionInternal(extend ? anchor : index, index, false);
    ScrollCaret();
}

void EditWindow::MoveCaretVertically(int delta, bool extend)
{
    if (goalX < 0)
        goalX = PosFromChar(caret).x;
    const int line = std::clamp(lines.LineFromPosition(caret) + delta, 0, GetLineCount() - 1);
    const int index = IndexAtX(line, goalX);
    SetSelectionInternal(extend ? anchor : index, index, true);
    ScrollCaret();
}

bool EditWindow::KeyDown(const KeyEvent& event)
{
    const unsigned long before = changeCount;
    const bool handled = OwnKey(event);
    if (changeCount != before && userEdited)
        userEdited();
    return handled;
}

int EditWindow::CharStep(int index, int direction) const
{
    // A CR LF pair is one step.
    return IsPairMiddle(index + direction) ? index + 2 * direction : index + direction;
}

bool EditWindow::ClipboardKey(const KeyEvent& event)
{
    // The platform's clipboard keys: Shift+Insert pastes, Ctrl+Insert copies.
    if (event.shift)
        Paste();
    else if (event.control)
        Copy();
    return event.shift || event.control;
}

bool EditWindow::PageKey(const KeyEvent& event, int direction)
{
    ScrollLines(direction * VisibleLineCount());
    MoveCaretVertically(direction * VisibleLineCount(), event.shift);
    return true;
}

bool EditWindow::LineEdgeKey(const KeyEvent& event, int direction)
{
    const int line = lines.LineFromPosition(caret);
    if (direction < 0)
        MoveCaretTo(event.control ? 0 : lines.Start(line), event.shift);
    else
        MoveCaretTo(event.control ? GetTextLength() : LineEnd(line), event.shift);
    return true;
}

bool EditWindow::ArrowKey(const KeyEvent& event, int direction)
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    if (!event.shift && !event.control && HasSelection())
        MoveCaretTo(direction < 0 ? start : end, false);
    else if (event.control)
        MoveCaretTo(direction < 0 ? WordStartBefore(caret) : WordEndAfter(caret), event.shift);
    else
        MoveCaretTo(CharStep(caret, direction), event.shift);
    return true;
}

bool EditWindow::EraseKey(const KeyEvent& event, int direction)
{
    if (direction > 0 && event.shift && !event.control) {
        Cut(); // Shift+Delete
        return true;
    }
    if (HasSelection())
        ReplaceSel({});
    else if (event.control && direction < 0)
        Replace(WordStartBefore(caret), caret, {});
    else if (event.control)
        Replace(caret, WordEndAfter(caret), {});
    else if (direction < 0)
        Char(0x08);
    else
        Replace(caret, CharStep(caret, 1), {});
    ScrollCaret();
    return true;
}

bool EditWindow::InsertKey(const KeyEvent& event, const char* text)
{
    // Line breaks and tabs are text only in a multi-line window; Ctrl+Tab moves the focus.
    if (style != WindowStyle::MultiLine || (event.control && text[0] == '\t'))
        return false;
    ReplaceSel(text);
    ScrollCaret();
    return true;
}

bool EditWindow::OwnKey(const KeyEvent& event)
{
    using Handler = bool (*)(EditWindow&, const KeyEvent&);
    struct KeyEntry {
        int virtualKey;
        Handler handle;
    };
    // The keys the window handles itself; the others type their US-keyboard character.
    static constexpr KeyEntry Keys[] = {
        {vk::Insert, [](EditWindow& w, const KeyEvent& e) { return w.ClipboardKey(e); }},
        {vk::Up, [](EditWindow& w, const KeyEvent& e) { w.MoveCaretVertically(-1, e.shift); return true; }},
        {vk::Down, [](EditWindow& w, const KeyEvent& e) { w.MoveCaretVertically(1, e.shift); return true; }},
        {vk::PageUp, [](EditWindow& w, const KeyEvent& e) { return w.PageKey(e, -1); }},
        {vk::PageDown, [](EditWindow& w, const KeyEvent& e) { return w.PageKey(e, 1); }},
        {vk::Home, [](EditWindow& w, const KeyEvent& e) { return w.LineEdgeKey(e, -1); }},
        {vk::End, [](EditWindow& w, const KeyEvent& e) { return w.LineEdgeKey(e, 1); }},
        {vk::Left, [](EditWindow& w, const KeyEvent& e) { return w.ArrowKey(e, -1); }},
        {vk::Right, [](EditWindow& w, const KeyEvent& e) { return w.ArrowKey(e, 1); }},
        {vk::Backspace, [](EditWindow& w, const KeyEvent& e) { return w.EraseKey(e, -1); }},
        {vk::Delete, [](EditWindow& w, const KeyEvent& e) { return w.EraseKey(e, 1); }},
        {vk::Enter, [](EditWindow& w, const KeyEvent& e) { return w.InsertKey(e, "\r\n"); }},
        {vk::Tab, [](EditWindow& w, const KeyEvent& e) { return w.InsertKey(e, "\t"); }},
    };
    for (const KeyEntry& entry : Keys) {
        if (entry.virtualKey == event.virtualKey)
            return entry.handle(*this, event);
    }
    if (event.control)
        return false;
    const char c = UsKeyboardChar(event.virtualKey, event.shift);
    if (c == 0)
        return false;
    Char(static_cast<unsigned char>(c));
    ScrollCaret();
    return true;
}

// ----- mouse -----

void EditWindow::MousePress(Point point, bool shift)
{
    const int index = CharFromPos(point).index;
    SetSelectionInternal(shift ? anchor : index, index, false);
    dragging = true;
}

void EditWindow::MouseMove(Point point)
{
    if (!dragging)
        return;
    // Dragging past the top or bottom edge scrolls, so a selection can grow beyond the view.
    if (point.y < 0)
        ScrollLines(-1);
    else if (point.y >= viewHeight && viewHeight > 0)
        ScrollLines(1);
    SetSelectionInternal(anchor, CharFromPos(point).index, false);
}

void EditWindow::MouseRelease(Point point)
{
    MouseMove(point);
    dragging = false;
}

void EditWindow::MouseDoubleClick(Point point)
{
    const int index = CharFromPos(point).index;
    int from = index;
    int to = index;
    while (from > 0 && IsWordByte(text.At(from - 1)))
        --from;
    while (to < GetTextLength() && IsWordByte(text.At(to)))
        ++to;
    SetSelectionInternal(from, to, false);
    dragging = false;
}

void EditWindow::Wheel(int angleDelta)
{
    ScrollLines(-angleDelta * LinesPerNotch / WheelStep);
}

// ----- views -----

void EditWindow::AddObserver(EditWindowObserver* observer)
{
    if (observer && std::find(observers.begin(), observers.end(), observer) == observers.end())
        observers.push_back(observer);
}

void EditWindow::RemoveObserver(EditWindowObserver* observer)
{
    observers.erase(std::remove(observers.begin(), observers.end(), observer), observers.end());
}

void EditWindow::NotifyText(const TextChange& change)
{
    for (EditWindowObserver* o : observers)
        o->TextChanged(change);
}

void EditWindow::NotifySelection()
{
    for (EditWindowObserver* o : observers)
        o->SelectionChanged();
}

void EditWindow::NotifyScroll()
{
    for (EditWindowObserver* o : observers)
        o->ScrollChanged();
}

} // namespace editctl
