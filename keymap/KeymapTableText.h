/** @file KeymapTableText.h
 ** The readable form of a keymap table: one tab-separated row per record, as res/keymaps keeps them. **/
#pragma once

#include "keymap/KeyRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace keymap {

/// Where and why a table text could not be read; lines count from 1.
struct TableTextError {
    int line = 0;
    std::string message;
};

/// Reads a table text. A row is: record index, key code, the key's letter (for the reader only),
/// then the eight glyph fields; numbers are decimal or 0x-hex, "-" is 0, '#' starts a comment and
/// blank lines are skipped. Records no row gives are zero. On an error `table` is left untouched.
std::optional<TableTextError> ParseKeymapTableText(std::string_view text, KeyTable& table);

/// The text of a table in the same form, every record in order, headed by `title` as a comment.
/// Reading it back gives the same table.
std::string FormatKeymapTableText(const KeyTable& table, std::string_view title);

/// The word the letter column shows for a key code: its Persian letter, digit or symbol, the name of
/// a key without one (Tab, Caps, Enter, Shift), or "-".
std::string KeyLetterOf(int keyCode);

} // namespace keymap
