/** @file EditWindow.h
 ** The edit window underneath PersianEdit: glyph text with CR LF between text lines, selection and
 ** caret, display lines wrapped at the window width, scrolling, and the window's own keys and mouse. **/
#pragma once

#include "editctl/Clipboard.h"
#include "editctl/GapBuffer.h"
#include "editctl/GlyphMetrics.h"
#include "editctl/KeyEvent.h"
#include "editctl/LineStarts.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace editctl {

/// A point in window pixels: x from the left of the text area, y from its top.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(Point, Point) = default;
};

/// EM_CHARFROMPOS's answer: the character nearest a point and the display line it lies on.
struct CharPosition {
    int index = 0;
    int line = 0;
    friend bool operator==(CharPosition, CharPosition) = default;
};

/// A change of the text, as views need it to repaint: display lines from `firstLine` on are new;
/// when `lineCountChanged` is false only lines firstLine..lastLine (inclusive) differ.
struct TextChange {
    int firstLine = 0;
    int lastLine = 0;
    bool lineCountChanged = false;
};

/// The one way an edit window tells its views what to redraw.
class EditWindowObserver {
public:
    virtual ~EditWindowObserver() = default;
    virtual void TextChanged(const TextChange& change) = 0;
    virtual void SelectionChanged() = 0;
    virtual void ScrollChanged() = 0;
};

/// Sees every change of the text before it is made, with the bytes it removes; the undo snapshot
/// keeps itself up to date this way.
class EditRecorder {
public:
    virtual ~EditRecorder() = default;
    virtual void Replacing(int position, const std::string& removed, int insertedLength) = 0;
};

enum class WindowStyle { SingleLine, MultiLine };

/// A left-to-right edit window holding glyph bytes in display order. Text lines are separated by
/// the pair CR LF; a multi-line window wraps each text line into display lines at its width, breaking
/// after a space (a word wider than the window breaks at a character). Line numbers, line indexes
/// and line lengths are those of display lines. Invariants: 0 <= selection <= text length and no
/// selection end or caret ever sits between the CR and the LF of a line break.
class EditWindow {
public:
    explicit EditWindow(WindowStyle style = WindowStyle::MultiLine);
    EditWindow(const EditWindow&) = delete;
    EditWindow& operator=(const EditWindow&) = delete;

    // Geometry and measuring.
    /// Size of the text area in pixels; a multi-line window rewraps at the new width.
    void SetViewSize(int width, int height);
    int ViewWidth() const { return viewWidth; }
    int ViewHeight() const { return viewHeight; }
    /// Takes the advances of the metrics' current font and rewraps. Not owned; may be null for
    /// a fixed 8-pixel advance and 16-pixel line.
    void SetMetrics(const GlyphMetrics* metrics);
    void MetricsChanged();
    int Advance(keymap::GlyphCode code) const { return advances[code]; }
    int LineHeight() const { return lineHeight; }
    /// Width in pixels of a run of glyphs: the sum of their advances.
    int TextWidth(const std::string& glyphs) const;
    int TextWidth(int from, int to) const;
    WindowStyle Style() const { return style; }
    /// Glyphs measured so far by position and width look-ups; shows that placing the caret or
    /// hit-testing stays within one display line.
    std::uint64_t MeasuredGlyphs() const { return measuredGlyphs; }
    /// Glyphs after which a multi-line window wraps a display line whatever their width.
    static int MaxDisplayLineGlyphs();

    // Whole text (GetWindowTextA, SetWindowTextA, GetWindowTextLengthA).
    std::string GetText() const { return text.Substring(0, text.Length()); }
    void SetText(const std::string& glyphs);
    int GetTextLength() const { return text.Length(); }
    /// One byte of the text (0 outside it) and a range of it, without copying the whole text.
    unsigned char CharAt(int index) const;
    std::string TextRange(int from, int to) const;
    /// The whole text as two runs to read in order, without copying (searching a long document);
    /// valid until the text next changes.
    std::pair<std::string_view, std::string_view> TextParts() const { return text.Parts(); }

