/** @file DisplayFontMetrics.h
 ** Glyph metrics taken from the display font, so layout measures exactly what the widget draws. **/
#pragma once

#include "editctl/DisplayFont.h"
#include "editctl/GlyphMetrics.h"

#include <QString>

#include <memory>
#include <string>

namespace editctl {

/// The metrics an on-screen edit control measures with. The font depends on the face and height
/// set by SetFont and on the display forms of the bound keymap (SetDisplayForms).
class DisplayFontMetrics : public GlyphMetrics {
public:
    DisplayFontMetrics();
    void SetFont(const std::string& face, int height) override;
    int Advance(keymap::GlyphCode code) const override { return font->Width(code); }
    int LineHeight() const override { return font->Height(); }

    /// Returns true when the forms differ from those in use (the font then changes).
    bool SetDisplayForms(const DisplayForms& forms);
    const DisplayFont& Font() const { return *font; }

private:
    QString face;
    int height = 16;
    DisplayForms forms{};
    std::shared_ptr<const DisplayFont> font;
};

} // namespace editctl
