#include "keymap/UnicodeBridge.h"
#include "tests/fakes/ShippedKeymaps.h"

#include <gtest/gtest.h>

#include <set>

using namespace keymap;

namespace {

const char* const Shipped[] = {"main.kbd", "kolb.kbd", "ziba2.kbd"};

std::string Bytes(std::initializer_list<int> codes)
{
    std::string s;
    for (int c : codes)
        s.push_back(static_cast<char>(c));
    return s;
}

class UnicodeBridgeTest : public ::testing::Test {
protected:
    fakes::FakeServices services; // a failed load would report here, not on a real screen
    UnicodeBridge main{fakes::ShippedKeymap("main.kbd")};
    UnicodeBridge kolb{fakes::ShippedKeymap("kolb.kbd")};
    UnicodeBridge ziba2{fakes::ShippedKeymap("ziba2.kbd")};

    const UnicodeBridge& Bridge(const std::string& name) const
    {
        return name == "main.kbd" ? main : name == "kolb.kbd" ? kolb : ziba2;
    }
};

} // namespace

TEST_F(UnicodeBridgeTest, DisplayFormsShowLetterAndShapeOneCharacterPerGlyph)
{
    struct Case {
        const UnicodeBridge& bridge;
        int glyph;
        char32_t shown;
    };
    const Case cases[] = {
        {main, 0x8E, 0xFE8F}, {main, 0x8F, 0xFE90}, {main, 0x90, 0xFE92}, {main, 0x91, 0xFE91}, // beh
        {main, 0x92, 0xFB56}, {main, 0xFF, 0xFBFE}, {main, 0xE3, 0xFB90},                      // peh, yeh, keheh
        {main, 0xE8, 0xFEFB}, {main, 0xE9, 0xFEFC}, {main, 0x85, 0xFE81},                      // lam-alef, alef madda
        {main, 0x31, 0x06F1}, {main, 0x21, '!'}, {main, 0x87, 0x0640}, {main, 0x8A, 0x061F},   // digit, symbols
        {main, 'A', 'A'}, {main, 'z', 'z'}, {main, ' ', ' '}, {main, 0x7F, 0}, {main, 0x01, 0},
        {kolb, 0x92, 0xFE8F}, {kolb, 0x93, 0xFE91}, {kolb, 0xAF, 0xFEC1}, {kolb, 0x81, 0x06F1},
        {kolb, 0xFF, 0}, {kolb, 0xB0, 0}, {kolb, 'q', 'q'},
        {ziba2, 'q', 0}, {ziba2, 0x7E, 0}, {ziba2, 0x31, 0x06F1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bridge.DisplayForm(static_cast<GlyphCode>(c.glyph)), c.shown) << "glyph " << c.glyph;
    // ziba2 has no Latin letters: its bytes in the ASCII letter range are Persian glyphs.
    EXPECT_NE(ziba2.DisplayForm('A'), U'A');
    EXPECT_NE(ziba2.DisplayForm('A'), 0u);
}

TEST_F(UnicodeBridgeTest, RealSentencesSurviveImportAndExportInEveryKeymap)
{
    const char* const sentences[] = {
        "من امروز به کتابخانه می‌روم.",
        "سه‌شنبه ۱۵ آذر ۱۴۰۵ ساعت ۱۲:۳۰",
        "لاله‌ها در باغ شکفته‌اند",
        "آیا این مسئله را حل کردی؟",
        "پژوهشگران چینی و ژاپنی به کلاس آمدند",
        "الآن شیء را دیدم",
        "گفتم به دل آهسته رو کآرام گیری عاقبت\r\nوان نامه را با خود ببر تا خانه‌ی یاران ما",
        "کـــتاب (جلد ۲) را بخوانید!",
    };
    for (const char* name : Shipped) {
        for (const char* sentence : sentences) {
            SCOPED_TRACE(std::string(name) + ": " + sentence);
            std::vector<Unrepresentable> problems;
            const std::string glyphs = Bridge(name).ImportUtf8(sentence, &problems);
            EXPECT_TRUE(problems.empty());
            EXPECT_EQ(Bridge(name).ExportUtf8(glyphs), sentence);
        }
    }
}

TEST_F(UnicodeBridgeTest, HalfSpaceKeepsTheShapeBeforeIt)
{
    // م initial, ی final (not medial), خ initial: the half-space lives in the shapes.
    EXPECT_EQ(main.ImportUtf8("می‌خواهم"), Bytes({0xEF, 0xFB, 0x8C, 0xF7, 0x86, 0xFD, 0xF1}));
    EXPECT_EQ(main.ImportUtf8("میخواهم"), Bytes({0xEF, 0xFB, 0x8C, 0xF7, 0xAC, 0xFE, 0xF1}));
    EXPECT_EQ(main.ExportUtf8(Bytes({0xEF, 0xFB, 0x8C, 0xF7, 0x86, 0xFD, 0xF1})), "می‌خواهم");
    // After a letter that never joins forward the half-space changes no shape, so no glyph keeps it.
    EXPECT_EQ(main.ImportUtf8("آباد‌ساخت"), main.ImportUtf8("آبادساخت"));
}

TEST_F(UnicodeBridgeTest, LamAlefIsOneGlyphAtWordStartAndInside)
{
    struct Case {
        const char* word;
        std::string glyphs;
    };
    const Case cases[] = {
        {"لا", Bytes({0xE8})},                     // alone: isolated
        {"لاله", Bytes({0xF9, 0xED, 0xE8})},       // word start: isolated, then lam initial, heh final
        {"سلام", Bytes({0xEE, 0xE9, 0xBB})},       // inside: final
        {"کلاس", Bytes({0xB8, 0xE9, 0xE3})},
        {"الا", Bytes({0xE8, 0x8C})},              // lam after alef: the ligature stands alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(main.ImportUtf8(c.word), c.glyphs);
        EXPECT_EQ(main.ExportUtf8(c.glyphs), c.word);
    }
    // Lam and alef written as two glyphs come out as the same two letters.
    EXPECT_EQ(main.ExportUtf8(Bytes({0x8D, 0xED})), "لا");
    EXPECT_EQ(kolb.ImportUtf8("سلام"), Bytes({0xF4, 0xF2, 0xA8}));
}

TEST_F(UnicodeBridgeTest, DigitAndLatinRunsKeepTheirOrderInsideAPersianLine)
{
    // Display order: the line's logical start is at its right end; numbers read left to right.
    const std::string year = main.ImportUtf8("سال ۱۴۰۵ است");
    EXPECT_EQ(year, main.ImportUtf8("است") + " 1405 " + main.ImportUtf8("سال"));
    EXPECT_EQ(main.ImportUtf8("ساعت ۱۲:۳۰"), "12:30 " + main.ImportUtf8("ساعت"));
    // Persian, Arabic-Indic and ASCII digits are the same digit keys.
    for (const char* name : {"main.kbd", "ziba2.kbd"}) {
        EXPECT_EQ(Bridge(name).ImportUtf8("١٢:٣٠"), Bridge(name).ImportUtf8("۱۲:۳۰")) << name;
        EXPECT_EQ(Bridge(name).ImportUtf8("12:30"), Bridge(name).ImportUtf8("۱۲:۳۰")) << name;
    }
    // kolb has Latin digits of its own beside the Persian ones.
    EXPECT_EQ(kolb.ImportUtf8("12:30"), "12:30");
    EXPECT_EQ(kolb.ImportUtf8("۱۲"), Bytes({0x81, 0x82}));
    // Two numbers with a space between are two runs, as they were typed.
    EXPECT_EQ(main.ImportUtf8("۱۲ ۳۴"), "34 12");

    const char* mixed = "فایل readme.txt را با Kelmora 2 باز کن";
    for (const char* name : {"main.kbd", "kolb.kbd"}) {
        std::vector<Unrepresentable> problems;
        const std::string glyphs = Bridge(name).ImportUtf8(mixed, &problems);
        EXPECT_TRUE(problems.empty()) << name;
        EXPECT_NE(glyphs.find("readme.txt"), std::string::npos) << name;
        EXPECT_NE(glyphs.find("Kelmora 2"), std::string::npos) << name;
    }
    EXPECT_EQ(kolb.ExportUtf8(kolb.ImportUtf8(mixed)), mixed);
}

TEST_F(UnicodeBridgeTest, BracketsAndQuotesAreMirroredInRightToLeftText)
{
    EXPECT_EQ(main.ImportUtf8("(سلام)"), "(" + main.ImportUtf8("سلام") + ")");
    EXPECT_EQ(main.ImportUtf8("«بله»"), Bytes({0x8B}) + main.ImportUtf8("بله") + Bytes({0xAD}));
    EXPECT_EQ(main.ExportUtf8("(" + main.ImportUtf8("سلام") + ")"), "(سلام)");
    // Inside Latin text nothing is mirrored.
    EXPECT_EQ(main.ImportUtf8("f(x) = y"), "f(x) = y");
}

TEST_F(UnicodeBridgeTest, UnrepresentableCharactersAreReportedWithTheirPlace)
{
    std::vector<Unrepresentable> problems;
    const std::string glyphs = ziba2.ImportUtf8("سلام ok\nمسألهٔ\t€", &problems);
    const std::vector<Unrepresentable> expected = {
        {1, 6, U'o'}, {1, 7, U'k'}, {2, 3, 0x0623}, {2, 6, 0x0654}, {2, 8, 0x20AC},
    };
    EXPECT_EQ(problems, expected);
    // What can be written is kept, lines included; seen' still joins the missing alef, and the
    // join controls say so.
    EXPECT_EQ(ziba2.ExportUtf8(glyphs), "سلام \nمس\u200d\u200cله\t");

    problems.clear();
    main.ImportUtf8("ok €", &problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], (Unrepresentable{1, 4, 0x20AC}));
    // Other spellings of the same letters are written with the Persian ones, not reported.
    problems.clear();
    EXPECT_EQ(main.ImportUtf8("كتاب علي", &problems), main.ImportUtf8("کتاب علی"));
    EXPECT_TRUE(problems.empty());
}

