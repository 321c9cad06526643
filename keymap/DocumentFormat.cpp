#include "keymap/DocumentFormat.h"

#include "platform/TextMode.h"

#include <algorithm>
#include <string>

namespace keymap {

namespace {

constexpr std::string_view HeaderWord = "Kelmora";

/// The header walk shared by ScanHeaderLine and ScanHeaderKeymap. Each field is taken at the
/// first "]" of its bracket count; later ones are ignored.
bool WalkHeader(std::string_view line, DocumentHeader& header, bool keymapOnly)
{
    std::string token;
    int brackets = 0;
    int lastAssigned = 0;
    bool isHeader = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ']') {
            if (brackets > lastAssigned && brackets <= 3) {
                if (brackets == 1 && !keymapOnly)
                    header.faceName = token;
                else if (brackets == 2 && !keymapOnly)
                    header.size = platform::AtoiRule(token);
                else if (brackets == 3)
                    header.keymapName = token;
                lastAssigned = brackets;
            }
            token.clear();
        }
        token.push_back(c);
        if (i == HeaderWord.size() - 1) {
            if (token != HeaderWord)
                return false;
            isHeader = true;
        }
        if (c == '[') {
            token.clear();
            ++brackets;
        }
        if (lastAssigned == 3)
            break; // anything after the third field is ignored
    }
    return isHeader;
}

std::string_view WithoutLeadingSpaces(std::string_view line)
{
    const size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

std::string WithoutBrackets(std::string text)
{
    std::erase(text, '[');
    std::erase(text, ']');
    return text;
}

} // namespace

std::string FamilyWithoutFoundry(std::string family)
{
    // "Homa [farsiweb]": a family installed from two foundries is told apart by a bracketed suffix.
    if (family.size() > 3 && family.back() == ']') {
        const size_t open = family.rfind(" [");
        if (open != std::string::npos && open > 0)
            family.erase(open);
    }
    return family;
}

std::string FormatHeaderLine(const std::string& faceName, int size, const std::string& keymapName)
{
    // A bracket inside a field would end it early and shift every field after it.
    return "Kelmora : f[" + WithoutBrackets(FamilyWithoutFoundry(faceName)) + "] s[" + std::to_string(size) +
           "] k[" + WithoutBrackets(keymapName) + "]";
}

bool ScanHeaderLine(std::string_view line, DocumentHeader& header)
{
    return WalkHeader(line, header, false);
}

bool ScanHeaderKeymap(std::string_view line, std::string& keymapName)
{
    DocumentHeader header;
    header.keymapName = keymapName;
    const bool isHeader = WalkHeader(line, header, true);
    keymapName = header.keymapName;
    return isHeader;
}

void DecodeDocument(std::string_view diskBytes, bool dosMode, DecodedDocument& document, std::string& scratch)
{
    platform::DecodeTextMode(diskBytes, scratch);
    const std::string_view all(scratch);
    document.header.reset();
    document.tooLong = false;
    document.bytesAfterEndMark = platform::BytesAfterEndMark(diskBytes);
    document.text.clear();
    document.text.reserve(std::min(all.size() + all.size() / 8, DocumentTextLimit));
    bool firstTextLine = true;
    size_t start = 0;
    for (bool firstLine = true; start <= all.size(); firstLine = false) {
        size_t end = all.find('\n', start);
        if (end == std::string_view::npos)
            end = all.size();
        std::string_view line = all.substr(start, end - start);
        start = end + 1;

        if (firstLine) {
            DocumentHeader header;
            if (ScanHeaderLine(line, header)) {
                document.header = header;
                continue;
            }
        }
        // DOS mode pads a short line to 80 columns; the padding is spaces at its end, so it is the
        // line without its leading spaces followed by as many spaces as it lacked.
        const size_t padding = dosMode && line.size() < DosColumns ? DosColumns - line.size() : 0;
        line = WithoutLeadingSpaces(line);
        const size_t length = line.empty() && padding > 0 ? 0 : line.size() + padding;
        if (document.text.size() + length + 2 > DocumentTextLimit) {
            document.tooLong = true;
            document.text.clear();
            break;
        }
        if (!firstTextLine)
            document.text.append("\r\n");
        if (length > 0) {
            document.text.append(line);
            document.text.append(padding, ' ');
        }
        firstTextLine = false;
    }
}

DecodedDocument DecodeDocument(std::string_view diskBytes, bool dosMode)
{
    DecodedDocument document;
    std::string scratch;
    DecodeDocument(diskBytes, dosMode, document, scratch);
    return document;
}

namespace {

/// One display line as a saved document holds it, after the line end before it (when not first):
/// leading spaces removed and, in DOS mode, right-aligned in 80 columns. Line ends are CR LF.
void AppendDocumentLine(std::string& out, std::string_view whole, bool dosMode, bool first)
{
    std::string_view line = WithoutLeadingSpaces(whole);
    if (!first)
        out.append("\r\n", 2);
    if (dosMode) {
        // Measured before the trailing spaces go, so a line loaded from a left-aligned field
        // (text then spaces to 80) is written back without spaces added.
        const size_t measured = line.size();
        const size_t last = line.find_last_not_of(' ');
        line = last == std::string_view::npos ? std::string_view() : line.substr(0, last + 1);
        if (measured < DosColumns)
            out.append(DosColumns - measured, ' ');
    }
    platform::AppendTextMode(line, out);
}

void AppendHeader(std::string& out, const std::optional<std::string>& headerLine)
{
    if (headerLine) {
        platform::AppendTextMode(*headerLine, out);
        out.append("\r\n", 2);
    }
}

} // namespace

std::string EncodeDocument(const DocumentLines& lines, bool dosMode, const std::optional<std::string>& headerLine)
{
    std::string out;
    AppendHeader(out, headerLine);
    const size_t count = lines.Count();
    for (size_t i = 0; i < count; ++i)
        AppendDocumentLine(out, lines.Line(i), dosMode, i == 0);
    return out;
}

void EncodeDocumentText(std::string_view text, bool dosMode, const std::optional<std::string>& headerLine,
                        std::string& out)
{
    out.clear();
    out.reserve(text.size() + text.size() / 8 + (headerLine ? headerLine->size() + 2 : 0));
    AppendHeader(out, headerLine);
    for (size_t start = 0;;) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!last && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        AppendDocumentLine(out, line, dosMode, start == 0);
        if (last)
            break;
        start = end + 1;
    }
}

} // namespace keymap
