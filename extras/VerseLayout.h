/** @file VerseLayout.h
 ** Choosing lines of a poem and laying them out as indented half-lines or plain lines. **/
#pragma once

#include "extras/PoemLibrary.h"
#include "extras/PoetryFields.h"

#include <optional>
#include <string>

namespace platform {
class Random;
}

namespace extras {

/// The lines taken from `poem` by `choice`, or nothing when n is not within 1 to the poem's line
/// count - 1. A random excerpt starts with a whole couplet; it draws one number from `random`.
std::optional<std::string> ChooseLines(const Poem& poem, LineChoice choice, int n, platform::Random& random);

/// Inserts indentation before every CR of `text` (the end of each line's string, its right edge on
/// screen). "Poetic": a first half-line gets tab1 spaces, a second half-line tab2, and lines past
/// poemLineCount - 2 (the closing couplet) their mean; "Regular": every line tab1.
std::string LayOutVerse(const std::string& text, VerseLayout layout, int poemLineCount, int tab1, int tab2);

/// The header line "-- ( 57 ) --" with its CR LF.
std::string PoemHeader(int number);

} // namespace extras
