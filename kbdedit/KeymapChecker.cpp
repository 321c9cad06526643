#include "kbdedit/KeymapChecker.h"

#include "kbdedit/KeyboardGrid.h"
#include "keymap/PersianKeyboard.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace kbdedit {
namespace {

using keymap::KeyRecord;
using keymap::KeyTable;

/// One entry a keymap makes in the glyph lookup, in the order the lookup is built.
struct GlyphEntry {
    int record;
    int form;
    bool isGlyph; // false for a key type or the English flag, which the lookup enters all the same
};

std::string Hex(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(value));
    return buffer;
}

std::string Place(int record, int form)
{
    return "key " + CellName(record) + ", " + (form == KeyCodeField ? std::string("Scan Code") : FormName(form));
}

bool IsLetterKey(const KeyRecord& record) { return keymap::PersianKeyMeaning(record.keyCode).letter != 0; }

/// Whether field `form` of a record holds a glyph: extIsolated is the key type except on the H key,
/// where values beyond the key types are the glyph for Shift+H; record 38's extInitial is the flag.
bool HoldsGlyph(int record, int form, const KeyRecord& rec)
{
    if (form == keymap::ExtIsolated)
        return rec.keyCode == keymap::vk::H && rec.extIsolated > keymap::DigitKey;
    return !(record == keymap::EnglishFlagRecord && form == keymap::ExtInitial);
}

/// A cell nobody filled in; the English flag alone does not fill the Enter cell.
bool IsEmpty(int record, KeyRecord rec)
{
    if (record == keymap::EnglishFlagRecord)
        rec.extInitial = 0;
    return rec == KeyRecord{};
}

