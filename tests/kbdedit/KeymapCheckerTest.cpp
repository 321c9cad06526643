#include "kbdedit/KeymapChecker.h"
#include "keymap/KeymapTableText.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kbdedit;
using keymap::KeyRecord;
using keymap::KeyTable;

namespace {

/// A small keymap with nothing to warn about: sheen on A, alef on H, kaf on the semicolon key
/// (a letter whose Shift gives a symbol), the two Shift keys and the English flag, set because no
/// key uses a Latin letter's code.
KeyTable CleanTable()
{
    KeyTable t{};
    t[27] = KeyRecord{0x41, 0xBC, 0xBD, 0xBE, 0xBF, 0, 0, 0, 0};
    t[32] = KeyRecord{0x48, 0x8C, 0x8D, 0, 0, 0x85, 0, 0, 0};
    t[36] = KeyRecord{0xBA, 0xE0, 0xE1, 0xE2, 0xE3, keymap::LetterWithShiftSymbol, 0, 0x89, 0};
    t[38] = KeyRecord{0x0D, 0, 0, 0, 0, 0, 0, 0, 1};
    t[39].keyCode = 0x10;
    t[50].keyCode = 0x10;
    return t;
}

struct Expected {
    WarningKind kind;
    int record;
    int form;
    const char* inText; // the key and form the user reads
};

} // namespace

TEST(KeymapCheckerTest, ACleanTableHasNoWarnings)
{
    for (const KeymapWarning& w : CheckKeymap(CleanTable()))
        ADD_FAILURE() << w.text;
}

TEST(KeymapCheckerTest, ANewTableWithOnlyTheFlagHasNoKeyCodeWarnings)
{
    KeyTable table{};
    table[keymap::EnglishFlagRecord].extInitial = 1;
    EXPECT_TRUE(CheckKeymap(table).empty());
}

TEST(KeymapCheckerTest, EachMistakeGivesItsWarningAtItsKeyAndForm)
{
    const struct {
        const char* what;
        std::function<void(KeyTable&)> damage;
        std::vector<Expected> expected;
    } cases[] = {
        {"glyph code in two records", [](KeyTable& t) { t[32].final = 0xBC; },
         {{WarningKind::SharedGlyph, 27, keymap::Isolated, "key A (ش), Isolated is also used by key H (ا), Final Word; converted text reads it as the later one"}}},
        {"glyph code in two forms of one record", [](KeyTable& t) { t[27].final = 0xBC; },
         {{WarningKind::SharedGlyph, 27, keymap::Isolated, "the later one, key A (ش), Final Word"}}},
        {"glyph code taken by a later key type", [](KeyTable& t) { t[27].isolated = keymap::LetterWithShiftSymbol; },
         {{WarningKind::SharedGlyph, 27, keymap::Isolated, "the key type or flag in key ; (ک), Extended 1"}}},
        {"letter without isolated shape", [](KeyTable& t) { t[27].isolated = 0; },
         {{WarningKind::NoIsolated, 27, keymap::Isolated, "A (ش) has no isolated shape"}}},
        {"letter without final shape", [](KeyTable& t) { t[32].final = 0; },
         {{WarningKind::NoFinal, 32, keymap::Final, "H (ا) has no final shape"}}},
        {"initial without medial", [](KeyTable& t) { t[36].medial = 0; },
         {{WarningKind::InitialWithoutMedial, 36, keymap::Medial, "; (ک) has an initial shape but no medial one"}}},
        {"medial without initial", [](KeyTable& t) { t[27].initial = 0; },
         {{WarningKind::MedialWithoutInitial, 27, keymap::Initial, "A (ش) has a medial shape but no initial one"}}},
        {"key code used twice", [](KeyTable& t) { t[28] = KeyRecord{0x41, 0xB8, 0xB9, 0xBA, 0xBB, 0, 0, 0, 0}; },
         {{WarningKind::KeyCodeTwice, 27, KeyCodeField, "0x41 of key A (ش) is also used by key S (س); pressing it types the later one"}}},
        {"a third Shift", [](KeyTable& t) { t[26].keyCode = 0x10; t[26].isolated = 0xF0; },
         {{WarningKind::KeyCodeTwice, 26, KeyCodeField, "0x10 of key Capslock is also used by key right Shift"}}},
        {"key code off the keyboard", [](KeyTable& t) { t[27].keyCode = 0x70; },
         {{WarningKind::KeyCodeOffKeyboard, 27, KeyCodeField, "112 of key A (ش) is none of the keyboard's keys"}}},
        {"English flag while a Latin code is used", [](KeyTable& t) { t[36].extMedial = 'a'; },
         {{WarningKind::EnglishFlagButLatinUsed, 36, keymap::ExtMedial, "key ; (ک), Extended 3 uses code 0x61, where an English font has the letter a"}}},
        {"no English flag while no Latin code is used", [](KeyTable& t) { t[38].extInitial = 0; },
         {{WarningKind::LatinFreeButNoEnglishFlag, 38, keymap::ExtInitial, "Does Support English ? is clear"}}},
        {"glyph in record 50", [](KeyTable& t) { t[50].medial = 0x21; },
         {{WarningKind::NoKeyRecordGlyph, 50, keymap::Medial, "key right Shift, Medial holds glyph code 33"}}},
        {"glyph in the flag field", [](KeyTable& t) { t[38].extInitial = 0xC5; },
         {{WarningKind::LatinFreeButNoEnglishFlag, 38, keymap::ExtInitial, "clear"},
          {WarningKind::FlagFieldGlyph, 38, keymap::ExtInitial, "key Enter, Extended 4 holds 197"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        KeyTable table = CleanTable();
        c.damage(table);
        const std::vector<KeymapWarning> warnings = CheckKeymap(table);
        ASSERT_EQ(warnings.size(), c.expected.size());
        for (size_t i = 0; i < warnings.size(); ++i) {
            EXPECT_EQ(warnings[i].kind, c.expected[i].kind);
            EXPECT_EQ(warnings[i].record, c.expected[i].record);
            EXPECT_EQ(warnings[i].form, c.expected[i].form);
            EXPECT_NE(warnings[i].text.find(c.expected[i].inText), std::string::npos) << warnings[i].text;
        }
    }
}

TEST(KeymapCheckerTest, AGlyphInThreePlacesWarnsForEachThatLoses)
{
    KeyTable table = CleanTable();
    table[27].final = 0xBC;
    table[36].initial = 0xBC;
    const std::vector<KeymapWarning> warnings = CheckKeymap(table);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].record, 27);
    EXPECT_EQ(warnings[0].form, keymap::Isolated);
    EXPECT_EQ(warnings[1].record, 27);
    EXPECT_EQ(warnings[1].form, keymap::Final);
    for (const KeymapWarning& w : warnings)
        EXPECT_NE(w.text.find("the later one, key ; (ک), Initial"), std::string::npos) << w.text;
}
