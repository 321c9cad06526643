#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <set>

using namespace keymap;

namespace {

/// The letters of a text without the join controls that keep lone shapes.
std::string WithoutJoinControls(std::string s)
{
    for (const char* control : {"\u200c", "\u200d"})
        for (size_t p; (p = s.find(control)) != std::string::npos;)
            s.erase(p, 3);
    return s;
}

const char* const Shipped[] = {"main.kbd", "kolb.kbd", "ziba2.kbd"};

class ShippedKeymapsTest : public ::testing::Test {
protected:
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};

    KeyMap Load(const std::string& name)
    {
        folder.InstallKeymap(name);
        KeyMap map;
        EXPECT_TRUE(map.Load(name)) << name;
        EXPECT_TRUE(services.messages.shown.empty());
        return map;
    }
};

struct FixedGlyph {
    const char* letter;
    int keyCode;
    int form;
    int glyph;
};

// The bytes of main.kbd that the date words and the statistics labels are written in.
const FixedGlyph MainFixed[] = {
    {"آ", 0x48, ExtIsolated, 0x85}, {"ا", 0x48, Isolated, 0x8C}, {"ا", 0x48, Final, 0x8D},
    {"ب", 0x46, Final, 0x8F},       {"ب", 0x46, Medial, 0x90},   {"ب", 0x46, Initial, 0x91},
    {"پ", 0xC0, Initial, 0x95},     {"ت", 0x4A, Final, 0x97},    {"ت", 0x4A, Initial, 0x99},
    {"ج", 0xDB, Final, 0x9F},       {"ج", 0xDB, Initial, 0xA1},  {"چ", 0xDD, Initial, 0xA5},
    {"ح", 0x50, Final, 0xA7},       {"خ", 0x4F, Initial, 0x86},  {"د", 0x4E, Isolated, 0xAE},
    {"د", 0x4E, Final, 0xAF},       {"ذ", 0x42, Isolated, 0xB0}, {"ر", 0x56, Isolated, 0xB2},
    {"ر", 0x56, Final, 0xB3},       {"س", 0x53, Initial, 0xBB},  {"ش", 0x41, Medial, 0xBE},
    {"ش", 0x41, Initial, 0xBF},     {"ص", 0x57, Medial, 0xC2},   {"ص", 0x57, Initial, 0xC3},
    {"ع", 0x55, Medial, 0xD2},      {"ع", 0x55, Initial, 0xD3},  {"ف", 0x54, Medial, 0xDA},
    {"ف", 0x54, Initial, 0xDB},     {"ک", 0xBA, Medial, 0xE2},   {"ک", 0xBA, Initial, 0xE3},
    {"ل", 0x47, Medial, 0xEC},      {"م", 0x4C, Medial, 0xF0},   {"م", 0x4C, Initial, 0xF1},
    {"ن", 0x4B, Isolated, 0xF2},    {"ن", 0x4B, Final, 0xF3},    {"ن", 0x4B, Medial, 0xF4},
    {"و", 0xBC, Isolated, 0xF6},    {"و", 0xBC, Final, 0xF7},    {"ه", 0x49, Isolated, 0xF8},
    {"ه", 0x49, Final, 0xF9},       {"ه", 0x49, Medial, 0xFA},   {"ی", 0x44, Isolated, 0xFC},
    {"ی", 0x44, Medial, 0xFE},      {"ی", 0x44, Initial, 0xFF},
};

} // namespace

TEST_F(ShippedKeymapsTest, MainHoldsTheFixedBytesUnderTheirKeysAndForms)
{
    const KeyMap map = Load("main.kbd");
    const UnicodeBridge bridge(map);
    for (const FixedGlyph& f : MainFixed) {
        SCOPED_TRACE(f.letter);
        EXPECT_EQ(map.RecordForKey(f.keyCode).Glyph(f.form), f.glyph);
        int form = -1;
        EXPECT_EQ(map.RecordForGlyph(f.glyph, form).keyCode, f.keyCode);
        EXPECT_EQ(form, f.form);
        EXPECT_EQ(WithoutJoinControls(bridge.ExportUtf8(std::string(1, static_cast<char>(f.glyph)))), f.letter);
    }
}

