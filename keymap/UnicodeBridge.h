/** @file UnicodeBridge.h
 ** Moves text between one keymap's glyph codes (display order) and Unicode (logical order, UTF-8). **/
#pragma once

#include "keymap/ArabicScript.h"
#include "keymap/KeyMap.h"
#include "keymap/KeyRecord.h"
#include "keymap/PersianKeyboard.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keymap {

/// A character of Unicode input that the keymap has no glyph for; line and column are 1-based and
/// count characters of the logical input.
struct Unrepresentable {
    int line;
    int column;
    char32_t codePoint;
    friend bool operator==(const Unrepresentable&, const Unrepresentable&) = default;
};

/// What each glyph of one keymap means in Unicode, and the way back. A glyph's letter is the
/// Persian letter of its record's key, its shape the form under which the keymap holds it.
/// Built from a loaded map; build a new bridge after the map reloads (it keeps no reference).
class UnicodeBridge {
public:
    explicit UnicodeBridge(const KeyMap& map);

    /// The one character that shows this glyph: the Arabic presentation form of its letter and
    /// shape, digits and symbols as themselves, ASCII bytes of an English-capable keymap as
    /// themselves; 0 when the glyph means nothing in this keymap.
    char32_t DisplayForm(GlyphCode glyph) const { return glyphs[glyph].display; }

    /// Display-order glyph text to logical-order UTF-8. Lam-alef becomes lam + alef, digit and
    /// Latin runs keep their left-to-right order, join controls keep shapes that the letters'
    /// neighbours alone would not give (the half-space of "می‌خواهم"), CR and LF are kept.
    /// A byte that means nothing comes out as U+FFFD.
    std::string ExportUtf8(std::string_view glyphText) const;

    /// Logical-order UTF-8 to display-order glyph text, shapes chosen by the joining rules (ZWNJ
    /// and ZWJ respected); Arabic presentation forms are read as their letters. Every character
    /// without a glyph, and every invalid UTF-8 sequence (as U+FFFD), is listed in `problems` when
    /// given, and left out of the result.
    std::string ImportUtf8(std::string_view utf8, std::vector<Unrepresentable>* problems = nullptr) const;

    bool SupportsEnglish() const { return english; }

    /// Whether a glyph joins the letter after it, or the letter before it: decided by the shapes
    /// the keymap uses it for.
    enum class Link : unsigned char { No, Yes, Either };

private:
    enum class Direction : unsigned char { Rtl, Neutral, Separator, Latin, Digit };

    /// What one glyph code means.
    struct GlyphMeaning {
        char32_t first = 0;   // logical characters; lam-alef has two
        char32_t second = 0;
        char32_t display = 0;
        Direction direction = Direction::Neutral;
        bool joinsForwardByType = false; // the letter's Unicode joining type lets it join the next
        bool joinsBackByType = false;    // ... or the previous
        Link forward = Link::No;
        Link back = Link::No;
        GlyphCode mirror = 0; // the glyph shown for this one in right-to-left context
        unsigned char utf8Length = 0;
        char utf8[7] = {}; // what export writes for it
    };

    /// How one Unicode character is written with this keymap.
    struct CharEntry {
        enum Kind : unsigned char { None, Fixed, Letter, LamAlef } kind = None;
        GlyphCode glyph = 0;                 // Fixed
        std::array<GlyphCode, 4> shapes{};   // Letter: by FormIndex Isolated..Initial
    };

    void DescribeGlyphs(const KeyMap& map);
    void DescribeLetter(GlyphMeaning& m, GlyphCode g, const KeyRecord& rec, const KeyMeaning& key);
    static void DescribeSymbol(GlyphMeaning& m, char32_t symbol);
    static void EmitJoinControls(const GlyphMeaning* a, const GlyphMeaning* b, std::string& out);
    void BuildImportTable();
    const CharEntry& EntryFor(char32_t cp) const;
    void ImportLine(const char32_t* cps, const int* columns, size_t n, int lineNumber, std::vector<Unrepresentable>* problems,
                    std::vector<GlyphCode>& logical, std::vector<GlyphCode>& ordered, std::string& out) const;
    void ExportLine(std::string_view line, std::vector<GlyphCode>& logical, std::string& out) const;
    /// Display order <-> logical order of one line: the sequence reversed, Latin and digit runs
    /// kept in their order, symbols outside them mirrored. Applying it twice gives the input back.
    void Reorder(const GlyphCode* in, size_t n, std::vector<GlyphCode>& out) const;

    std::array<GlyphMeaning, 256> glyphs{};
    script::Joining JoiningOf(char32_t c) const { return c < joinings.size() ? joinings[c] : script::JoiningOf(c); }
    script::Joining NeighbourJoining(const char32_t* cps, size_t n, size_t i, int step) const;

    std::vector<CharEntry> byCodePoint;      // U+0000..U+06FF
    std::vector<script::Joining> joinings;   // the same range, looked up once
    CharEntry lamAlef;
    bool english = false;
};

/// Glyph text of a keymap for a Persian literal, for tests and fixtures: the map's import of `utf8`.
std::string GlyphTextOf(const KeyMap& map, std::string_view utf8);

} // namespace keymap
