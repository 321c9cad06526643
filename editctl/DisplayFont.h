/** @file DisplayFont.h
 ** The font that shows glyph codes on screen: one picture and one whole-pixel advance per code. **/
#pragma once

#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <array>
#include <memory>
#include <string_view>
#include <vector>

class QPainter;

namespace keymap {
class KeyMap;
}

namespace editctl {

/// For each glyph code the Unicode character that shows it (0 for none), as the bound keymap says.
using DisplayForms = std::array<char32_t, 256>;

/// Documents hold the glyph codes of 8-bit Persian fonts that few machines still have. When an
/// 8-bit font of the requested face is installed, code b is drawn as that font's character b
/// (Latin-1; code page 1252 for 0x80..0x9F, or U+F000 + b in a symbol font, where the font keeps
/// those); otherwise each code is drawn as its Unicode display form, in the requested face when
/// it is an installed Unicode Persian font, else in one of the Persian fonts the project installs,
/// and a code without a display form as its Latin-1 character when printable. Glyphs are placed one
/// by one at whole-pixel advances, never shaped as a run, so a line's drawn width is exactly the sum
/// of the widths that layout measures. `height` is the cell height in pixels (ascent + descent), as
/// the old platform's font height was. Instances are immutable and shared through Get.
class DisplayFont {
public:
    /// The font for a face and height showing the given display forms; cached, so every control
    /// asking for the same triple shares one object.
    static std::shared_ptr<const DisplayFont> Get(const QString& face, int height, const DisplayForms& forms);
    /// The display forms of every code of a keymap (all 0 for none), for Get.
    static DisplayForms FormsOf(const keymap::KeyMap* map);
    /// True when a font family of this name (compared without case) is installed.
    static bool IsInstalled(const QString& face);
    /// Persian families tried, in order, when the requested face is missing.
    static QStringList SubstituteFamilies();

    int Width(unsigned char code) const { return glyphs[code].advance; }
    int Width(std::string_view text) const;
    /// Line height in pixels (the requested height, at least 1).
    int Height() const { return height; }
    int Ascent() const { return ascent; }
    /// True when the requested face is an installed 8-bit font that draws each code as itself.
    bool DrawsCodesDirectly() const { return codesDirect; }
    /// The family that draws most codes (the requested face or its Persian substitute).
    QString PrimaryFamily() const;

    /// Draws `text` left to right from `origin` (left end of the baseline) with the painter's pen
    /// colour; returns the x after the last glyph.
    qreal Draw(QPainter& painter, QPointF origin, std::string_view text) const;

    DisplayFont(const QString& face, int height, const DisplayForms& forms);

private:
    struct Glyph {
        int font = -1; // index into fonts; -1 draws nothing
        quint32 index = 0;
        int advance = 0;
    };
    void LoadFonts(const QString& face);
    void ResolveGlyph(unsigned char code, char32_t character);
    /// Code b in an 8-bit face: its Latin-1 character, else its code-page 1252 one, else the
    /// symbol-font one; false when the face has none.
    bool ResolveDirectGlyph(unsigned char code);
    void SetGlyph(unsigned char code, int font, quint32 index);

    std::vector<QRawFont> fonts;
    std::array<Glyph, 256> glyphs{};
    int height = 1;
    int ascent = 1;
    bool codesDirect = false;
};

} // namespace editctl