TEST_F(ShippedKeymapsTest, MainSpellsTheDateWordsAndStatisticsLabels)
{
    struct Case {
        std::string bytes;
        const char* word;
    };
    // Display order: each word is stored with its last letter first.
    const Case cases[] = {
        {"\x97\xbe\xfa\x90\xff\xae\xb2\x8c", "اردیبهشت"}, {"\xae\x8c\xae\xb3\x86", "خرداد"},
        {"\xb3\xfe\x99", "تیر"}, {"\xae\x8c\xae\xb3\xf1", "مرداد"}, {"\xb2\xf7\xff\xb3\xfa\xbf", "شهریور"},
        {"\xb3\xfa\xf1", "مهر"}, {"\xf2\x8d\x91\x85", "آبان"}, {"\xb2\xb0\x85", "آذر"}, {"\xfc\xae", "دی"},
        {"\xf3\xf0\xfa\x91", "بهمن"}, {"\xaf\xf4\xda\xbb\x8c", "اسفند"},
        {"\xf9\x90\xf4\xbf", "شنبه"}, {"\xf9\x90\xf4\xbe\xe2\xff", "یکشنبه"}, {"\xf9\x90\xf4\xbf\xf6\xae", "دوشنبه"},
        {"\xf9\x90\xf4\xbf\xf9\xbb", "سه\u200cشنبه"}, {"\xf9\x90\xf4\xbf\xb2\x8d\xfa\xa5", "چهارشنبه"},
        {"\xf9\x90\xf4\xbf\x9f\xf4\x95", "پنج\u200cشنبه"}, {"\xf9\xd2\xf0\xa1", "جمعه"},
        {"\x20\xa7\x90\xc3", "صبح "}, {"\x20\xb3\xc2\xd3", "عصر "}, {"\x20\x8f\xbf", "شب "},
        {"\xae\x8c\xaf\xd2\x99", "تعداد"}, {"\xf9\xf0\xec\xe3", "کلمه"}, {"\xf8\xb2\x8d\xf0\xbf", "شماره"},
    };
    const UnicodeBridge bridge(Load("main.kbd"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(bridge.ExportUtf8(c.bytes), c.word);
        EXPECT_EQ(bridge.ImportUtf8(c.word), c.bytes);
    }
}

TEST_F(ShippedKeymapsTest, KolbIsTheIranSystemCodePage)
{
    struct Case {
        const char* text;
        std::string bytes; // display order
    };
    const Case cases[] = {
        {"۰۱۲۳۴۵۶۷۸۹", "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89"},
        {"،", "\x8a"}, {"ـ", "\x8b"}, {"؟", "\x8c"}, {"آ", "\x8d"}, {"ء", "\x8f"},
        {"با", "\x91\x93"},                 // beh initial 93, alef final 91
        {"ببب", "\x92\x93\x93"},            // final/isolated 92, initial/medial 93
        {"عععع", "\xe2\xe3\xe3\xe4"},       // ain: four shapes
        {"ع", "\xe1"},
        {"هههه", "\xf9\xfa\xfa\xfb"},       // heh: final/isolated, medial, initial
        {"یی ی", "\xfd\x20\xfc\xfe"},       // yeh: final fc, isolated fd, initial/medial fe
        {"لا", "\xf2"}, {"سلام", "\xf4\xf2\xa8"}, {"طظ", "\xe0\xaf"}, {"بئر", "\xa4\x8e\x93"},
        {"Iran System", "Iran System"},
    };
    const KeyMap map = Load("kolb.kbd");
    EXPECT_TRUE(map.SupportsEnglish());
    const UnicodeBridge bridge(map);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(bridge.ImportUtf8(c.text), c.bytes);
        EXPECT_EQ(bridge.ExportUtf8(c.bytes), c.text);
    }
}