TEST_F(UnicodeBridgeTest, PresentationFormsAreReadAsTheirLetters)
{
    // Text copied from old documents often holds the shapes themselves; they are shaped anew.
    std::vector<Unrepresentable> problems;
    EXPECT_EQ(main.ImportUtf8("\uFEB3\uFEFC\uFEE1", &problems), main.ImportUtf8("سلام")); // seen initial, lam-alef final, meem isolated
    EXPECT_EQ(main.ImportUtf8("\uFB8E\uFE98\uFE8E\uFE8F"), main.ImportUtf8("کتاب"));
    EXPECT_TRUE(problems.empty());
    // A lam with alef hamza is two letters; the column of what cannot be written is the ligature's.
    main.ImportUtf8("ب\uFEF7ب", &problems);
    EXPECT_EQ(problems, (std::vector<Unrepresentable>{{1, 2, 0x0623}}));
}

TEST_F(UnicodeBridgeTest, InvalidUtf8IsReportedNotGuessed)
{
    struct Case {
        std::string input;
        std::vector<int> columns;
    };
    const Case cases[] = {
        {"\xff", {1}},
        {"\xd8", {1}},                          // cut short
        {"\xc0\xaf", {1, 2}},                   // overlong '/'
        {"\xed\xa0\x80", {1, 2, 3}},            // a surrogate
        {"\xd8\xb3\x80\xd9\x84", {2}},          // stray continuation byte between two letters
    };
    for (const Case& c : cases) {
        std::vector<Unrepresentable> problems;
        main.ImportUtf8(c.input, &problems);
        std::vector<int> columns;
        for (const Unrepresentable& p : problems) {
            EXPECT_EQ(p.codePoint, 0xFFFDu);
            columns.push_back(p.column);
        }
        EXPECT_EQ(columns, c.columns) << testing::PrintToString(c.input);
    }
    // A byte-order mark at the start is no character.
    std::vector<Unrepresentable> problems;
    EXPECT_EQ(main.ImportUtf8("\xEF\xBB\xBFسلام", &problems), main.ImportUtf8("سلام"));
    EXPECT_TRUE(problems.empty());
}

