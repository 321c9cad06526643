// Opening a document without a header: when another keymap of the folder clearly reads it better,
// the user is offered to read it in that keymap (its bytes stay as they are).
#include "app/KeymapGuess.h"

#include "app/DocumentCommands.h"
#include "platform/TextMode.h"
#include "tests/app/DocumentCommandsFixture.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

using platform::MessageAnswer;

const std::string Story = "باران آرام بر بام خانه می‌بارد و کودکان در کوچه بازی می‌کنند\r\n"
                          "شب که می‌رسد چراغ‌های شهر یکی یکی روشن می‌شوند\r\n"
                          "مادر نان تازه می‌پزد و بوی آن در خانه می‌پیچد\r\n";

/// A hunspell list of the story's own words, so the scores do not depend on the machine's list.
std::string WordListOf(const std::string& text)
{
    std::istringstream in(text);
    std::string words, word;
    int count = 0;
    while (in >> word) {
        words += word + "/X\n";
        ++count;
    }
    return std::to_string(count) + "\n" + words;
}

struct KeymapOfferFixture : fakes::DocumentCommandsFixture {
    void SetUp() override
    {
        DocumentCommandsFixture::SetUp();
        folder.InstallKeymap("ziba2.kbd");
        services.settings.WriteInt("Settings", "SaveHeader", 0);
        commands->SetWordList(folder.Write("fa.dic", WordListOf(Story)));
    }
    void Open(const std::string& path)
    {
        host->openAnswers = {path};
        commands->Open();
    }
    size_t OffersShown() const
    {
        size_t n = 0;
        for (const platform::Message& m : services.messages.shown)
            n += m.text.find("reads better in") != std::string::npos;
        return n;
    }
};

TEST_F(KeymapOfferFixture, AHeaderlessFileOfAnotherKeymapIsOfferedAndReadNotConverted)
{
    const std::string bytes = fakes::Glyphs("kolb.kbd", Story);
    const std::string path = folder.Write("kolb-story.txf", bytes);
    services.messages.Script({MessageAnswer::Yes});
    Open(path);
    ASSERT_EQ(OffersShown(), 1u);
    EXPECT_NE(services.messages.shown[0].text.find("reads better in kolb.kbd than in main.kbd"), std::string::npos)
        << services.messages.shown[0].text;
    EXPECT_EQ(host->keyMap.FileName(), "kolb.kbd");
    EXPECT_EQ(host->adoptedKeymap, "kolb.kbd");
    EXPECT_EQ(host->Text(), bytes);
    EXPECT_EQ(fakes::Unicode("kolb.kbd", host->Text()), Story);
    EXPECT_FALSE(host->editor.modified) << "reading is not changing";
}

TEST_F(KeymapOfferFixture, NoKeepsTheCurrentKeymap)
{
    services.messages.Script({MessageAnswer::No});
    Open(folder.Write("kolb-story.txf", fakes::Glyphs("kolb.kbd", Story)));
    EXPECT_EQ(OffersShown(), 1u);
    EXPECT_EQ(host->keyMap.FileName(), "main.kbd");
    EXPECT_EQ(host->adopted, 0);
}

TEST_F(KeymapOfferFixture, NothingIsOfferedForTheCurrentKeymapRandomBytesOrAHeader)
{
    std::mt19937 random(17);
    std::string noise;
    for (int i = 0; i < 2048; ++i)
        noise += static_cast<char>(random() % 256 == 0x1A ? 0x20 : random() % 256);
    const std::string header = app::FormatHeaderLine("nasim web homa", 24, "main.kbd") + "\r\n";
    const struct {
        const char* what;
        std::string bytes;
    } files[] = {
        {"text of the current keymap", fakes::Glyphs("main.kbd", Story)},
        {"random bytes", noise},
        {"a header naming main.kbd over kolb text", header + fakes::Glyphs("kolb.kbd", Story)},
    };
    for (const auto& f : files) {
        Open(folder.Write("file.txf", f.bytes));
        EXPECT_EQ(OffersShown(), 0u) << f.what;
        EXPECT_EQ(host->keyMap.FileName(), "main.kbd") << f.what;
    }
}

TEST(KeymapGuess, AFolderKeymapThatCannotBeReadIsPassedOverSilently)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    folder.InstallKeymap("main.kbd");
    folder.InstallKeymap("kolb.kbd");
    folder.Write("KeyMaps/broken.kbd", "not a keymap");
    app::KeymapGuess guess(folder.Write("fa.dic", WordListOf(Story)));
    const std::optional<app::KeymapOffer> offer =
        guess.BetterKeymap(fakes::Glyphs("kolb.kbd", Story), "main.kbd", folder.KeyMapsPath());
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->keymapName, "kolb.kbd");
    EXPECT_GT(offer->confidence, 0.3);
    EXPECT_TRUE(services.messages.shown.empty());
}

} // namespace
