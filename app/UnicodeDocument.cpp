#include "app/UnicodeDocument.h"

#include "keymap/KeyMap.h"

#include <QChar>
#include <QString>

#include <cstdio>

namespace app {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsArabicScript(char32_t c)
{
    return (c >= 0x0600 && c <= 0x06FF) || (c >= 0x0750 && c <= 0x077F) || (c >= 0x08A0 && c <= 0x08FF) ||
           (c >= 0xFB50 && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF);
}

/// Length of the valid UTF-8 sequence at `i` and its code point; 0 when it is invalid, -1 when the
/// text ends inside it.
int DecodeAt(std::string_view s, size_t i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    int length = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        if (i + k >= s.size())
            return -1;
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

bool LooksLikeUnicodeText(std::string_view bytes)
{
    if (bytes.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        return true;
    size_t arabic = 0, letters = 0;
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const int length = DecodeAt(bytes, i, cp);
        if (length < 0)
            break; // cut off by the caller's limit
        if (length == 0)
            return false;
        i += static_cast<size_t>(length);
        if (IsArabicScript(cp))
            ++arabic, ++letters;
        else if (QChar::isLetter(cp))
            ++letters;
    }
    return arabic > 0 && arabic * 2 > letters;
}

ImportedText ImportUnicodeText(std::string_view utf8, const keymap::KeyMap& map)
{
    if (utf8.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        utf8.remove_prefix(ByteOrderMark.size());
    // The edit window separates lines by CR LF whatever the file used.
    std::string lines;
    lines.reserve(utf8.size() + utf8.size() / 16);
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r' || c == '\n') {
            lines += "\r\n";
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else {
            lines += c;
        }
    }
    ImportedText imported;
    imported.glyphs = keymap::UnicodeBridge(map).ImportUtf8(lines, &imported.problems);
    return imported;
}

namespace {

std::string CodePointText(char32_t cp)
{
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(cp));
    std::string text = number;
    if (cp >= 0x20 && cp != 0xFFFD) {
        const char32_t one[] = {cp};
        text += " " + QString::fromUcs4(one, 1).toStdString();
    }
    return text;
}

} // namespace

std::string ProblemsMessage(const std::vector<keymap::Unrepresentable>& problems, const std::string& keymapName)
{
    if (problems.empty())
        return {};
    constexpr size_t Listed = 10;
    std::string text = std::to_string(problems.size()) +
                       (problems.size() == 1 ? " character has" : " characters have") + " no glyph of its own in " +
                       keymapName + ":\n";
    for (size_t i = 0; i < problems.size() && i < Listed; ++i) {
        const keymap::Unrepresentable& p = problems[i];
        text += "line " + std::to_string(p.line) + ", column " + std::to_string(p.column) + ": " +
                CodePointText(p.codePoint);
        text += p.writtenAs != 0 ? ", written as " + CodePointText(p.writtenAs) : std::string(", left out");
        text += "\n";
    }
    if (problems.size() > Listed)
        text += "and " + std::to_string(problems.size() - Listed) + " more\n";
    text.pop_back();
    return text;
}

std::string ExportUnicodeText(std::string_view glyphs, const keymap::KeyMap& map, LineEnds ends)
{
    std::string utf8 = keymap::UnicodeBridge(map).ExportUtf8(glyphs);
    if (ends == LineEnds::CrLf)
        return utf8;
    std::string lf;
    lf.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i)
        if (!(utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n'))
            lf += utf8[i];
    return lf;
}

} // namespace app
