/** @file MeasuringMetrics.h
 ** Glyph metrics of the display font for measuring apart from the widget that shows the text. **/
#pragma once

#include "editctl/GlyphMetrics.h"

#include <memory>

namespace keymap {
class KeyMap;
}

namespace tools {

/// Display-font metrics that draw glyphs through `map`'s display forms, as an edit widget bound to
/// that keymap does; Resemble sets their height without the widget's font changing.
std::unique_ptr<editctl::GlyphMetrics> MeasuringMetrics(const keymap::KeyMap* map);

} // namespace tools
