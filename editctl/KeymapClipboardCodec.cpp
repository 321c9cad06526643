#include "editctl/KeymapClipboardCodec.h"

#include "keymap/ArabicScript.h"
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
std::string Utf8ToLatin1(std::string_view utf8)
{
    std::string out;
    for (size_t pos = 0; pos < utf8.size();) {
        const char32_t c = keymap::script::DecodeUtf8(utf8, pos);
        out += c < 0x100 ? static_cast<char>(c) : '?';
    }
    return out;
}

} // namespace

std::optional<std::string> KeymapClipboardCodec::Latin1Of(std::string_view utf8)
{
    std::string out;
    for (size_t pos = 0; pos < utf8.size();) {
        const char32_t c = keymap::script::DecodeUtf8(utf8, pos);
        if (c >= 0x100)
            return std::nullopt;
        out += static_cast<char>(c);
    }
    return out;
}

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
