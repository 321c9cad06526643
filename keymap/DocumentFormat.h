/** @file DocumentFormat.h
 ** Document bytes on disk: the optional header line, text-mode line ends, DOS mode's 80 columns. **/
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace keymap {

/// Fields of a document header line "Kelmora : f[face] s[size] k[keymap]". Fields the line does
/// not carry keep the values they had before the scan.
struct DocumentHeader {
    std::string faceName;
    std::optional<int> size;
    std::string keymapName;
};

/// A font family name without the " [foundry]" suffix that tells apart a family installed twice.
std::string FamilyWithoutFoundry(std::string family);

/// The header line written before the text (without its line end); brackets are dropped from the
/// fields, so every line written reads back.
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
    /// Bytes after the end-of-file mark that the text leaves out (see platform::BytesAfterEndMark).
    size_t bytesAfterEndMark = 0;
    /// Set when the text would pass DocumentTextLimit; `text` is then incomplete and not to be used.
    bool tooLong = false;
};

/// The largest document file opened. The edit window addresses its text with int positions, and
/// decoding can double a file (each lone LF becomes CR LF), so 512 MB keeps any decoded text well
/// inside that range while the disk copy, the text and the window's buffer are held at once.
inline constexpr size_t DocumentReadLimit = size_t{512} << 20;
/// The longest decoded text: DOS mode pads every short line to 80 columns, which can make a small
/// file of short lines many times longer than itself.
inline constexpr size_t DocumentTextLimit = size_t{1} << 30;
DecodedDocument DecodeDocument(std::string_view diskBytes, bool dosMode);
/// The same into `document`, reusing its memory and `scratch`'s, for one buffer over many files.
/// Neither may hold `diskBytes`.
void DecodeDocument(std::string_view diskBytes, bool dosMode, DecodedDocument& document, std::string& scratch);
/// Display lines to disk bytes: header (when given) then each line with leading spaces removed and,
/// in DOS mode, right-aligned in 80 columns. `lines` are the window's display lines.
struct DocumentLines {
    virtual ~DocumentLines() = default;
    virtual size_t Count() const = 0;
    virtual std::string Line(size_t index) const = 0;
};
std::string EncodeDocument(const DocumentLines& lines, bool dosMode, const std::optional<std::string>& headerLine);
/// EncodeDocument of the lines of `text` (split at LF, a CR before it dropped), into `out`, whose
/// memory is reused. `out` may not hold `text`.
void EncodeDocumentText(std::string_view text, bool dosMode, const std::optional<std::string>& headerLine,
                        std::string& out);

} // namespace keymap