    // Selection and caret (EM_GETSEL, EM_SETSEL, GetCaretPos, SetCaretPos).
    /// Selection as (start, end) with start <= end.
    void GetSel(int& start, int& end) const;
    /// Selects from `anchor` to `active`; the caret goes to `active`. Both are clamped to the text,
    /// and an index between CR and LF moves before the CR.
    void SetSel(int anchor, int active);
    int Anchor() const { return anchor; }
    int Caret() const { return caret; }
    bool HasSelection() const { return anchor != caret; }
    Point GetCaretPos() const { return PosFromChar(caret); }
    /// Moves the displayed caret to the selection end at `point` (the selection stays); a point at
    /// neither end places a bare caret there.
    void SetCaretPos(Point point);

    // Editing (EM_REPLACESEL, WM_CHAR).
    /// Replaces the selection with `glyphs`, the caret after them.
    void ReplaceSel(const std::string& glyphs);
    /// Types one character at the caret as the window's own typing does: replaces the selection,
    /// the caret after the character. Backspace (0x08) deletes the character before the caret.
    void Char(unsigned char code);
    /// Replaces text [from, to) with `glyphs` without touching the selection more than needed to keep
    /// it valid; the primitive every edit goes through.
    void Replace(int from, int to, const std::string& glyphs);
    /// Replace without widening a range that splits a CR LF pair; for putting back exact bytes.
    void ReplaceExact(int from, int to, const std::string& glyphs);

    // Display lines (EM_LINEFROMCHAR, EM_LINEINDEX, EM_LINELENGTH, EM_GETLINE, EM_GETLINECOUNT).
    /// Display line of an index; -1 means the caret (the selection start, as the platform does).
    int LineFromChar(int index = -1) const;
    /// First index of a display line; -1 means the caret's line; -1 is returned past the last line.
    int LineIndex(int line = -1) const;
    /// Length of the display line holding `index` without its line break; -1 means the caret's line
    /// (with a selection, the characters on the selected lines outside the selection).
    int LineLength(int index = -1) const;
    /// Characters of a display line without its line break; empty past the last line. No length limit.
    std::string GetLine(int line) const;
    int GetLineCount() const { return lines.Count(); }
    /// Index just past a display line's characters (before its CR LF, if any).
    int LineEnd(int line) const;
    /// True when a display line ends at a CR LF rather than a soft wrap or the end of the text.
    bool EndsWithLineBreak(int line) const;

    // Pixels (EM_CHARFROMPOS, EM_POSFROMCHAR). Lines are right-aligned in the text area.
    CharPosition CharFromPos(Point point) const;
    /// Top-left corner of a character cell; the text length gives the end of the last line.
    Point PosFromChar(int index) const;
    /// Left edge of a display line in pixels (lines are right-aligned).
    int LineLeft(int line) const;

    // Scrolling (EM_SCROLLCARET and the vertical scroll bar).
    void ScrollCaret();
    int FirstVisibleLine() const { return firstVisible; }
    int VisibleLineCount() const;
    void SetFirstVisibleLine(int line);
    /// Scrolls by whole lines (negative: up), as the mouse wheel does.
    void ScrollLines(int delta);

    // Clipboard (WM_COPY, WM_PASTE, WM_CUT).
    void SetClipboard(Clipboard* board) { clipboard = board; }
    void SetClipboardCodec(const ClipboardCodec* codec) { clipboardCodec = codec; }
    /// The board a selection is offered on as soon as it is made (X11's primary selection, pasted
    /// with a middle click); none by default.
    void SetSelectionBoard(Clipboard* board) { selectionBoard = board; }
    Clipboard* SelectionBoard() const { return selectionBoard; }
    /// Puts the current selection, as Copy would, on the selection board; nothing without a
    /// selection or a board.
    void PublishSelection();
    void Copy();
    void Cut();
    void Paste();

