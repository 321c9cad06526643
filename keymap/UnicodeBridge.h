/** @file UnicodeBridge.h
 ** Moves text between one keymap's glyph codes (display order) and Unicode (logical order, UTF-8). **/
#pragma once

#include "keymap/ArabicScript.h"
#include "keymap/BidiLayout.h"
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
    /// The nearest letter written in its place (best fit); 0 when the character was left out.
    char32_t writtenAs = 0;
    friend bool operator==(const Unrepresentable&, const Unrepresentable&) = default;
};

/// Receives what an import could not write as it was, in the order of the input.
class ImportProblems {
public:
    virtual ~ImportProblems() = default;
    virtual void Add(const Unrepresentable& problem) = 0;
};

/// Whether an import writes a character the keymap lacks as its nearest letter (أ as ا, ة as ه,
/// Arabic yeh and kaf as the Persian ones, ٫ as "/", a no-break space as a space) or leaves it out.
enum class Fit : unsigned char { BestFit, Strict };

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

    /// Display-order glyph text to logical-order UTF-8: the reading of each line that ImportUtf8
    /// lays out as that line. Lam-alef becomes lam + alef, join controls keep shapes that the
    /// letters' neighbours alone would not give (the half-space of "می‌خواهم"), CR and LF are kept.
    /// A byte that means nothing comes out as U+FFFD.
    std::string ExportUtf8(std::string_view glyphText) const;

    /// Logical-order UTF-8 to display-order glyph text: shapes chosen by the joining rules (ZWNJ
    /// and ZWJ respected), each line laid out as the Unicode Bidirectional Algorithm shows a
    /// right-to-left paragraph (mirrored brackets included). Arabic presentation forms are read as
    /// their letters. Every character written as another (best fit) or left out (no glyph, and
    /// every invalid UTF-8 sequence as U+FFFD) is listed in `problems` when given.
    std::string ImportUtf8(std::string_view utf8, std::vector<Unrepresentable>* problems = nullptr,
                           Fit fit = Fit::BestFit) const;
    std::string ImportUtf8(std::string_view utf8, ImportProblems& problems, Fit fit = Fit::BestFit) const;

    bool SupportsEnglish() const { return english; }

    /// Whether a glyph joins the letter after it, or the letter before it: decided by the shapes
    /// the keymap uses it for.
    enum class Link : unsigned char { No, Yes, Either };

private:
    /// What one glyph code means.
    struct GlyphMeaning {
        char32_t first = 0;   // logical characters; lam-alef has two
        char32_t second = 0;
        char32_t display = 0;
        bidi::Kind kind = bidi::Kind::Neutral;
        bidi::Properties bidi;
        bool joinsForwardByType = false; // the letter's Unicode joining type lets it join the next
        bool joinsBackByType = false;    // ... or the previous
        Link forward = Link::No;
        Link back = Link::No;
        GlyphCode mirror = 0; // the glyph shown for this one in right-to-left context
        bool leftToRight = false; // a Latin letter or a digit
        unsigned char utf8Length = 0;
        char utf8[8] = {}; // what export writes for it
        unsigned char forwardCode = 0; // JoinCode of joinsForwardByType and forward
        unsigned char backCode = 0;
    };

    /// How one Unicode character is written with this keymap.
    struct CharEntry {
        enum Kind : unsigned char { None, Fixed, Letter, LamAlef } kind = None;
        GlyphCode glyph = 0;                 // Fixed
        std::array<GlyphCode, 4> shapes{};   // Letter: by FormIndex Isolated..Initial
        char32_t writtenAs = 0;              // best fit: the character these glyphs stand for
    };
    struct LineBuffers;

    void DescribeGlyphs(const KeyMap& map);
    void DescribeLetter(GlyphMeaning& m, GlyphCode g, const KeyRecord& rec, const KeyMeaning& key);
    static void DescribeSymbol(GlyphMeaning& m, char32_t symbol);
    static unsigned char JoinCode(bool byType, Link link);
    static void EmitJoinControls(const GlyphMeaning* a, const GlyphMeaning* b, std::string& out);
    void DescribeCodePageExtras();
    void BuildImportTable();
    void AddBestFits();
    const CharEntry& EntryFor(char32_t cp, Fit fit) const;
    void ImportLine(LineBuffers& b, int lineNumber, ImportProblems* problems, Fit fit, std::string& out) const;
    void LayOut(LineBuffers& b, std::string& out) const;
    void ExportLine(std::string_view line, LineBuffers& b, std::string& out) const;
    void LogicalOrder(std::string_view line, LineBuffers& b) const;
    bool ReadingFits(std::string_view line, LineBuffers& b) const;
    size_t AttachedToRun(const GlyphCode* shown, size_t n, size_t start, size_t end, bool runOnLeft) const;
    bool HasLeftToRight(const GlyphCode* g, size_t n) const;

    std::array<GlyphMeaning, 256> glyphs{};
    script::Joining JoiningOf(char32_t c) const { return c < joinings.size() ? joinings[c] : script::JoiningOf(c); }
    script::Joining NeighbourJoining(const char32_t* cps, size_t n, size_t i, int step) const;

    std::vector<CharEntry> byCodePoint;      // U+0000..U+06FF
    std::vector<CharEntry> boxDrawing;       // U+2500..U+259F
    std::vector<script::Joining> joinings;   // the same range, looked up once
    CharEntry lamAlef;
    bool english = false;
};

/// Glyph text of a keymap for a Persian literal, for tests and fixtures: the map's import of `utf8`.
std::string GlyphTextOf(const KeyMap& map, std::string_view utf8);

} // namespace keymap
