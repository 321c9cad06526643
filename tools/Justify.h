/** @file Justify.h
 ** Justify: stretches every full line to the width of the widest line with kashidas put at
 ** random joints between connected letters. **/
#pragma once

#include "tools/ResembleSettings.h"

#include <string>

namespace editctl {
class EditWindow;
class PersianEdit;
}
namespace keymap {
class KeyMap;
class KeymapConverter;
}
namespace platform {
class Random;
}

namespace tools {

/// Key code whose medial glyph is the kashida of a keymap (the minus key).
inline constexpr int KashidaKey = 0xBD;

/// The kashida glyph of a keymap; 0 when it has none.
int KashidaGlyph(const keymap::KeyMap& map);

/// An operation of the converter: empties converter.output and fills it with the display lines of
/// `lines`, leading spaces removed, each ended by CR LF, full lines stretched with the kashida of
/// converter.source. Widths are those of the window's current font. `random` gives 0..32767.
void Justify(keymap::KeymapConverter& converter, const editctl::EditWindow& lines, const ResembleSettings& settings,
             platform::Random& random);

/// The whole Justify command: SaveUndo, the converter loads the bound keymap (source) and
/// `currentKeymapName` (destination), Justify, and the text set once to the result (modified when
/// it changed). Focus is the caller's.
void RunJustify(editctl::PersianEdit& edit, keymap::KeymapConverter& converter, const ResembleSettings& settings,
                const std::string& currentKeymapName, platform::Random& random);

} // namespace tools
