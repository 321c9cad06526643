/** @file BidiLayout.h
 ** Lays out one line as the Unicode Bidirectional Algorithm does for a right-to-left paragraph. **/
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace keymap::bidi {

/// What the layout needs to know of one character: its bidirectional type and bracket pairing.
struct Properties {
    std::uint32_t type = 0;
    std::uint32_t bracket = 0;
};

/// How a character takes part in the layout of a right-to-left line.
enum class Kind : unsigned char {
    Rtl,     // strong right to left: always shown in the line's order
    Ltr,     // strong left to right
    Number,  // digits: shown left to right
    Neutral, // punctuation and spaces: take the direction of their surroundings
};

Properties PropertiesOf(char32_t c);
Kind KindOf(const Properties& p);
bool IsOpeningBracket(const Properties& p);
/// Signs that belong to a number beside them: % $ # and the like.
bool IsNumberTerminator(const Properties& p);
/// Whether two brackets are of one pair ("(" and ")", "[" and "]").
bool SameBracket(const Properties& a, const Properties& b);
/// The character shown for `c` in right-to-left text ( "(" for ")", "»" for "«"); 0 if none.
char32_t MirrorOf(char32_t c);

/// The resolved levels and visual order of lines, with buffers kept from one line to the next.
class RtlLineLayout {
public:
    /// Resolves the line (characters in logical order) as a right-to-left paragraph. Afterwards
    /// Level(i) is the level of logical character i (odd: shown right to left, and mirrored) and
    /// Order(v) the logical index of the character shown at position v counted from the left.
    /// False only when the layout could not run (out of memory); nothing is set then.
    bool Layout(const Properties* chars, std::size_t n);
    int Level(std::size_t logical) const { return levels[logical]; }
    int Order(std::size_t visual) const { return order[visual]; }

private:
    std::vector<std::uint32_t> types;
    std::vector<std::uint32_t> brackets;
    std::vector<signed char> levels;
    std::vector<int> order;
};

} // namespace keymap::bidi
