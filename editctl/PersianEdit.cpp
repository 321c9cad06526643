#include "editctl/PersianEdit.h"

#include "editctl/KeymapClipboardCodec.h"
#include "keymap/ArabicScript.h"
#include "keymap/UnicodeBridge.h"

#include <algorithm>

namespace editctl {

int PersianEdit::digitRun = 0;

namespace {

constexpr int FrameBorder = 2;   // each side of the window's border
constexpr int ScrollBarWidth = 16;

} // namespace

PersianEdit::PersianEdit(WindowStyle style) : window(style)
{
    window.SetRecorder(&undoText);
    window.SetUserEditHandler([this] { modified = true; });
    window.SetMetrics(&fallbackMetrics);
    auto codec = std::make_unique<KeymapClipboardCodec>([this]() -> const keymap::KeyMap& { return Map(); });
    // Other programs get and give Unicode; the bridge of the bound keymap translates.
    codec->exportUnicode = [](const keymap::KeyMap& map, const std::string& glyphs) {
        return keymap::UnicodeBridge(map).ExportUtf8(glyphs);
    };
    // Letters the font lacks are written as their nearest (best fit, as batch conversion does).
    // Text the keymap cannot type at all comes as Latin-1 bytes when it is Latin-1 text (Latin
    // letters without English support), as 8-bit text was always pasted.
    codec->importUnicode = [](const keymap::KeyMap& map, const std::string& utf8) {
        std::vector<keymap::Unrepresentable> problems;
        std::string glyphs = keymap::UnicodeBridge(map).ImportUtf8(utf8, &problems);
        if (std::all_of(problems.begin(), problems.end(), [](const keymap::Unrepresentable& p) { return p.writtenAs != 0; }))
            return glyphs;
        return KeymapClipboardCodec::Latin1Of(utf8).value_or(std::move(glyphs));
    };
    clipboardCodec = std::move(codec);
    window.SetClipboardCodec(clipboardCodec.get());
}

PersianEdit::~PersianEdit() = default;

const keymap::KeyMap& PersianEdit::Map() const
{
    // Without a bound keymap every key is the empty record: nothing is typed, nothing breaks.
    return keyMap ? *keyMap : emptyKeyMap;
}

void PersianEdit::SetKeyMap(keymap::KeyMap* map)
{
    keyMap = map;
}

void PersianEdit::SetMetrics(GlyphMetrics* provider)
{
    metrics = provider;
}

bool PersianEdit::SetEditFont(const std::string& face, int height)
{
    firstFont = false;
    GlyphMetrics& m = metrics ? *metrics : fallbackMetrics;
    m.SetFont(face, height);
    fontFace = face;
    fontHeight = height;
    window.SetMetrics(&m);
    return true;
}

int PersianEdit::TextAreaWidth(int width, WindowStyle style)
{
    const int frame = 2 * FrameBorder + (style == WindowStyle::MultiLine ? ScrollBarWidth : 0);
    return std::max(0, width - frame);
}

void PersianEdit::Resize(int width, int height)
{
    SetTextArea(width, TextAreaWidth(width, window.Style()), height - 2 * FrameBorder);
}

void PersianEdit::SetTextArea(int width, int textWidth, int textHeight)
{
    windowWidth = width;
    window.SetViewSize(std::max(0, textWidth), std::max(0, textHeight));
}

// ----- input -----

bool PersianEdit::PreTranslateMessage(const KeyEvent& event)
{
    return HandleKeyDown(event) == 0;
}

void PersianEdit::DeliverKey(const KeyEvent& event)
{
    if (!PreTranslateMessage(event))
        window.KeyDown(event);
}

int PersianEdit::HandleKeyDown(const KeyEvent& event)
{
    int key = event.virtualKey;
    bool shift = event.shift;
    const bool control = event.control;
    if (key == vk::F3 || key == vk::F12 || key == vk::Escape || key == vk::Add || key == vk::Subtract)
        return 1;
    // The period key's record is read with Shift reversed: unshifted it types what Shift types on
    // a letter key. Numpad digits (0x60..0x69) type as the digit keys (0x30..0x39) they stand for.
    if (key == vk::OemPeriod)
        shift = !shift;
    else if (key >= vk::Numpad0 && key <= vk::Numpad0 + 9)
        key -= vk::Numpad0 - vk::Digit0;
    if (control) {
        if (const std::optional<int> result = DispatchControl(key))
            return *result;
    }
    if (englishMode)
        return 1;
    if (shift && key == vk::Insert) {
        PasteCommand(DigitRun::Keep);
        return 0;
    }
    if (shift && key == vk::Delete) {
        CutCommand(DigitRun::Keep);
        return 0;
    }
    return Dispatch(key, shift, control);
}

std::optional<int> PersianEdit::DispatchControl(int key)
{
    switch (key) {
    case vk::Insert:
    case vk::C: CopyCommand(); return 0;
    case vk::A: SelectAll(); return 0;
    case vk::L:
    case vk::Y: DeleteLine(); return 0;
    case vk::P: SwitchLanguage(); return 0;
    case vk::V: PasteCommand(DigitRun::End); return 0;
    case vk::X: CutCommand(DigitRun::End); return 0;
    case vk::Z: Undo(); return 0;
    case vk::Backspace:
    case vk::Tab:
    case vk::Enter:
    case vk::PageUp:
    case vk::PageDown:
    case vk::Left:
    case vk::Up:
    case vk::Right:
    case vk::Down:
    case vk::Delete: return std::nullopt;
    default: return 1;
    }
}

int PersianEdit::Dispatch(int key, bool shift, bool control)
{
    switch (key) {
    case vk::Backspace: BackspaceCommand(control ? Unit::Word : Unit::Character); return 0;
    case vk::Tab: TabCommand(control); return 0;
    case vk::Enter: EnterCommand(); return 0;
    case vk::PageUp:
    case vk::PageDown: digitRun = 0; return 1;
    case vk::Up:
    case vk::Down:
        // The window moves the caret itself; the counters remember which end the user extends.
        digitRun = 0;
        if (shift)
            verticalCount += key == vk::Up ? 1 : -1;
        else
            horizontalCount = verticalCount = 0;
        return 1;
    case vk::End: EndCommand(); return 0;
    case vk::Home: HomeCommand(); return 0;
    case vk::Left:
    case vk::Right: {
        digitRun = 0;
        const Selecting selecting = shift ? Selecting::Extend : Selecting::Move;
        const Unit unit = control ? Unit::Word : Unit::Character;
        if (key == vk::Left)
            MoveLeft(selecting, unit);
        else
            MoveRight(selecting, unit);
        if (shift)
            horizontalCount += key == vk::Right ? 1 : -1;
        else
            horizontalCount = verticalCount = 0;
        return 0;
    }
    case vk::Delete: DeleteCommand(control ? Unit::Word : Unit::Character); return 0;
    case vk::Space: return SpaceRule();
    default: return LetterRule(Map().RecordForKey(key), shift);
    }
}

// ----- typing -----

void PersianEdit::InsertGlyph(int code)
{
    modified = true;
    int start = 0;
    int end = 0;
    window.GetSel(start, end);
    // The byte goes in as it is: glyph codes that happen to be control characters are glyphs here,
    // and code 0 (a form the font lacks) inserts nothing.
    if (code > 0 && code < 256)
        window.ReplaceSel(std::string(1, static_cast<char>(code)));
    window.SetSel(start, end);
    window.ScrollCaret();
}

void PersianEdit::InsertRightToLeft(const std::string& glyphs)
{
    modified = true;
    int start = 0;
    int end = 0;
    window.GetSel(start, end);
    window.ReplaceSel(glyphs);
    window.SetSel(start, start);
}

std::pair<int, int> PersianEdit::CharsAtCaret() const
{
    int start = 0;
    int end = 0;
    window.GetSel(start, end);
    return {window.CharAt(start), window.CharAt(start + 1)};
}

bool PersianEdit::CaretAtLineEnd() const
{
    int start = 0;
    int end = 0;
    window.GetSel(start, end);
    return start == window.LineIndex(-1) + window.LineLength(-1);
}

bool PersianEdit::IsDigitGlyph(int code) const
{
    int form = 0;
    const int keyCode = Map().RecordRefForGlyph(code, form).keyCode;
    return keyCode >= '0' && keyCode <= '9';
}

int PersianEdit::FormOf(int glyph) const
{
    int form = -1;
    Map().RecordRefForGlyph(glyph, form);
    return form;
}

bool PersianEdit::HasForm(int glyph, int form) const
{
    return Map().RecordIndexForGlyphForm(form, glyph) != -1;
}

bool PersianEdit::JoinsForward(int glyph) const
{
    // Nothing, a space and a line end never join, whatever the keymap's empty fields say.
    if (glyph == 0 || glyph == ' ' || glyph == '\r' || glyph == '\n')
        return false;
    const int form = FormOf(glyph);
    return form == keymap::Medial || form == keymap::Initial || form == keymap::ExtInitial;
}

void PersianEdit::DeleteSelectionContent()
{
    if (!window.HasSelection())
        return;
    int start = 0;
    int end = 0;
    window.GetSel(start, end);
    window.ReplaceSel({});
}

void PersianEdit::EndNumber()
{
    if (digitRun <= 0)
        return;
    const int lineStart = window.LineIndex(CaretLine());
    for (int c = window.Caret(); c > lineStart && IsDigitGlyph(window.CharAt(c - 1));) {
        MoveLeft(Selecting::Move, Unit::Character);
        if (window.Caret() >= c)
            break;
        c = window.Caret();
    }
    digitRun = 0;
}

int PersianEdit::LetterRule(const keymap::KeyRecord& record, bool shift)
{
    if (record.initial == 0 && record.isolated == 0 && record.final == 0)
        return 0;
    // The snapshot comes before the selection goes, so undo brings back what the letter replaced.
    SaveUndo();
    DeleteSelectionContent();
    horizontalCount = verticalCount = 0;
    const int type = record.extIsolated;
    if (type == keymap::DigitKey) {
        modified = true;
        if (shift) {
            InsertGlyph(record.final);
        } else {
            InsertGlyph(record.medial);
            ++digitRun;
            MoveRight(Selecting::Move, Unit::Character);
        }
        AutoBreak();
        return 0;
    }
    EndNumber();
    if (type == keymap::SymbolKey || (type == keymap::LetterWithShiftSymbol && shift)) {
        modified = true;
        InsertGlyph(type == keymap::SymbolKey ? (shift ? record.final : record.medial) : record.extMedial);
        AutoBreak();
        return 0;
    }
    const auto [p1, p2] = CharsAtCaret();
    if (record.keyCode == vk::H && LamAlef(record, shift, p1, p2))
        return 0;
    const bool wordStart = p1 == ' ' || CaretAtLineEnd() || !JoinsForward(p1);
    int glyph = 0;
    if (wordStart)
        glyph = (record.initial != 0 && !shift) ? record.initial : record.isolated;
    else
        glyph = (record.medial != 0 && !shift) ? record.medial : record.final;
    InsertGlyph(glyph);
    AutoBreak();
    return 0;
}

bool PersianEdit::LamAlef(const keymap::KeyRecord& record, bool shift, int p1, int p2)
{
    const keymap::KeyRecord ligature = Map().RecordForKey(vk::OemPeriod);
    const keymap::KeyRecord lam = Map().RecordForKey(vk::G);
    if (p1 != 0 && (p1 == lam.initial || p1 == lam.medial)) {
        modified = true;
        int start = 0;
        int end = 0;
        window.GetSel(start, end);
        window.Replace(start, start + 1, {});
        window.SetSel(start, start);
        const bool standsAlone = HasForm(p2, keymap::Isolated) || HasForm(p2, keymap::Final) || p2 == ' ' ||
                                 p2 == 0 || p2 == '\r';
        InsertGlyph(standsAlone ? ligature.isolated : ligature.final);
        return true;
    }
    if (shift) {
        InsertGlyph(record.extIsolated);
        AutoBreak();
        return true;
    }
    return false;
}

int PersianEdit::SpaceRule()
{
    SaveUndo();
    DeleteSelectionContent();
    horizontalCount = verticalCount = 0;
    const auto [p1, p2] = CharsAtCaret();
    if ((Map().SupportsEnglish() && keymap::script::IsAsciiLetter(static_cast<char32_t>(p1))) || p1 == '\r') {
        InsertRightToLeft(" ");
        return 0;
    }
    SettleWordEnd();
    if (AutoBreak())
        return 0;
    InsertRightToLeft(" ");
    return 0;
}

void PersianEdit::SettleWordEnd()
{
    const auto [p1, p2] = CharsAtCaret();
    // The letter before the caret sits at the caret; ending a number may move the caret left
    // over the digits, but the letter to reshape stays where it is.
    const int p1Index = window.Caret();
    EndNumber();
    if (p1 == 0 || p1 == ' ' || p1 == '\r' || p1 == '\n')
        return;
    int form = -1;
    const keymap::KeyRecord& owner = Map().RecordRefForGlyph(p1, form);
    const bool letterKey = owner.extIsolated == keymap::LetterKey || owner.extIsolated == keymap::LetterWithShiftSymbol;
    if (form < keymap::Isolated || form > keymap::Initial || !letterKey)
        return;
    const bool joined = p2 != 0 && p2 != ' ' && p2 != '\r' && (HasForm(p2, keymap::Initial) || HasForm(p2, keymap::Medial));
    const int endShape = joined ? owner.final : owner.isolated;
    const int caret = window.Caret();
    if (endShape != 0 && endShape != p1)
        window.Replace(p1Index, p1Index + 1, std::string(1, static_cast<char>(endShape)));
    window.SetSel(caret, caret);
}

} // namespace editctl
