/** @file KeymapConverter.h
 ** Converts glyph text from one font's keymap to another's, deciding every letter's shape anew. **/
#pragma once

#include "keymap/KeyMap.h"

#include <cstddef>
#include <string>
#include <vector>

namespace platform {
class ProgressDisplay;
}

namespace keymap {

/// English pass-through: with both keymaps supporting English, ASCII letters and 0x20..0x3F (space,
/// digits, punctuation below '@') are copied unchanged.
bool PassesAsEnglish(unsigned char c);

/// Hears each input position a conversion leaves out, in ascending order, while it runs: a report
/// of every place needs no list of them all.
class DropListener {
public:
    virtual ~DropListener() = default;
    virtual void Dropped(std::size_t position) = 0;
};

/// Holds an input and an output string and two keymaps. Callers set `input`, load the keymaps
/// (LoadKeymaps, or keymaps loaded earlier), call Convert and take `output`. The same keymap on
/// both sides re-shapes a text.
class KeymapConverter {
public:
    virtual ~KeymapConverter() = default;

    /// Loads the source, then the destination; true only when both loaded. Each failure is
    /// reported; after a false result do not Convert.
    bool LoadKeymaps(const std::string& sourceName, const std::string& destinationName);
    /// Converts input into output (emptied first). Progress is shown only with showProgress and a
    /// progress display set.
    /// Fills `dropped` with the first input positions of the characters that produced nothing,
    /// counts them all in `droppedCount` and tells the drop listener, if any, of each.
    void Convert(bool showProgress = false);
    /// Positions `dropped` keeps at most, so its memory does not grow with a hostile input.
    static constexpr std::size_t KeptDrops = 1000;

    /// The status bar (or any display) that long conversions report to; not owned; null for none.
    void SetProgressDisplay(platform::ProgressDisplay* display) { progress = display; }
    /// Not owned; null for none.
    void SetDropListener(DropListener* listener) { dropListener = listener; }

    std::string output;
    std::string input;
    /// Ascending input positions Convert left out (the first KeptDrops of them): bytes the source
    /// font does not hold, and glyphs whose key has no glyph in the destination in the shape chosen.
    std::vector<std::size_t> dropped;
    /// How many positions Convert left out in all.
    std::size_t droppedCount = 0;
    KeyMap source;
    KeyMap destination;

private:
    void Drop(std::size_t position);

    platform::ProgressDisplay* progress = nullptr;
    DropListener* dropListener = nullptr;
};

} // namespace keymap
