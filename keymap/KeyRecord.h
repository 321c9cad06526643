/** @file KeyRecord.h
 ** One key of a keymap: its key code and the glyph codes of its eight forms. **/
#pragma once

#include <array>
#include <cstdint>

namespace keymap {

/// A character code of a Persian display font.
using GlyphCode = unsigned char;

/// The eight glyph fields of a record, numbered as the glyph lookups number them.
enum FormIndex : int {
    Isolated = 0,
    Final = 1,
    Medial = 2,
    Initial = 3,
    ExtIsolated = 4,
    ExtFinal = 5,
    ExtMedial = 6,
    ExtInitial = 7,
};

constexpr int RecordCount = 52;
constexpr int RecordBytes = 36;
constexpr int TableBytes = RecordCount * RecordBytes; // 1872
constexpr int LookupSize = 270;
constexpr int NoKeyRecord = 50;        // answers for every unmapped key and glyph
constexpr int EnglishFlagRecord = 38;  // its extInitial is the supports-English flag
constexpr int GridColumns = 13;
constexpr int GridRows = 4;

/// Key types held in extIsolated of a record.
enum KeyType : int { LetterKey = 0, SymbolKey = 1, LetterWithShiftSymbol = 2, DigitKey = 3 };

/// Nine 32-bit fields; a file stores them little-endian, 36 bytes a record.
struct KeyRecord {
    std::int32_t keyCode = 0;
    std::int32_t isolated = 0;
    std::int32_t final = 0;
    std::int32_t medial = 0;
    std::int32_t initial = 0;
    std::int32_t extIsolated = 0;
    std::int32_t extFinal = 0;
    std::int32_t extMedial = 0;
    std::int32_t extInitial = 0;

    /// The glyph field of a form 0..7; 0 for anything else.
    std::int32_t Glyph(int form) const
    {
        switch (form) {
        case Isolated: return isolated;
        case Final: return final;
        case Medial: return medial;
        case Initial: return initial;
        case ExtIsolated: return extIsolated;
        case ExtFinal: return extFinal;
        case ExtMedial: return extMedial;
        case ExtInitial: return extInitial;
        default: return 0;
        }
    }
    void SetGlyph(int form, std::int32_t value)
    {
        switch (form) {
        case Isolated: isolated = value; break;
        case Final: final = value; break;
        case Medial: medial = value; break;
        case Initial: initial = value; break;
        case ExtIsolated: extIsolated = value; break;
        case ExtFinal: extFinal = value; break;
        case ExtMedial: extMedial = value; break;
        case ExtInitial: extInitial = value; break;
        default: break;
        }
    }
    /// Field 0 is the key code, fields 1..8 the glyphs of forms 0..7.
    std::int32_t Field(int index) const { return index == 0 ? keyCode : Glyph(index - 1); }
    void SetField(int index, std::int32_t value)
    {
        if (index == 0)
            keyCode = value;
        else
            SetGlyph(index - 1, value);
    }

    friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

using KeyTable = std::array<KeyRecord, RecordCount>;

} // namespace keymap