TEST_F(ShippedKeymapsTest, KolbLettersFallInTheWordByteClasses)
{
    // Statistics cut kolb text into words by byte value: letters 141..255, digits and punctuation
    // 128..138 and 140, kashida 139.
    const KeyMap map = Load("kolb.kbd");
    for (int r = 0; r < RecordCount; ++r) {
        const KeyRecord& rec = map.Record(r);
        const bool letterKey = rec.extIsolated == LetterKey || rec.extIsolated == LetterWithShiftSymbol ||
                               rec.keyCode == 0x48;
        for (int f = Isolated; f <= Initial && letterKey; ++f) {
            const int g = rec.Glyph(f);
            if (g != 0) {
                EXPECT_TRUE(g >= 141 && g <= 255) << "record " << r << " form " << f << " glyph " << g;
            }
        }
        if (rec.extIsolated == DigitKey) {
            EXPECT_TRUE(rec.medial >= 128 && rec.medial <= 137) << "record " << r;
        }
    }
    EXPECT_EQ(map.RecordForKey(0xBD).medial, 139);
    EXPECT_EQ(map.RecordForKey(0xBF).medial, 140);
}

TEST_F(ShippedKeymapsTest, EveryShippedKeymapHasTheGridsFixedRoles)
{
    for (const char* name : Shipped) {
        SCOPED_TRACE(name);
        const KeyMap map = Load(name);
        const KeyRecord none = map.Record(NoKeyRecord);
        for (int f = 0; f < 8; ++f)
            EXPECT_EQ(none.Glyph(f), 0) << "record 50 carries a glyph in form " << f;
        EXPECT_EQ(map.Record(EnglishFlagRecord).keyCode, 0x0D);
        EXPECT_EQ(map.SupportsEnglish(), std::string(name) != "ziba2.kbd");
        // Key types: letters 0 or 2, the digit row 3, minus, equals and slash 1; H holds alef madda.
        for (int k = 0x30; k <= 0x39; ++k)
            EXPECT_EQ(map.RecordForKey(k).extIsolated, DigitKey) << k;
        for (int k : {0xBD, 0xBB, 0xBF})
            EXPECT_EQ(map.RecordForKey(k).extIsolated, SymbolKey) << k;
        for (int k : {0x46, 0x47, 0x41, 0xC0, 0xDC, 0x4D, 0xBE})
            EXPECT_TRUE(map.RecordForKey(k).extIsolated == LetterKey ||
                        map.RecordForKey(k).extIsolated == LetterWithShiftSymbol) << k;
        EXPECT_EQ(UnicodeBridge(map).ExportUtf8(std::string(1, static_cast<char>(map.RecordForKey(0x48).extIsolated))), "آ");
        // Letters that never join forward have no medial or initial shape.
        for (int k : {0x48, 0x4E, 0x42, 0x56, 0x43, 0xDC, 0xBC}) {
            EXPECT_EQ(map.RecordForKey(k).medial, 0) << k;
            EXPECT_EQ(map.RecordForKey(k).initial, 0) << k;
        }
        // Record index = row * 13 + column of the keyboard grid.
        EXPECT_EQ(map.Record(0).keyCode, 0xC0);
        EXPECT_EQ(map.Record(14).keyCode, 0x51);
        EXPECT_EQ(map.Record(27).keyCode, 0x41);
        EXPECT_EQ(map.Record(40).keyCode, 0x5A);
        EXPECT_EQ(map.Record(48).keyCode, 0xBE);
        EXPECT_EQ(map.Record(51).keyCode, 0xDC);
    }
}

TEST_F(ShippedKeymapsTest, UnmappedBytesNeverBecomeLetters)
{
    // Every byte no record holds converts to itself (space, line ends, English pass-through) or
    // to nothing; none turns into a letter of the other font.
    for (const char* from : Shipped) {
        for (const char* to : Shipped) {
            SCOPED_TRACE(std::string(from) + " -> " + to);
            KeymapConverter converter;
            converter.source = Load(from);
            converter.destination = Load(to);
            for (int b = 1; b < 256; ++b) {
                int form = 0;
                converter.source.RecordForGlyph(b, form);
                if (form >= 0)
                    continue;
                converter.input = std::string(1, static_cast<char>(b));
                converter.Convert();
                const bool passes = converter.output.empty() || converter.output == converter.input;
                EXPECT_TRUE(passes) << "byte " << b << " became " << static_cast<int>(static_cast<unsigned char>(converter.output[0]));
            }
        }
    }
}