TEST_F(UnicodeBridgeTest, LinesKeepTheirBreaksAndOrder)
{
    const std::string text = "سلام\r\nدنیا\nخوب\rبد\r\n";
    const std::string glyphs = main.ImportUtf8(text);
    EXPECT_EQ(glyphs, main.ImportUtf8("سلام") + "\r\n" + main.ImportUtf8("دنیا") + "\n" + main.ImportUtf8("خوب") +
                          "\r" + main.ImportUtf8("بد") + "\r\n");
    EXPECT_EQ(main.ExportUtf8(glyphs), text);
    std::vector<Unrepresentable> problems;
    main.ImportUtf8("الف\r\nب\nأ", &problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], (Unrepresentable{3, 1, 0x0623}));
    EXPECT_EQ(main.ImportUtf8(""), "");
    EXPECT_EQ(main.ExportUtf8(""), "");
}

TEST_F(UnicodeBridgeTest, ShapesTheNeighboursWouldNotGiveSurviveTheRoundTrip)
{
    // Glyph text as a user leaves it mid-typing or with Shift: a word whose last letter is still
    // medial, a final letter at a word start, an isolated letter inside a word.
    const std::string cases[] = {
        Bytes({0x90, 0x91}),             // beh initial, beh medial at the end
        Bytes({0x8F}),                   // beh final alone
        Bytes({0x8F, 0x20, 0x91}),       // initial, space, final
        Bytes({0xEF, 0x8E, 0xF1}),       // meem initial, beh isolated, meem final
        Bytes({0xF9, 0x90, 0x85, 0x91}), // beh initial, alef madda, beh medial, heh final
    };
    for (const std::string& glyphs : cases) {
        const std::string unicode = main.ExportUtf8(glyphs);
        EXPECT_EQ(main.ImportUtf8(unicode), glyphs) << unicode;
    }
    // A byte that means nothing comes out as the replacement character.
    EXPECT_EQ(main.ExportUtf8(Bytes({0x7F})), "\uFFFD");
    EXPECT_EQ(ziba2.ExportUtf8("~"), "\uFFFD");
}

