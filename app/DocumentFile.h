/** @file DocumentFile.h
 ** Document files on disk: the optional header line, text-mode line ends, DOS mode's 80 columns. **/
#pragma once

#include "platform/TextMode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace editctl {
class PersianEdit;
}

namespace app {

/// Fields of a document header line "Kelmora : f[face] s[size] k[keymap]". Fields the line does
/// not carry keep the values they had before the scan.
struct DocumentHeader {
    std::string faceName;
    std::optional<int> size;
    std::string keymapName;
};

/// The header line written before the text (without its line end).
std::string FormatHeaderLine(const std::string& faceName, int size, const std::string& keymapName);

/// Decides whether `line` (without its line end) is a header: its seventh character completes the
/// word "Kelmora" (case-sensitive); fields are taken from the first three bracket pairs.
bool ScanHeaderLine(std::string_view line, DocumentHeader& header);
/// The same test, taking only the keymap name (the third field).
bool ScanHeaderKeymap(std::string_view line, std::string& keymapName);

/// Width of a line in DOS mode: lines are right-aligned in a field of this many characters.
inline constexpr size_t DosColumns = 80;

/// Disk bytes of a document to the edit control's text (CR LF between lines) and the header found
/// on its first line, if any. DOS mode pads each line to 80 columns before leading spaces go.
struct DecodedDocument {
    std::string text;
    std::optional<DocumentHeader> header;
};
DecodedDocument DecodeDocument(std::string_view diskBytes, bool dosMode);
/// Display lines to disk bytes: header (when given) then each line with leading spaces removed and,
/// in DOS mode, right-aligned in 80 columns. `lines` are the window's display lines.
struct DocumentLines {
    virtual ~DocumentLines() = default;
    virtual size_t Count() const = 0;
    virtual std::string Line(size_t index) const = 0;
};
std::string EncodeDocument(const DocumentLines& lines, bool dosMode, const std::optional<std::string>& headerLine);

/// How documents are read and written: DOS mode's 80-column field, and whether a save writes the
/// header line. The caller takes it from the settings.
struct DocumentFormat {
    bool dosMode = false;
    bool saveHeader = false;
};

/// Replaces the editor's whole text with the document at `path`, applying a header's font, size
/// and keymap. When the file cannot be read it shows "Cannot open the file" (caption "Error") and
/// returns false with the editor unchanged.
bool LoadTextFile(editctl::PersianEdit& editor, const std::string& path, const DocumentFormat& format);
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
