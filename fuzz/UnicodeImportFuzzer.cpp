/** @file UnicodeImportFuzzer.cpp
 ** Fuzzes the Unicode bridge: a keymap table and arbitrary bytes (valid UTF-8 or not) from the
 ** input are imported, exported and imported again. **/
#include "keymap/ArabicScript.h"
#include "keymap/KeyMap.h"
#include "keymap/UnicodeBridge.h"

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void CheckUtf8(const std::string& s)
{
    for (std::size_t pos = 0; pos < s.size();) {
        const std::size_t at = pos;
        if (keymap::script::DecodeUtf8(s, pos) == keymap::script::Replacement && s.compare(at, 3, "\xEF\xBF\xBD") != 0)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // The first byte picks how much of the input fills the table (as 16-bit fields, values
    // beyond the byte range included); the rest is the text.
    keymap::KeyTable table{};
    std::size_t tableBytes = std::min<std::size_t>(size - 1, static_cast<std::size_t>(data[0]) * 8);
    const std::uint8_t* p = data + 1;
    for (auto& rec : table)
        for (int f = 0; f < 9 && tableBytes >= 2; ++f, p += 2, tableBytes -= 2)
            rec.SetField(f, static_cast<std::int16_t>(p[0] | (p[1] << 8)) % 300);
    keymap::KeyMap map;
    map.SetRecords(table, "fuzz.kbd");
    const keymap::UnicodeBridge bridge(map);

    const std::string text(reinterpret_cast<const char*>(p), size - static_cast<std::size_t>(p - data));
    std::vector<keymap::Unrepresentable> problems;
    const std::string glyphs = bridge.ImportUtf8(text, &problems);
    // One glyph at most per input byte; every report points into the text.
    if (glyphs.size() > text.size())
        __builtin_trap();
    for (const keymap::Unrepresentable& u : problems)
        if (u.line < 1 || u.column < 1 || static_cast<std::size_t>(u.column) > text.size())
            __builtin_trap();
    // Export writes valid UTF-8, for imported text and for any glyph bytes at all.
    CheckUtf8(bridge.ExportUtf8(glyphs));
    CheckUtf8(bridge.ExportUtf8(std::string(reinterpret_cast<const char*>(data), size)));
    return 0;
}