bool IsLatinLetter(int code) { return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z'); }

void CheckSharedGlyphs(const KeyTable& table, std::vector<KeymapWarning>& out)
{
    std::array<std::vector<GlyphEntry>, 256> entries;
    for (int r = 0; r < keymap::RecordCount; ++r)
        for (int f = 0; f < 8; ++f) {
            const int code = table[static_cast<size_t>(r)].Glyph(f);
            if (code > 0 && code < 256)
                entries[static_cast<size_t>(code)].push_back({r, f, HoldsGlyph(r, f, table[static_cast<size_t>(r)])});
        }
    for (int code = 1; code < 256; ++code) {
        const std::vector<GlyphEntry>& list = entries[static_cast<size_t>(code)];
        if (list.size() < 2)
            continue;
        const GlyphEntry& winner = list.back();
        const std::string winnerText = winner.isGlyph ? Place(winner.record, winner.form)
                                                      : "the key type or flag in " + Place(winner.record, winner.form);
        for (size_t i = 0; i + 1 < list.size(); ++i) {
            if (!list[i].isGlyph)
                continue;
            out.push_back({WarningKind::SharedGlyph, list[i].record, list[i].form,
                           "Glyph code " + std::to_string(code) + " of " + Place(list[i].record, list[i].form) +
                               " is also used by " + winnerText + "; converted text reads it as the later one, " +
                               winnerText + "."});
        }
    }
}

void CheckLetterShapes(const KeyTable& table, std::vector<KeymapWarning>& out)
{
    for (int r = 0; r < keymap::RecordCount; ++r) {
        const KeyRecord& rec = table[static_cast<size_t>(r)];
        if (!IsLetterKey(rec))
            continue;
        const std::string key = "key " + CellName(r);
        if (rec.isolated == 0)
            out.push_back({WarningKind::NoIsolated, r, keymap::Isolated, "The letter " + key + " has no isolated shape."});
        if (rec.final == 0)
            out.push_back({WarningKind::NoFinal, r, keymap::Final, "The letter " + key + " has no final shape."});
        if (rec.initial != 0 && rec.medial == 0)
            out.push_back({WarningKind::InitialWithoutMedial, r, keymap::Medial,
                           "The letter " + key + " has an initial shape but no medial one."});
        if (rec.medial != 0 && rec.initial == 0)
            out.push_back({WarningKind::MedialWithoutInitial, r, keymap::Initial,
                           "The letter " + key + " has a medial shape but no initial one."});
    }
}

void CheckKeyCodes(const KeyTable& table, std::vector<KeymapWarning>& out)
{
    for (int r = 0; r < keymap::RecordCount; ++r) {
        const KeyRecord& rec = table[static_cast<size_t>(r)];
        if (IsEmpty(r, rec))
            continue; // an unused cell: key code 0 is never pressed
        const long onKeyboard = std::count(std::begin(CellKeyCodes), std::end(CellKeyCodes), rec.keyCode);
        if (onKeyboard == 0) {
            out.push_back({WarningKind::KeyCodeOffKeyboard, r, KeyCodeField,
                           "The key code " + std::to_string(rec.keyCode) + " of key " + CellName(r) +
                               " is none of the keyboard's keys."});
            continue;
        }
        // The keyboard itself has two Shift keys; records beyond what it has lose the key to the last.
        int last = r;
        long uses = 0;
        long rank = 0;
        for (int other = 0; other < keymap::RecordCount; ++other) {
            const KeyRecord& o = table[static_cast<size_t>(other)];
            if (o.keyCode != rec.keyCode || IsEmpty(other, o))
                continue;
            ++uses;
            rank += other < r;
            last = other;
        }
        if (rank < uses - onKeyboard)
            out.push_back({WarningKind::KeyCodeTwice, r, KeyCodeField,
                           "The key code " + Hex(rec.keyCode) + " of key " + CellName(r) + " is also used by key " +
                               CellName(last) + "; pressing it types the later one, key " + CellName(last) + "."});
    }
}

void CheckEnglishFlag(const KeyTable& table, std::vector<KeymapWarning>& out)
{
    const bool flag = table[keymap::EnglishFlagRecord].extInitial == 1;
    bool latinUsed = false;
    for (int r = 0; r < keymap::RecordCount; ++r)
        for (int f = 0; f < 8; ++f) {
            const KeyRecord& rec = table[static_cast<size_t>(r)];
            const int code = rec.Glyph(f);
            if (!IsLatinLetter(code) || !HoldsGlyph(r, f, rec))
                continue;
            latinUsed = true;
            if (flag)
                out.push_back({WarningKind::EnglishFlagButLatinUsed, r, f,
                               "Does Support English ? is set, but " + Place(r, f) + " uses code " + Hex(code) +
                                   ", where an English font has the letter " + std::string(1, static_cast<char>(code)) +
                                   "."});
        }
    if (!flag && !latinUsed)
        out.push_back({WarningKind::LatinFreeButNoEnglishFlag, keymap::EnglishFlagRecord, keymap::ExtInitial,
                       "Does Support English ? is clear, but no key uses the codes of the Latin letters: if the font "
                       "has them at their ASCII codes, set it."});
}

void CheckRecordsWithRoles(const KeyTable& table, std::vector<KeymapWarning>& out)
{
    const KeyRecord& none = table[keymap::NoKeyRecord];
    for (int f = 0; f < 8; ++f)
        if (none.Glyph(f) != 0)
            out.push_back({WarningKind::NoKeyRecordGlyph, keymap::NoKeyRecord, f,
                           Place(keymap::NoKeyRecord, f) + " holds glyph code " + std::to_string(none.Glyph(f)) +
                               ", but this record answers for every key and glyph the keymap does not have."});
    const std::int32_t flag = table[keymap::EnglishFlagRecord].extInitial;
    if (flag != 0 && flag != 1)
        out.push_back({WarningKind::FlagFieldGlyph, keymap::EnglishFlagRecord, keymap::ExtInitial,
                       Place(keymap::EnglishFlagRecord, keymap::ExtInitial) + " holds " + std::to_string(flag) +
                           ", but this field is the Does Support English ? flag (0 or 1)."});
}

} // namespace

std::string FormName(int form)
{
    static const char* const names[8] = {"Isolated",   "Final Word", "Medial",     "Initial",
                                         "Extended 1", "Extended 2", "Extended 3", "Extended 4"};
    return form >= 0 && form < 8 ? names[form] : "Scan Code";
}

std::vector<KeymapWarning> CheckKeymap(const keymap::KeyTable& table)
{
    std::vector<KeymapWarning> warnings;
    CheckSharedGlyphs(table, warnings);
    CheckLetterShapes(table, warnings);
    CheckKeyCodes(table, warnings);
    CheckEnglishFlag(table, warnings);
    CheckRecordsWithRoles(table, warnings);
    std::stable_sort(warnings.begin(), warnings.end(), [](const KeymapWarning& a, const KeymapWarning& b) {
        return a.record != b.record ? a.record < b.record : a.form < b.form;
    });
    return warnings;
}

} // namespace kbdedit