TEST_F(UnicodeBridgeTest, JoinControlsDecideShapesOnImport)
{
    // ZWJ after a letter keeps it joining forward; ZWNJ breaks a join.
    EXPECT_EQ(main.ImportUtf8("ب\u200d"), Bytes({0x91}));
    EXPECT_EQ(main.ImportUtf8("\u200dب"), Bytes({0x8F}));
    EXPECT_EQ(main.ImportUtf8("ب\u200cب"), Bytes({0x8E, 0x8E}));
    EXPECT_EQ(main.ImportUtf8("ببب"), Bytes({0x8F, 0x90, 0x91}));
    // Kashida joins on both sides.
    EXPECT_EQ(main.ImportUtf8("بـب"), Bytes({0x8F, 0x87, 0x91}));
}

TEST_F(UnicodeBridgeTest, FixtureHelperSpellsPersianLiterals)
{
    EXPECT_EQ(fakes::Glyphs("main.kbd", "سلام"), Bytes({0xEE, 0xE9, 0xBB}));
    EXPECT_EQ(fakes::Unicode("kolb.kbd", fakes::Glyphs("kolb.kbd", "سلام")), "سلام");
    EXPECT_THROW(fakes::Glyphs("ziba2.kbd", "abc"), std::runtime_error);
    EXPECT_EQ(GlyphTextOf(fakes::ShippedKeymap("main.kbd"), "سلام"), Bytes({0xEE, 0xE9, 0xBB}));
}

