/** @file Clipboard.h
 ** The clipboard the edit control copies to and pastes from, with an in-memory one for tests. **/
#pragma once

#include <string>

namespace editctl {

/// What one copy puts on the clipboard: the glyph bytes with the name of the keymap they are in,
/// and the same text in Unicode (UTF-8) for other programs. A paste from another program may carry
/// only the Unicode text, or only Latin-1 bytes in `latin1`.
struct ClipboardData {
    bool hasGlyphs = false;
    std::string glyphs;
    std::string keymapName;
    std::string unicodeText; // UTF-8; empty when none
    std::string latin1;      // plain 8-bit text of other programs; empty when none

    bool Empty() const { return !hasGlyphs && unicodeText.empty() && latin1.empty(); }
};

/// The system clipboard as the edit control sees it.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void Put(const ClipboardData& data) = 0;
    virtual ClipboardData Get() const = 0;
};

/// A clipboard in memory, for tests and for a process without a display.
class MemoryClipboard : public Clipboard {
public:
    void Put(const ClipboardData& d) override { data = d; }
    ClipboardData Get() const override { return data; }
    ClipboardData data;
};

/// Turns selected glyph text into clipboard data and clipboard data back into glyph text of the
/// window's keymap. The edit control that knows its keymap supplies one; without it the glyph
/// bytes travel as they are.
class ClipboardCodec {
public:
    virtual ~ClipboardCodec() = default;
    virtual ClipboardData Encode(const std::string& glyphs) const = 0;
    virtual std::string Decode(const ClipboardData& data) const = 0;
};

/// The process-wide clipboard the edit controls use unless given another. Starts as a
/// MemoryClipboard; a program with a display installs the system one. Not owned.
Clipboard& CurrentClipboard();
void InstallClipboard(Clipboard* clipboard);

/// Lone line feeds of text from other programs become CR LF, the line break of the edit window.
std::string WithCrLf(const std::string& bytes);

} // namespace editctl
