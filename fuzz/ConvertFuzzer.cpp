/** @file ConvertFuzzer.cpp
 ** Fuzzes Convert with two keymaps and a text all taken from the input. **/
#include "keymap/KeymapConverter.h"
#include "keymap/KeymapFile.h"

#include <cstddef>
#include <cstdint>

namespace {

keymap::KeyTable TableFrom(const std::uint8_t*& data, std::size_t& size)
{
    keymap::KeyTable t{};
    // Glyph values 0..269 and some out-of-range ones: whatever a hostile file could hold.
    for (auto& rec : t)
        for (int f = 0; f < 9 && size >= 2; ++f, data += 2, size -= 2)
            rec.SetField(f, static_cast<std::int16_t>(data[0] | (data[1] << 8)) % 300);
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    keymap::KeymapConverter converter;
    converter.source.SetRecords(TableFrom(data, size), "a.kbd");
    converter.destination.SetRecords(TableFrom(data, size), "b.kbd");
    converter.input.assign(reinterpret_cast<const char*>(data), size);
    converter.Convert(false);
    // Each input character yields at most a glyph and a space.
    if (converter.output.size() > 2 * converter.input.size())
        __builtin_trap();
    return 0;
}
