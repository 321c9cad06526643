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

DecodedDocument DecodeDocument(std::string_view diskBytes, bool dosMode)
{
    const std::string memory = platform::DecodeTextMode(diskBytes);
    const std::string_view all(memory);
    DecodedDocument document;
    document.bytesAfterEndMark = platform::BytesAfterEndMark(diskBytes);
    document.text.reserve(std::min(all.size() + all.size() / 8, DocumentTextLimit));
    std::string padded;
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
        if (dosMode && line.size() < DosColumns) {
            padded.assign(line);
            padded.append(DosColumns - line.size(), ' ');
            line = padded;
        }
        line = WithoutLeadingSpaces(line);
        if (document.text.size() + line.size() + 2 > DocumentTextLimit) {
            document.tooLong = true;
            document.text.clear();
            break;
        }
        if (!firstTextLine)
            document.text.append("\r\n");
        document.text.append(line);
        firstTextLine = false;
    }
    return document;
}

std::string EncodeDocument(const DocumentLines& lines, bool dosMode, const std::optional<std::string>& headerLine)
{
    std::string memory;
    if (headerLine) {
        memory.append(*headerLine);
        memory.push_back('\n');
    }
    const size_t count = lines.Count();
    for (size_t i = 0; i < count; ++i) {
        const std::string whole = lines.Line(i);
        std::string_view line = WithoutLeadingSpaces(whole);
        if (i > 0)
            memory.push_back('\n');
        if (dosMode) {
            // Measured before the trailing spaces go, so a line loaded from a left-aligned field
            // (text then spaces to 80) is written back without spaces added.
            const size_t measured = line.size();
            const size_t last = line.find_last_not_of(' ');
            line = last == std::string_view::npos ? std::string_view() : line.substr(0, last + 1);
            if (measured < DosColumns)
                memory.append(DosColumns - measured, ' ');
        }
        memory.append(line);
    }
    return platform::EncodeTextMode(memory);
}

} // namespace keymap