TEST_F(UnicodeBridgeTest, OddKeymapsGiveAWorkingBridge)
{
    // An empty table, glyph fields out of the byte range (negative, 256..269, huge), a key type on
    // H that is not a glyph, the same glyph on several keys: nothing may read outside a table, and
    // every import still lists what it could not write.
    KeyTable odd{};
    odd[30] = {0x46, -5, 256, 269, 1 << 30, 0, 0, 0, 0};   // beh with no usable glyph
    odd[32] = {0x48, 0x8C, 0x8D, 0, 0, 3, 0, 0, 0};        // alef; extIsolated 3 is a key type
    odd[33] = {0x4A, 0x90, 0x90, 0x90, 0x90, 0, 0, 0, 0};  // teh: one code for all shapes
    odd[35] = {0x4C, 0x90, 0x91, 0x92, 0x93, 0, 0, 0, 0};  // meem takes 0x90 over from teh
    KeyMap empty;
    empty.SetRecords(KeyTable{}, "empty.kbd");
    KeyMap strange;
    strange.SetRecords(odd, "odd.kbd");
    for (const KeyMap* map : {&empty, &strange}) {
        const UnicodeBridge bridge(*map);
        std::string every;
        for (int g = 0; g < 256; ++g)
            every.push_back(static_cast<char>(g));
        const std::string unicode = bridge.ExportUtf8(every);
        std::vector<Unrepresentable> problems;
        const std::string glyphs = bridge.ImportUtf8(unicode + "بتم آ", &problems);
        EXPECT_FALSE(problems.empty()) << map->FileName();
        EXPECT_EQ(bridge.ExportUtf8(glyphs).find('\0'), std::string::npos);
    }
    const UnicodeBridge bridge(strange);
    std::vector<Unrepresentable> problems;
    EXPECT_EQ(bridge.ImportUtf8("ب", &problems), "");
    EXPECT_EQ(problems, (std::vector<Unrepresentable>{{1, 1, 0x0628}}));
    EXPECT_EQ(bridge.ImportUtf8("مم"), Bytes({0x91, 0x93}));
    EXPECT_EQ(bridge.DisplayForm(0x90), 0xFEE1u); // meem isolated: the later record wins
    // H's extIsolated of 3 is its key type, not alef madda.
    EXPECT_EQ(bridge.DisplayForm(3), 0u);
    problems.clear();
    EXPECT_EQ(bridge.ImportUtf8("آ", &problems), "");
    EXPECT_EQ(problems.size(), 1u);
}

TEST_F(UnicodeBridgeTest, EveryGlyphOfAShippedKeymapHasADisplayForm)
{
    // A window shows any keymap's text in a Unicode font through these, so none may be missing,
    // and two glyphs of one keymap show differently unless they are the same letter and shape.
    for (const char* name : Shipped) {
        const KeyMap map = fakes::ShippedKeymap(name);
        const UnicodeBridge& bridge = Bridge(name);
        for (int g = 4; g < 256; ++g) { // 1..3 are the key types and the English flag
            int form = -1;
            map.RecordForGlyph(g, form);
            if (form >= 0) {
                EXPECT_NE(bridge.DisplayForm(static_cast<GlyphCode>(g)), 0u) << name << " glyph " << g;
            }
        }
    }
    std::set<char32_t> shown;
    for (int g = 0x80; g < 256; ++g)
        if (main.DisplayForm(static_cast<GlyphCode>(g)) != 0) {
            EXPECT_TRUE(shown.insert(main.DisplayForm(static_cast<GlyphCode>(g))).second) << "glyph " << g;
        }
}
