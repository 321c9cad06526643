/** @file GlyphPresenter.h
 ** How Dorvantile shows a glyph code: in the legacy display font when it is installed, otherwise
 ** as the Unicode display form of the letter a keymap puts at that code, in a Persian Unicode font. **/
#pragma once

#include "keymap/KeyRecord.h"

#include <QFont>
#include <QString>

#include <array>
#include <string>

namespace kbdedit {

/// A font made as the platform makes one from a face name and a height: a negative height is the
/// character height in pixels, a positive one the cell height. When the face is not installed a
/// Persian Unicode face stands in, so the fallback characters can be drawn, with the height's size
/// as its character height.
QFont MakeFont(const std::string& face, int height);
/// Heights beyond this many pixels either way are drawn at this size.
constexpr int MaxFontHeight = 256;

/// The characters that show the 256 glyph codes of one keymap in one face.
class GlyphPresenter {
public:
    /// With the face installed each code is its own (Latin-1) character; otherwise the display
    /// form of the letter `table` puts at that code, or the Latin-1 character where it has none.
    GlyphPresenter(const keymap::KeyTable& table, bool faceInstalled);

    /// The text "%c" makes of a code: code 0 gives an empty text, as a C string ends there; codes
    /// outside 0..255 are taken modulo 256, as a char would take them.
    QString Character(int code) const;
    /// One entry of a glyph list: the character, two spaces and the code right-aligned in three
    /// columns ("%c  %3d").
    QString ListEntry(int code) const;

private:
    std::array<char32_t, 256> shown{};
};

} // namespace kbdedit
