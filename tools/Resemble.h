/** @file Resemble.h
 ** Resemble: re-flows the right-to-left paragraphs of an edit control into lines that fit its
 ** window (or, in DOS mode, a number of characters), with a right margin and an indentation. **/
#pragma once

#include "tools/ResembleSettings.h"

#include <string>

namespace editctl {
class PersianEdit;
}
namespace keymap {
class KeymapConverter;
}
namespace platform {
class Random;
}

namespace tools {

/// Limits the margin and indentation strings keep to, whatever the settings hold.
inline constexpr int MaxMarginSpaces = 99;

/// Whether the Resemble command runs Justify on its result.
enum class JustifyAfter { No, Yes };

/// An operation of the converter: empties converter.output and fills it with the re-flowed lines,
/// each ended by CR LF. Reads `edit`'s text lines whole, its windowWidth and fontHeight; widths are
/// those of the font the window shows, so a re-flowed line fits the window it is shown in. Neither
/// the edit control, its font nor its text changes.
void Resemble(keymap::KeymapConverter& converter, const editctl::PersianEdit& edit, const ResembleSettings& settings);

/// The whole Resemble command: SaveUndo, the converter loads the bound keymap (source) and
/// `currentKeymapName` (destination), Resemble, and the edit control's text set once to the
/// result; with JustifyAfter::Yes, Justify runs on that text and the text is set once more. One
/// Undo restores the text as it was before the command. Marks the document modified when the
/// text changed. Focus is the caller's.
void RunResemble(editctl::PersianEdit& edit, keymap::KeymapConverter& converter, const ResembleSettings& settings,
                 const std::string& currentKeymapName, JustifyAfter justify, platform::Random& random);

} // namespace tools
