/** @file TestKeymap.h
 ** A keymap laid out like main.kbd (the standard Persian keyboard, glyphs in the alphabetical
 ** four-shape layout from 0x8C on) and helpers that type Persian words and read them back. **/
#pragma once

#include "editctl/KeyEvent.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"

#include <string>
#include <vector>

namespace testkeys {

/// Records of the test keymap; supportsEnglish sets record 38's flag.
keymap::KeyTable MainLikeTable(bool supportsEnglish = true);
/// A KeyMap built from that table, named "main.kbd".
keymap::KeyMap MainLikeKeyMap(bool supportsEnglish = true);

/// The key presses that type a UTF-8 text of Persian letters, Latin digits, spaces and "\n" (Enter).
/// "آ" is Shift+H; any other character is a test error.
std::vector<editctl::KeyEvent> KeysFor(const std::string& utf8);
/// Delivers those keys to the edit control.
void Type(editctl::PersianEdit& edit, const std::string& utf8);
void Press(editctl::PersianEdit& edit, int virtualKey, bool shift = false, bool control = false);

/// The text as a reader sees it: each glyph as its base letter (UTF-8), each line read right to left
/// (from the end of its string), lines joined by "\n". Unknown bytes come out as they are.
std::string Reading(const std::string& glyphText);

/// Glyph codes of a letter's shapes in the test keymap.
struct Shapes {
    int isolated, final, medial, initial;
};
Shapes ShapesOf(const std::string& utf8Letter);

} // namespace testkeys