    // The window's own keys: those the key handler passes on. Returns true when the key did something
    // the window knows (navigation, editing, typing of the US-keyboard character).
    bool KeyDown(const KeyEvent& event);
    /// Called after the window's own key handling changed the text (Latin typing, its Backspace
    /// and Delete), so the owner can mark its document modified.
    void SetUserEditHandler(std::function<void()> handler) { userEdited = std::move(handler); }
    /// Counts every change of the text; views and owners compare it to see whether anything changed.
    unsigned long ChangeCount() const { return changeCount; }

    // Mouse, in text-area pixels.
    void MousePress(Point point, bool shift);
    void MouseMove(Point point);
    void MouseRelease(Point point);
    void MouseDoubleClick(Point point);
    /// Wheel turn in eighths of a degree (Qt's angleDelta); 120 scrolls three lines up.
    void Wheel(int angleDelta);

    // Views and recorders (not owned).
    void AddObserver(EditWindowObserver* observer);
    void RemoveObserver(EditWindowObserver* observer);
    void SetRecorder(EditRecorder* r) { recorder = r; }

    /// The display line starts a fresh wrap of the whole text gives; for checking the incremental wrap.
    std::vector<int> FreshWrap() const;
    std::vector<int> LineStartsNow() const;
    /// Bytes the text and the display-line table take.
    std::size_t MemoryBytes() const { return text.Capacity() + lines.MemoryBytes(); }

private:
    void ReplaceRange(int from, int to, const std::string& glyphs);
    TextChange Rewrap(int fromLine, int editLine, int editEnd);
    int IndexAtX(int line, int x) const;
    bool StartsTextLine(int line) const;
    bool IsPairMiddle(int index) const;
    Clipboard& Board() const;
    ClipboardData SelectionData() const;
    void WrapAll();
    int NextBreak(int start) const;
    int ClampIndex(int index) const;
    void SetSelectionInternal(int newAnchor, int newCaret, bool keepGoalX);
    bool OwnKey(const KeyEvent& event);
    // The keys of OwnKey's table; direction -1 is towards the text's start, +1 towards its end.
    bool ClipboardKey(const KeyEvent& event);
    bool PageKey(const KeyEvent& event, int direction);
    bool LineEdgeKey(const KeyEvent& event, int direction);
    bool ArrowKey(const KeyEvent& event, int direction);
    bool EraseKey(const KeyEvent& event, int direction);
    bool InsertKey(const KeyEvent& event, const char* text);
    /// The index one character from `index` in a direction, a CR LF pair counting as one.
    int CharStep(int index, int direction) const;
    void MoveCaretVertically(int lines, bool extend);
    void MoveCaretTo(int index, bool extend);
    int WordStartBefore(int index) const;
    int WordEndAfter(int index) const;
    void NotifyText(const TextChange& change);
    void NotifySelection();
    void NotifyScroll();
    int WrapWidth() const;

    WindowStyle style;
    GapBuffer text;
    LineStarts lines;
    int anchor = 0;
    int caret = 0;
    int goalX = -1; // the x that Up and Down keep; -1 when the next vertical move sets it
    int viewWidth = 0;
    int viewHeight = 0;
    int firstVisible = 0;
    int lineHeight = 16;
    std::array<int, 256> advances{};
    const GlyphMetrics* metrics = nullptr;
    Clipboard* clipboard = nullptr;
    const ClipboardCodec* clipboardCodec = nullptr;
    Clipboard* selectionBoard = nullptr;
    EditRecorder* recorder = nullptr;
    std::vector<EditWindowObserver*> observers;
    bool dragging = false;
    unsigned long changeCount = 0;
    mutable std::uint64_t measuredGlyphs = 0;
    std::function<void()> userEdited;
};

} // namespace editctl
