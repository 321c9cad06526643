#include "tools/MeasuringMetrics.h"

#include "editctl/DisplayFontMetrics.h"

namespace tools {

std::unique_ptr<editctl::GlyphMetrics> MeasuringMetrics(const keymap::KeyMap* map)
{
    auto metrics = std::make_unique<editctl::DisplayFontMetrics>();
    metrics->SetDisplayForms(editctl::DisplayFont::FormsOf(map));
    return metrics;
}

} // namespace tools
