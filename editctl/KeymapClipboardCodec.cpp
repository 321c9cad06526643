#include "editctl/KeymapClipboardCodec.h"

#include "keymap/KeymapConverter.h"

#include <algorithm>
#include <cctype>

namespace editctl {

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

/// UTF-8 text as Latin-1 bytes where every character fits; '?' for the others.
std::string Utf8ToLatin1(const std::string& utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 0;
        unsigned code = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        if (c >= 0x80 && extra == 0) {
            out += '?';
            ++i;
            continue;
        }
        size_t j = 1;
        for (; j <= static_cast<size_t>(extra) && i + j < utf8.size(); ++j)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + j]) & 0x3F);
        out += code < 0x100 ? static_cast<char>(code) : '?';
        i += j;
    }
    return out;
}

} // namespace

KeymapClipboardCodec::KeymapClipboardCodec(std::function<const keymap::KeyMap&()> currentKeyMap)
    : keyMap(std::move(currentKeyMap))
{
}

ClipboardData KeymapClipboardCodec::Encode(const std::string& glyphs) const
{
    const keymap::KeyMap& map = keyMap();
    ClipboardData data;
    data.hasGlyphs = true;
    data.glyphs = glyphs;
    data.keymapName = map.FileName();
    if (exportUnicode)
        data.unicodeText = exportUnicode(map, glyphs);
    return data;
}

std::string KeymapClipboardCodec::Decode(const ClipboardData& data) const
{
    const keymap::KeyMap& map = keyMap();
    if (data.hasGlyphs) {
        if (data.keymapName.empty() || map.FileName().empty() || SameName(data.keymapName, map.FileName()))
            return WithCrLf(data.glyphs);
        // Bytes of another font are converted; if that keymap cannot be read they come as they are.
        keymap::KeymapConverter converter;
        if (!converter.source.Load(data.keymapName))
            return WithCrLf(data.glyphs);
        converter.destination = map;
        converter.input = data.glyphs;
        converter.Convert();
        return WithCrLf(converter.output);
    }
    if (!data.unicodeText.empty())
        return WithCrLf(importUnicode ? importUnicode(map, data.unicodeText) : Utf8ToLatin1(data.unicodeText));
    return WithCrLf(data.latin1);
}

} // namespace editctl
