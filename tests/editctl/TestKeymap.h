/** @file TestKeymap.h
 ** The shipped main.kbd for edit-control tests, and helpers that type Persian words on it and read
 ** the glyph text back as Unicode through the bridge. **/
#pragma once

#include "editctl/KeyEvent.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"

#include <string>
#include <vector>

namespace testkeys {

/// The records of main.kbd as the build compiled it; supportsEnglish sets record 38's flag.
keymap::KeyTable MainTable(bool supportsEnglish = true);
/// A KeyMap of those records, named "main.kbd".
keymap::KeyMap MainKeyMap(bool supportsEnglish = true);

/// The key presses that type a UTF-8 text of Persian letters, Latin digits, spaces and "\n" (Enter)
/// on main.kbd: each letter's key, Shift where the letter sits in a Shift field ("آ").
std::vector<editctl::KeyEvent> KeysFor(const std::string& utf8);
void Type(editctl::PersianEdit& edit, const std::string& utf8);
void Press(editctl::PersianEdit& edit, int virtualKey, bool shift = false, bool control = false);

/// The glyph text as a reader sees it: exported to Unicode through main.kbd, lines joined by "\n".
std::string Reading(const std::string& glyphText);

/// Glyph codes of a letter's four shapes in main.kbd.
struct Shapes {
    int isolated, final, medial, initial;
};
Shapes ShapesOf(const std::string& utf8Letter);

} // namespace testkeys
