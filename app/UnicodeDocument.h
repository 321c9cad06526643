/** @file UnicodeDocument.h
 ** UTF-8 text files and the editor's glyph text: recognising one, importing it, exporting to it. **/
#pragma once

#include "keymap/UnicodeBridge.h"

#include <string>
#include <string_view>
#include <vector>

namespace keymap {
class KeyMap;
}

namespace app {

/// How many bytes of a file are looked at to decide whether it holds Unicode text.
inline constexpr size_t UnicodeSniffBytes = size_t{1} << 20;

/// True for a UTF-8 byte-order mark, or for valid UTF-8 whose letters are mostly Arabic-script.
/// `bytes` may be the start of a file cut anywhere: a sequence broken by the cut is not held
/// against it. Plain ASCII is not Unicode text here: every legacy document may be ASCII.
bool LooksLikeUnicodeText(std::string_view bytes);

enum class LineEnds { Lf, CrLf };

struct ImportedText {
    std::string glyphs; // display order, lines separated by CR LF as the edit window holds them
    std::vector<keymap::Unrepresentable> problems;
};
/// UTF-8 file bytes (with or without a byte-order mark, any of LF, CR LF, CR) to the glyph text of
/// `map`; characters it cannot hold are written as their nearest letter or left out, and listed.
ImportedText ImportUnicodeText(std::string_view utf8, const keymap::KeyMap& map);

/// The one message that lists what an import could not write as it was: the first ten places with
/// line and column, then how many more; empty when there were none.
std::string ProblemsMessage(const std::vector<keymap::Unrepresentable>& problems, const std::string& keymapName);

/// The editor's glyph text (lines separated by CR LF) as logical-order UTF-8 with `ends`.
std::string ExportUnicodeText(std::string_view glyphs, const keymap::KeyMap& map, LineEnds ends);

} // namespace app
