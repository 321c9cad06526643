/** @file PersianEdit.h
 ** The Persian edit control: key-down translation into contextual glyph shapes, the editing
 ** commands, right-to-left caret movement and line layout, on top of an EditWindow. **/
#pragma once

#include "editctl/Clipboard.h"
#include "editctl/EditWindow.h"
#include "editctl/GlyphMetrics.h"
#include "editctl/KeyEvent.h"
#include "editctl/UndoSnapshot.h"
#include "keymap/KeyMap.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace editctl {

/// The editor's text-entry component. Its text is glyph codes in display order with CR LF between
/// lines: a Persian line begins at the end of its string, the glyph logically before the caret is
/// the one at the caret index, and typing inserts at the caret leaving the caret in place. Owners
/// bind a keymap (not owned) and a glyph-metrics provider (not owned) and forward key-downs to
/// PreTranslateMessage; keys it does not consume go on to the owner's shortcuts and then to
/// Window().KeyDown.
/// Whether an arrow step moves the caret or extends the selection (Shift).
enum class Selecting { Move, Extend };
/// What an arrow or deletion key takes: one character, or a word (Control).
enum class Unit { Character, Word };
/// Whether a command ends the run of digits typed left to right.
enum class DigitRun { Keep, End };

class PersianEdit {
public:
    explicit PersianEdit(WindowStyle style = WindowStyle::MultiLine);
    PersianEdit(const PersianEdit&) = delete;
    PersianEdit& operator=(const PersianEdit&) = delete;
    virtual ~PersianEdit();

    EditWindow& Window() { return window; }
    const EditWindow& Window() const { return window; }

    // Binding and layout.
    /// Stores the keymap pointer; nothing else. A control without a keymap types nothing.
    void SetKeyMap(keymap::KeyMap* map);
    keymap::KeyMap* KeyMapInUse() const { return keyMap; }
    /// The provider SetEditFont asks for advances (not owned); null uses fixed advances.
    void SetMetrics(GlyphMetrics* provider);
    /// Chooses the display font; always true.
    bool SetEditFont(const std::string& face, int height);
    /// The window's new size in pixels, its text area taken as TextAreaWidth gives it; rewraps.
    void Resize(int width, int height);
    /// The window's width (what the line break rules use) and the text area inside it, as a widget
    /// measured them; the one place both are set, so a document is wrapped once per size change.
    void SetTextArea(int width, int textWidth, int textHeight);
    int WindowWidth() const { return windowWidth; }
    /// Width of the text area for a window width: the frame and, for multi-line windows, the
    /// vertical scroll bar take the rest.
    static int TextAreaWidth(int width, WindowStyle style);

    // Input.
    /// True when the key was consumed by the key handler.
    bool PreTranslateMessage(const KeyEvent& event);
    /// 0: handled (consumed); 1: passed on to the owners and the window.
    int HandleKeyDown(const KeyEvent& event);
    /// PreTranslateMessage, then the window's own handling of keys not consumed (no owner shortcuts
    /// in between): what a control without an owner does with a key.
    void DeliverKey(const KeyEvent& event);

    // Typing (keystroke translation).
    void InsertGlyph(int code);
    /// The glyph logically before the caret (P1) and the one before that (P2); 0 where none.
    std::pair<int, int> CharsAtCaret() const;
    /// True when the caret is at the end of its line string (the logical start of the line).
    bool CaretAtLineEnd() const;
    bool IsDigitGlyph(int code) const;

    // Editing commands.
    void SaveUndo();
    void Undo();
    bool CanUndo() const { return !undoText.Empty(); }
    void CopyCommand();
    void PasteCommand(DigitRun run);
    void CutCommand(DigitRun run);
    void SelectAll();
    void HomeCommand();
    void EndCommand();
    void TabCommand(bool control);
    void EnterCommand();
    void BackspaceCommand(Unit unit);
    void DeleteCommand(Unit unit);
    void DeleteLine();
    void SwitchLanguage();
    void ReturnToPersian();

    // Right-to-left caret movement and line layout.
    void MoveRight(Selecting selecting, Unit unit);
    void MoveLeft(Selecting selecting, Unit unit);
    void NewLine();
    bool AutoBreak();
    /// The words of the next line that fit at the logical end of the caret line: the range they
    /// (and a line break going with them) take, and their text.
    struct PulledWords {
        int from = 0;
        int to = 0;
        std::string text;
    };
    PulledWords PullUpWords() const;
    bool FitsLine(const std::string& text) const;

    /// The undo snapshot's text as SaveUndo took it (rebuilt from the changes since).
    std::string UndoText() const { return undoText.Text(window); }

    // Fields.
    UndoSnapshot undoText;
    int undoSelStart = 0;
    int undoSelEnd = 0;
    int undoVerticalCount = 0;
    int undoHorizontalCount = 0;
    bool headerLoaded = false;
    int fontHeight = 0;
    std::string fontFace;
    bool dosMode = false;
    int maxChars = 80;
    int tabWidth = 3;
    bool modified = false;
    int horizontalCount = 0;
    bool englishMode = false;
    bool firstFont = true;
    int verticalCount = 0;

    /// Digits typed left to right since the last key that ended a number; shared by every control.
    static int digitRun;

private:
    bool IsMultiLine() const { return window.Style() == WindowStyle::MultiLine; }
    const keymap::KeyMap& Map() const;
    int LetterRule(const keymap::KeyRecord& record, bool shift);
    int SpaceRule();
    /// Gives the letter before the caret the shape a word ends with, as a space would.
    void SettleWordEnd();
    bool LamAlef(const keymap::KeyRecord& record, bool shift, int p1, int p2);
    void EndNumber();
    void InsertRightToLeft(const std::string& glyphs);
    void DeleteSelectionContent();
    int Dispatch(int key, bool shift, bool control);
    /// The Control key's result, or nothing when the key goes on to the plain handling.
    std::optional<int> DispatchControl(int key);
    int FormOf(int glyph) const;
    bool JoinsForward(int glyph) const;
    bool HasForm(int glyph, int form) const;
    int CaretLine() const;
    int TypingLimit() const;
    bool LineTooLong(int width, int length) const;
    void SetCaret(int index);
    /// A one-character step of an arrow key: which end of the selection moves, from where.
    struct HorizontalStep {
        int start = 0;
        int end = 0;
        bool movesEnd = false;
        int from = 0;
    };
    HorizontalStep BeginHorizontalStep() const;
    void JoinNextLineAt(int caret);
    void FinishHorizontalStep(bool shift, const HorizontalStep& step, int newStart, int newEnd);
    void BreakBeforeLastWord(int line, const std::string& word, int caretInWord, int caretOutside);
    int IndentationAtEnd(const std::string& line, int fromColumn) const;

    EditWindow window;
    int windowWidth = 0;
    keymap::KeyMap* keyMap = nullptr;
    keymap::KeyMap emptyKeyMap;
    GlyphMetrics* metrics = nullptr;
    FixedGlyphMetrics fallbackMetrics;
    std::unique_ptr<ClipboardCodec> clipboardCodec;
};

} // namespace editctl
