#include "keymap/KeymapTableText.h"

#include "keymap/PersianKeyboard.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace keymap {
namespace {

constexpr int FieldCount = 9;
constexpr size_t ColumnCount = 11; // record, key code, letter, eight glyphs

bool ParseNumber(const std::string& token, std::int32_t& value)
{
    if (token == "-") {
        value = 0;
        return true;
    }
    if (token.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(token.c_str(), &end, 0);
    if (errno != 0 || !end || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = static_cast<std::int32_t>(parsed);
    return true;
}

std::vector<std::string> TokensOf(std::string line)
{
    const size_t hash = line.find('#');
    if (hash != std::string::npos)
        line.erase(hash);
    std::istringstream fields(line);
    std::vector<std::string> tokens;
    for (std::string t; fields >> t;)
        tokens.push_back(t);
    return tokens;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

/// A field as the shipped tables write it: "-" for 0, 0x-hex, negative values in decimal.
std::string FieldText(std::int32_t value)
{
    if (value == 0)
        return "-";
    if (value < 0)
        return std::to_string(value);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(value));
    return buffer;
}

/// `text` followed by spaces up to `width` characters (UTF-8 code points), and at least one.
std::string Padded(const std::string& text, int width)
{
    int count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return text + std::string(static_cast<size_t>(std::max(1, width - count)), ' ');
}

} // namespace

std::optional<TableTextError> ParseKeymapTableText(std::string_view text, KeyTable& table)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3); // a byte-order mark from an editor that adds one
    KeyTable parsed{};
    std::vector<bool> seen(RecordCount, false);
    std::istringstream lines{std::string(text)};
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const std::vector<std::string> tokens = TokensOf(line);
        if (tokens.empty())
            continue;
        std::int32_t record = 0;
        if (tokens.size() != ColumnCount || !ParseNumber(tokens[0], record) || record < 0 || record >= RecordCount)
            return TableTextError{lineNumber, "expected: record keyCode letter and eight glyph fields"};
        if (seen[static_cast<size_t>(record)])
            return TableTextError{lineNumber, "record " + std::to_string(record) + " given twice"};
        seen[static_cast<size_t>(record)] = true;
        for (int field = 0; field < FieldCount; ++field) {
            const std::string& token = tokens[field == 0 ? 1 : static_cast<size_t>(field) + 2];
            std::int32_t value = 0;
            if (!ParseNumber(token, value))
                return TableTextError{lineNumber, "bad value '" + token + "'"};
            parsed[static_cast<size_t>(record)].SetField(field, value);
        }
    }
    table = parsed;
    return std::nullopt;
}

std::string KeyLetterOf(int keyCode)
{
    const KeyMeaning meaning = PersianKeyMeaning(keyCode);
    std::string out;
    if (meaning.lamAlef) {
        AppendUtf8(out, 0x0644);
        AppendUtf8(out, 0x0627);
    } else if (meaning.letter != 0) {
        AppendUtf8(out, meaning.letter);
    } else if (meaning.keyChar != 0) {
        AppendUtf8(out, meaning.keyChar);
    }
    if (!out.empty())
        return out;
    switch (keyCode) {
    case vk::Tab: return "Tab";
    case vk::CapsLock: return "Caps";
    case vk::Enter: return "Enter";
    case vk::Shift: return "Shift";
    default: return "-";
    }
}

std::string FormatKeymapTableText(const KeyTable& table, std::string_view title)
{
    std::string heading(title);
    std::replace_if(heading.begin(), heading.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    std::string out = "# " + heading + "\n";
    out += "# record keyCode letter isolated final medial initial extIsolated extFinal extMedial extInitial\n";
    for (int r = 0; r < RecordCount; ++r) {
        const KeyRecord& rec = table[static_cast<size_t>(r)];
        std::string row = Padded(std::to_string(r), 4) + Padded(FieldText(rec.keyCode), 5) +
                          Padded(KeyLetterOf(rec.keyCode), 6);
        for (int form = 0; form < 8; ++form)
            row += Padded(FieldText(rec.Glyph(form)), 5);
        while (!row.empty() && row.back() == ' ')
            row.pop_back();
        out += row + "\n";
    }
    return out;
}

} // namespace keymap
