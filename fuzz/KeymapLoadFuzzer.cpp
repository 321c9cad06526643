/** @file KeymapLoadFuzzer.cpp
 ** Fuzzes keymap file parsing and the lookups built from whatever it accepts. **/
#include "keymap/KeyMap.h"
#include "keymap/KeymapFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    keymap::KeyTable table{};
    if (keymap::ParseKeymapFile(bytes, table).status != keymap::ParseStatus::Ok)
        return 0;
    keymap::KeyMap map;
    map.SetRecords(table, "fuzz.kbd");
    int form = 0;
    for (int code = -2; code < 300; ++code) {
        map.RecordForKey(code);
        map.RecordForGlyph(code, form);
        for (int f = 0; f < 8; ++f)
            map.RecordIndexForGlyphForm(f, code);
    }
    // What was accepted must write back to a file that parses to the same table.
    keymap::KeyTable again{};
    if (keymap::ParseKeymapFile(keymap::SerializeKeymapFile(table), again).status != keymap::ParseStatus::Ok ||
        !(again == table))
        __builtin_trap();
    return 0;
}
