#include "keymap/KeymapConverter.h"
#include "keymap/KeymapFile.h"
#include "tests/fakes/RecordingProgress.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace keymap;

namespace {

// Two small fonts with the same keys at different codes, enough to see every shaping rule.
// Letters: beh (F key), alef (H key, no medial or initial), meem (L key); the 1 key is a digit key.
struct Font {
    int beh, alef, meem, digitOne;
};
constexpr Font FontA{0x8E, 0x8C, 0xEE, 0x81};
constexpr Font FontB{0xC0, 0xB0, 0xD0, 0xA1};

KeyTable TableFor(const Font& f, bool english)
{
    KeyTable t{};
    t[0x1D] = {0x46, f.beh, f.beh + 1, f.beh + 2, f.beh + 3, 0, 0, 0, 0};
    t[0x20] = {0x48, f.alef, f.alef + 1, 0, 0, 0, 0, 0, 0};
    t[0x24] = {0x4C, f.meem, f.meem + 1, f.meem + 2, f.meem + 3, 0, 0, 0, 0};
    t[1] = {0x31, 0, '!', f.digitOne, 0, DigitKey, 0, 0, 0};
    t[NoKeyRecord].keyCode = 0x10;
    t[EnglishFlagRecord].keyCode = 0x0D;
    t[EnglishFlagRecord].extInitial = english ? 1 : 0;
    return t;
}

std::string Bytes(std::initializer_list<int> codes)
{
    std::string s;
    for (int c : codes)
        s.push_back(static_cast<char>(c));
    return s;
}

class KeymapConverterTest : public ::testing::Test {
protected:
    fakes::FakeServices services;
    KeymapConverter converter;

    std::string Convert(const Font& from, const Font& to, const std::string& input, bool englishFrom = false,
                        bool englishTo = false)
    {
        converter.source.SetRecords(TableFor(from, englishFrom), "a.kbd");
        converter.destination.SetRecords(TableFor(to, englishTo), "b.kbd");
        converter.input = input;
        converter.Convert();
        return converter.output;
    }
};

} // namespace

