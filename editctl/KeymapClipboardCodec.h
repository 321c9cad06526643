/** @file KeymapClipboardCodec.h
 ** Clipboard data for glyph text of one keymap: the bytes with the keymap's name, and back. **/
#pragma once

#include "editctl/Clipboard.h"
#include "keymap/KeyMap.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace editctl {

/// Encodes a selection as glyph bytes tagged with the keymap's file name; decodes the bytes of the
/// same keymap as they are, those of another keymap converted into this one, and text of other
/// programs as Latin-1 bytes. The keymap is asked for on each use, since owners rebind it.
class KeymapClipboardCodec : public ClipboardCodec {
public:
    explicit KeymapClipboardCodec(std::function<const keymap::KeyMap&()> currentKeyMap);
    ClipboardData Encode(const std::string& glyphs) const override;
    std::string Decode(const ClipboardData& data) const override;

    /// Glyph text to UTF-8 and back through the bound keymap; unset, Unicode text is not produced
    /// and is read only where it is Latin-1.
    std::function<std::string(const keymap::KeyMap&, const std::string&)> exportUnicode;
    std::function<std::string(const keymap::KeyMap&, const std::string&)> importUnicode;

    /// The UTF-8 text as Latin-1 bytes, or nothing when a character does not fit (or is invalid).
    static std::optional<std::string> Latin1Of(std::string_view utf8);

private:
    std::function<const keymap::KeyMap&()> keyMap;
};

} // namespace editctl
