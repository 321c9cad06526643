/** @file GlyphMetrics.h
 ** Text measuring for the edit control: one advance width per glyph code for a face and height. **/
#pragma once

#include "keymap/KeyRecord.h"

#include <array>
#include <string>

namespace editctl {

/// Widths of the 256 glyph codes of the current font. The fonts these documents were written for
/// are 8-bit fonts without kerning, so a line's width is the sum of its glyphs' advances.
class GlyphMetrics {
public:
    virtual ~GlyphMetrics() = default;
    /// Chooses the font that later measurements describe.
    virtual void SetFont(const std::string& face, int height) = 0;
    /// Advance width in pixels of one glyph code; never negative.
    virtual int Advance(keymap::GlyphCode code) const = 0;
    /// Height of a display line in pixels (at least 1).
    virtual int LineHeight() const = 0;
};

/// Metrics with widths given by the caller, so every line break in a test is predictable. The line
/// height follows the font height given to SetFont.
class FixedGlyphMetrics : public GlyphMetrics {
public:
    explicit FixedGlyphMetrics(int advance = 8, int lineHeight = 16);
    void SetFont(const std::string& face, int height) override;
    int Advance(keymap::GlyphCode code) const override { return widths[code]; }
    int LineHeight() const override { return height; }

    void SetAdvance(keymap::GlyphCode code, int advance);
    void SetAllAdvances(int advance);
    const std::string& Face() const { return face; }

private:
    std::array<int, 256> widths{};
    int height;
    std::string face;
};

} // namespace editctl
