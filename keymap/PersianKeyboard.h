/** @file PersianKeyboard.h
 ** The Persian meaning of every key of the keyboard grid: its letter, or its digit or symbol and
 ** the character Shift gives it. The same for every keymap; only the glyph codes differ. **/
#pragma once

#include "keymap/KeyCodes.h"

namespace keymap {

// Keys with a role of their own: H is alef (its extIsolated holds alef madda), the period key
// lam-alef, the minus key kashida; their codes are in KeyCodes.h.

struct KeyMeaning {
    /// Letter keys: the letter of the four shape fields (lam for the lam-alef key).
    char32_t letter = 0;
    bool lamAlef = false;
    /// Digit and symbol keys: the character of the `medial` field (the key itself).
    char32_t keyChar = 0;
    /// Digit and symbol keys: the character of the `final` field; letter keys: of `extMedial`
    /// (the symbol Shift gives a letter key of type 2).
    char32_t shiftChar = 0;
    /// The H key: the character of its `extIsolated` glyph.
    char32_t extIsolatedChar = 0;
};

/// What a Windows virtual-key code of the grid means; all zero for keys without a character.
KeyMeaning PersianKeyMeaning(int keyCode);

} // namespace keymap
