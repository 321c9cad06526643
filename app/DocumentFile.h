/** @file DocumentFile.h
 ** Document files on disk: the optional header line, text-mode line ends, DOS mode's 80 columns. **/
#pragma once

#include "keymap/DocumentFormat.h"
#include "platform/TextMode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace editctl {
class PersianEdit;
}

namespace app {

// The byte format is shared with batch conversion and the command line, below this folder.
using keymap::DecodedDocument;
using keymap::DecodeDocument;
using keymap::DocumentHeader;
using keymap::DocumentLines;
using keymap::DocumentReadLimit;
using keymap::DocumentTextLimit;
using keymap::DosColumns;
using keymap::EncodeDocument;
using keymap::FormatHeaderLine;
using keymap::ScanHeaderKeymap;
using keymap::ScanHeaderLine;

/// How documents are read and written: DOS mode's 80-column field, and whether a save writes the
/// header line. The caller takes it from the settings.
struct DocumentFormat {
    bool dosMode = false;
    bool saveHeader = false;
};

/// What LoadTextFile did: whether the text was loaded, and how many bytes after an end-of-file mark
/// it left out (a later save drops them, which the caller tells the user).
struct LoadedFile {
    bool loaded = false;
    size_t bytesAfterEndMark = 0;
    explicit operator bool() const { return loaded; }
};
/// Replaces the editor's whole text with the document at `path`, applying a header's font, size
/// and keymap. Only regular files are opened, so a FIFO or a device cannot stall the window. When
/// the file cannot be read it shows "Cannot open the file" and the reason on a second line (caption
/// "Error") and returns false with the editor unchanged.
LoadedFile LoadTextFile(editctl::PersianEdit& editor, const std::string& path, const DocumentFormat& format);
/// Writes the editor's display lines to `path` atomically, with the header when the format asks
/// for it. Clears `modified` only when the file was written; a failure leaves the old file
/// untouched and returns the system's reason (nothing is shown here).
platform::FileResult SaveTextFile(editctl::PersianEdit& editor, const std::string& path, const DocumentFormat& format);

/// Replaces the editor's whole text and keeps its modified flag as it was: a conversion between
/// encodings changes the glyph codes, not what the document says.
void ReplaceTextKeepingModified(editctl::PersianEdit& editor, const std::string& glyphs);

/// Text of the file dialogs' size box: "512 Bytes (512 bytes)" below 1024 bytes, else
/// "2.00KB (2048 bytes)".
std::string FileSizeText(std::uint64_t length);
/// What the file dialogs' extra panel shows for a selected file.
struct FilePreview {
    std::string sizeText;
    std::string keyboardText; // the header's keymap name, or "---"
};
/// The panel's texts for `path`, or nothing when the file cannot be opened (the boxes then keep
/// what they showed).
std::optional<FilePreview> PreviewFile(const std::string& path);

} // namespace app
