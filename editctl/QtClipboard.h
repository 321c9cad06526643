/** @file QtClipboard.h
 ** The system clipboard for the edit control, with glyph bytes under a private format. **/
#pragma once

#include "editctl/Clipboard.h"

#include <QString>

class QMimeData;

namespace editctl {

/// Puts a copy on QClipboard twice: the glyph bytes under GlyphsMimeType with their keymap's name
/// under KeymapMimeType (so our own controls paste the exact glyphs, converted when the keymaps
/// differ), and the Unicode text as text/plain for every other program. Reading gives back what
/// is there: the private pair when present, the plain text as UTF-8, and the same text as Latin-1
/// bytes when every character fits in one byte.
class QtClipboard : public Clipboard {
public:
    static const QString GlyphsMimeType;
    static const QString KeymapMimeType;

    QtClipboard() = default;
    void Put(const ClipboardData& data) override;
    ClipboardData Get() const override;

    /// The clipboard data written as MIME data, and read back; used by Put and Get and by drag and drop.
    static QMimeData* ToMimeData(const ClipboardData& data);
    static ClipboardData FromMimeData(const QMimeData* mime);

    /// One instance serves every control of the process.
    static QtClipboard& Shared();
    /// The platform's selection board (X11's primary selection), or nullptr where there is none.
    static QtClipboard* SharedSelection();

private:
    enum class Board { Clipboard, Selection };
    explicit QtClipboard(Board board) : board(board) {}
    Board board = Board::Clipboard;
};

} // namespace editctl
