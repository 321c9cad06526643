#include "editctl/GlyphMetrics.h"

#include <algorithm>

namespace editctl {

FixedGlyphMetrics::FixedGlyphMetrics(int advance, int lineHeight) : height(std::max(1, lineHeight))
{
    SetAllAdvances(advance);
}

void FixedGlyphMetrics::SetFont(const std::string& newFace, int newHeight)
{
    face = newFace;
    height = std::max(1, newHeight);
}

void FixedGlyphMetrics::SetAdvance(keymap::GlyphCode code, int advance)
{
    widths[code] = std::max(0, advance);
}

void FixedGlyphMetrics::SetAllAdvances(int advance)
{
    widths.fill(std::max(0, advance));
}

} // namespace editctl
