/** @file TrialText.h
 ** The keymap the try-it field types with: the working table as a KeyMap, and the field's text
 ** carried over to the table's new glyph codes whenever the table changes. **/
#pragma once

#include "keymap/KeyMap.h"
#include "keymap/KeyRecord.h"

#include <string>
#include <string_view>

namespace kbdedit {

class TrialKeymap {
public:
    TrialKeymap();

    /// The map to bind to the field; it stays the same object for the field's life.
    keymap::KeyMap& Map() { return map; }

    /// `text`, typed with the map as it is, in the codes of `table`: each glyph becomes the code the
    /// same key gives there in the same form. Glyphs the map does not know, and forms the new table
    /// leaves empty, stay as they were. A code the map holds twice counts as the later of the two.
    std::string Carry(const keymap::KeyTable& table, std::string_view text) const;
    /// Makes the map hold `table`.
    void SetTable(const keymap::KeyTable& table);

private:
    keymap::KeyMap map;
};

} // namespace kbdedit
