/** @file KeymapChecker.h
 ** Warnings about a keymap table that would go wrong in use: glyph codes that hide one another,
 ** missing letter shapes, key codes the keyboard cannot reach, a wrong English flag, and glyphs in
 ** the two records that have other roles. **/
#pragma once

#include "keymap/KeyRecord.h"

#include <string>
#include <vector>

namespace kbdedit {

enum class WarningKind {
    SharedGlyph,          // a glyph code in two places: the later one wins when text is converted
    NoIsolated,           // a letter key without its isolated shape
    NoFinal,              // ... or without its final shape
    InitialWithoutMedial,
    MedialWithoutInitial,
    KeyCodeTwice,         // the later record wins the key
    KeyCodeOffKeyboard,
    EnglishFlagButLatinUsed,
    LatinFreeButNoEnglishFlag,
    NoKeyRecordGlyph,     // record 50 answers for everything unmapped
    FlagFieldGlyph,       // record 38's flag field holds something other than 0 or 1
};

/// Form value of a warning about the key code rather than a glyph field.
constexpr int KeyCodeField = -1;

struct KeymapWarning {
    WarningKind kind;
    int record; // the key to jump to
    int form;   // 0..7, or KeyCodeField
    std::string text;
};

/// Every warning for `table`, by record and form.
std::vector<KeymapWarning> CheckKeymap(const keymap::KeyTable& table);

/// The name of a form as the key dialog labels it ("Isolated", "Final Word", ..., "Extended 1").
std::string FormName(int form);

} // namespace kbdedit
