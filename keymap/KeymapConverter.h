/** @file KeymapConverter.h
 ** Converts glyph text from one font's keymap to another's, deciding every letter's shape anew. **/
#pragma once

#include "keymap/KeyMap.h"

#include <string>

namespace platform {
class ProgressDisplay;
}

namespace keymap {

/// Holds an input and an output string and two keymaps. Callers set `input`, load the keymaps
/// (LoadKeymaps, or keymaps loaded earlier), call Convert and take `output`. The same keymap on
/// both sides re-shapes a text.
class KeymapConverter {
public:
    virtual ~KeymapConverter() = default;

    /// Loads the source, then the destination; the result is the destination's. A failed source
    /// load is reported but does not change the result.
    bool LoadKeymaps(const std::string& sourceName, const std::string& destinationName);
    /// Converts input into output (emptied first). Progress is shown only with showProgress and a
    /// progress display set.
    void Convert(bool showProgress = false);

    /// The status bar (or any display) that long conversions report to; not owned; null for none.
    void SetProgressDisplay(platform::ProgressDisplay* display) { progress = display; }

    std::string output;
    std::string input;
    KeyMap source;
    KeyMap destination;

private:
    platform::ProgressDisplay* progress = nullptr;
};

} // namespace keymap
