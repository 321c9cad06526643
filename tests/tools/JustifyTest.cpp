#include "tools/Justify.h"

#include "tests/tools/ReflowFixture.h"

namespace {

struct JustifyTest : ReflowFixture {
    JustifyTest() { converter.source = map; }

    std::vector<std::string> Run(const std::vector<std::string>& lines, fakes::ScriptedRandom& random)
    {
        SetLines(lines);
        tools::Justify(converter, edit.Window(), settings, random);
        std::vector<std::string> out;
        for (const std::string& l : Lines(converter.output))
            out.push_back(U(l));
        return out;
    }

    static constexpr int Kashida = 0x87; // main.kbd's medial of the minus key
};

TEST_F(JustifyTest, EmptyControlGivesOneLineBreak)
{
    edit.Window().SetText("");
    fakes::ScriptedRandom random;
    tools::Justify(converter, edit.Window(), settings, random);
    EXPECT_EQ(converter.output, "\r\n");
}

TEST_F(JustifyTest, KashidasGoAtTheDrawnJointsUntilTheWidestLineIsReached)
{
    // Ten pixels a glyph: the widest line "سپاس دنیا" is 90 pixels.
    struct Case {
        const char* name;
        std::string line;
        std::vector<int> draws; // after the one the widest line uses
        std::string expected;
        size_t drawn;
    };
    const Case cases[] = {
        // Joints of "سپاس دنی" in scan order: س, پ, ن; r = draw × 2 / 32767.
        {"first joint", "سپاس دنی", {0}, "سـپاس دنی", 3},
        {"middle joint", "سپاس دنی", {16384}, "سپـاس دنی", 3},
        {"last joint only at 32767", "سپاس دنی", {32767}, "سپاس دنـی", 3},
        {"32766 still the middle", "سپاس دنی", {32766}, "سپـاس دنی", 3},
        // "دن" has no joint: two joints, two kashidas fit, the third would not.
        {"same joint twice, side by side", "سپاس دن", {0, 0}, "ســپاس دن", 4},
        {"two joints", "سپاس دن", {0, 32767}, "سـپـاس دن", 4},
        {"narrower than half the widest", "سپاس", {}, "سپاس", 1},
        {"no joint", "دور زد", {}, "دور زد", 1},
        {"digits and symbols are no joints", "۱۲۳۴ ؟", {}, "۱۲۳۴ ؟", 1},
    };
    for (const Case& c : cases) {
        std::vector<int> draws = {0};
        draws.insert(draws.end(), c.draws.begin(), c.draws.end());
        fakes::ScriptedRandom random(draws);
        const std::vector<std::string> out = Run({"سپاس دنیا", c.line}, random);
        EXPECT_EQ(out, (std::vector<std::string>{"سپاس دنیا", c.expected})) << c.name;
        EXPECT_EQ(random.Drawn(), c.drawn) << c.name;
    }
}

TEST_F(JustifyTest, KashidaTooWideOrWithoutWidthLeavesTheLineAsItIs)
{
    // 20 pixels: one kashida would make the line wider than the widest. 0 pixels: stretching
    // could never end, so none goes in.
    for (int advance : {20, 0}) {
        shown.SetAdvance(Kashida, advance);
        edit.SetEditFont("nasim web homa", 24);
        fakes::ScriptedRandom random;
        EXPECT_EQ(Run({"سپاس دنیا", "سپاس دنی"}, random), (std::vector<std::string>{"سپاس دنیا", "سپاس دنی"}))
            << advance;
    }
}

TEST_F(JustifyTest, JustifyIgnoranceWidthSetsWhichLinesStretch)
{
    settings.justifyIgnoranceWidthPercent = 10; // only lines of at least 81 pixels
    fakes::ScriptedRandom random;
    EXPECT_EQ(Run({"سپاس دنیا", "سپاس دنی", "سپاس دن"}, random),
              (std::vector<std::string>{"سپاس دنیا", "سپاس دنی", "سپاس دن"}));
    EXPECT_EQ(random.Drawn(), 1u); // the widest line's single trial
}

TEST_F(JustifyTest, LeadingSpacesAreRemovedFromEveryLineAndTrailingOnesKept)
{
    fakes::ScriptedRandom random;
    // "دور" has no joint, so only the spaces change.
    edit.Window().SetText("  " + G("سپاس دنیا") + "\r\n    " + G("دور") + "  \r\n   ");
    tools::Justify(converter, edit.Window(), settings, random);
    EXPECT_EQ(converter.output, G("سپاس دنیا") + "\r\n" + G("دور") + "  \r\n\r\n");
}

TEST_F(JustifyTest, WithoutAKashidaNothingIsInserted)
{
    struct Case {
        const char* name;
        std::function<void(keymap::KeyTable&)> change;
    };
    const Case cases[] = {
        {"no record for the minus key", [](keymap::KeyTable& t) { t[11].keyCode = 0x07; }},
        {"medial of the minus key is 0", [](keymap::KeyTable& t) { t[11].medial = 0; }},
    };
    for (const Case& c : cases) {
        keymap::KeyTable table = map.Records();
        c.change(table);
        converter.source.SetRecords(table, "main.kbd");
        EXPECT_EQ(tools::KashidaGlyph(converter.source), 0) << c.name;
        fakes::ScriptedRandom random;
        edit.Window().SetText(G("سپاس دنیا") + "\r\n " + G("سپاس دن"));
        tools::Justify(converter, edit.Window(), settings, random);
        EXPECT_EQ(converter.output, G("سپاس دنیا") + "\r\n" + G("سپاس دن") + "\r\n") << c.name;
    }
}

TEST_F(JustifyTest, CommandSetsTheTextOnceAndOneUndoRestoresIt)
{
    SetLines({"سپاس دنیا", "سپاس دن"});
    const std::string before = edit.Window().GetText();
    edit.modified = false;
    fakes::ScriptedRandom random({0, 0, 0});
    tools::RunJustify(edit, converter, settings, "main.kbd", random);
    EXPECT_EQ(edit.Window().GetText(), G("سپاس دنیا") + "\r\n" + G("ســپاس دن") + "\r\n");
    EXPECT_TRUE(edit.modified);
    edit.Undo();
    EXPECT_EQ(edit.Window().GetText(), before);
}

} // namespace