TEST_F(KeymapConverterTest, ReshapesWithTheSameKeymap)
{
    const Font& a = FontA;
    // Display order: the logically last letter comes first in the string.
    struct Case { const char* what; std::string typed; std::string shaped; };
    const Case cases[] = {
        {"beh beh typed with the last still medial", Bytes({a.beh + 2, a.beh + 3}), Bytes({a.beh + 1, a.beh + 3})},
        {"beh-alef-meem: meem after a non-joining alef is isolated",
         Bytes({a.meem + 3, a.alef + 1, a.beh + 3}), Bytes({a.meem, a.alef + 1, a.beh + 3})},
        {"three behs as typed: the last one becomes final", Bytes({a.beh + 2, a.beh + 2, a.beh + 3}),
         Bytes({a.beh + 1, a.beh + 2, a.beh + 3})},
        {"a lone letter between spaces", Bytes({' ', a.beh + 3, ' '}), Bytes({' ', a.beh, ' '})},
        {"a lone letter at the line's start and end", Bytes({a.meem + 2}), Bytes({a.meem})},
        {"two words on two lines", Bytes({a.beh + 2, a.beh + 3, '\r', '\n', a.meem + 2, ' ', a.beh + 2, a.beh + 3}),
         Bytes({a.beh + 1, a.beh + 3, '\r', '\n', a.meem, ' ', a.beh + 1, a.beh + 3})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Convert(FontA, FontA, c.typed), c.shaped) << c.what;
}

TEST_F(KeymapConverterTest, ConvertsBetweenFonts)
{
    const Font& a = FontA;
    const Font& b = FontB;
    EXPECT_EQ(Convert(FontA, FontB, Bytes({a.meem + 1, a.beh + 2, a.beh + 3, ' ', a.alef})),
              Bytes({b.meem + 1, b.beh + 2, b.beh + 3, ' ', b.alef}));
    EXPECT_EQ(Convert(FontA, FontB, Bytes({a.digitOne, a.digitOne})), Bytes({b.digitOne, b.digitOne}))
        << "digit glyphs become the destination's digits";
}

TEST_F(KeymapConverterTest, EnglishPassesOnlyWhenBothFontsHaveIt)
{
    const std::string latin = "Hi 42?";
    EXPECT_EQ(Convert(FontA, FontB, latin, true, true), latin);
    EXPECT_EQ(Convert(FontA, FontB, latin, true, false), " ") << "only the space survives";
    EXPECT_EQ(Convert(FontA, FontB, latin, false, true), " ");
    // A digit glyph of the source font that lies in the ASCII range converts like a letter.
    Font lowDigits = FontA;
    lowDigits.digitOne = '1';
    converter.source.SetRecords(TableFor(lowDigits, true), "a.kbd");
    converter.destination.SetRecords(TableFor(FontB, true), "b.kbd");
    converter.input = "1";
    converter.Convert();
    EXPECT_EQ(converter.output, Bytes({FontB.digitOne}));
}

TEST_F(KeymapConverterTest, UnknownGlyphsAreDroppedButLinesKept)
{
    EXPECT_EQ(Convert(FontA, FontB, Bytes({0x05, '\r', '\n', 0x06, '\n', '\r'})), "\r\n\n\r");
    EXPECT_EQ(converter.dropped, (std::vector<size_t>{0, 3})) << "each left-out byte is reported where it was";
    EXPECT_EQ(Convert(FontA, FontB, ""), "");
    EXPECT_TRUE(converter.dropped.empty()) << "the report is of the last conversion only";
}

TEST_F(KeymapConverterTest, ManyDropsKeepOnlyTheFirstPlacesButTheListenerHearsEach)
{
    // Every other byte is one FontA does not hold; far more of them than the list keeps.
    struct Heard : keymap::DropListener {
        std::vector<size_t> positions;
        void Dropped(size_t position) override { positions.push_back(position); }
    } heard;
    converter.SetDropListener(&heard);
    const size_t drops = 3 * keymap::KeymapConverter::KeptDrops + 1;
    std::string input;
    for (size_t i = 0; i < drops; ++i)
        input += Bytes({0x05, FontA.meem});
    Convert(FontA, FontB, input);
    EXPECT_EQ(converter.droppedCount, drops);
    ASSERT_EQ(converter.dropped.size(), keymap::KeymapConverter::KeptDrops);
    EXPECT_EQ(converter.dropped.back(), 2 * (keymap::KeymapConverter::KeptDrops - 1));
    ASSERT_EQ(heard.positions.size(), drops);
    EXPECT_EQ(heard.positions.back(), 2 * (drops - 1));
    EXPECT_EQ(converter.output.size(), drops) << "each meem is still written";
}

TEST_F(KeymapConverterTest, DropReportNamesLettersWithoutTheChosenShapeAndEnglishWithoutSupport)
{
    // The destination has no alef: the source's alef is left out, the letters around it are not.
    Font noAlef = FontB;
    converter.source.SetRecords(TableFor(FontA, true), "a.kbd");
    KeyTable table = TableFor(noAlef, false);
    table[0x20] = {0x48, 0, 0, 0, 0, 0, 0, 0, 0};
    converter.destination.SetRecords(table, "b.kbd");
    converter.input = Bytes({FontA.meem, ' ', FontA.alef, 'x', ' '});
    converter.Convert();
    EXPECT_EQ(converter.output, Bytes({FontB.meem, ' ', ' '}));
    EXPECT_EQ(converter.dropped, (std::vector<size_t>{2, 3})) << "the alef, and the Latin x the destination cannot take";
}

TEST_F(KeymapConverterTest, ProgressIsStepwiseAndFitsLongTexts)
{
    fakes::RecordingProgress progress;
    converter.SetProgressDisplay(&progress);
    converter.source.SetRecords(TableFor(FontA, false), "a.kbd");
    converter.destination.SetRecords(TableFor(FontB, false), "b.kbd");
    converter.input.assign(100000, static_cast<char>(FontA.beh + 2));

    converter.Convert(false);
    EXPECT_EQ(progress.shows, 0) << "no progress unless asked";

    converter.Convert(true);
    EXPECT_EQ(progress.label, " Converting...");
    EXPECT_EQ(progress.low, 0);
    EXPECT_EQ(progress.high, 100010) << "beyond 16 bits without overflow";
    EXPECT_EQ(progress.step, 32);
    EXPECT_EQ(progress.steps, 3125);
    EXPECT_FALSE(progress.visible);

    converter.input.clear();
    converter.Convert(true);
    EXPECT_EQ(progress.shows, 2) << "an empty text still shows and hides the pane";
    EXPECT_EQ(progress.hides, 2);
}

TEST_F(KeymapConverterTest, LoadKeymapsFailsWhenEitherKeymapFails)
{
    fakes::TempProgramFolder folder{services.settings};
    folder.Write("KeyMaps/a.kbd", SerializeKeymapFile(TableFor(FontA, false)));
    EXPECT_TRUE(converter.LoadKeymaps("a.kbd", "a.kbd"));
    EXPECT_FALSE(converter.LoadKeymaps("missing.kbd", "a.kbd")) << "an earlier source must not stand in";
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "missing.kbd\nNo such file or directory");
    EXPECT_FALSE(converter.LoadKeymaps("a.kbd", "missing.kbd"));
}
