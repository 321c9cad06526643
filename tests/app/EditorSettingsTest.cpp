// The editor's settings: each reader's default, values two readers default differently, and the
// configuration, batch and poetry values written with the types the store keeps them in, the poetry ones in order.
#include "app/EditorSettings.h"

#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Value = platform::MemorySettingsStore::Value;

/// Keeps the order values are written in, which a map of values cannot show.
class OrderRecordingStore : public platform::MemorySettingsStore {
public:
    void WriteInt(const std::string& section, const std::string& name, int value) override
    {
        written.push_back(section + "/" + name);
        MemorySettingsStore::WriteInt(section, name, value);
    }
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override
    {
        written.push_back(section + "/" + name);
        MemorySettingsStore::WriteString(section, name, value);
    }
    std::vector<std::string> written;
};

TEST(EditorSettings, EmptyStoreReadsEveryReadersDefaultAndWritesNothing)
{
    platform::MemorySettingsStore store;
    const app::EditorSettings settings(store);
    EXPECT_EQ(settings.FontName(), "nasim web homa");
    EXPECT_EQ(settings.KeymapFile(), "main.kbd");
    EXPECT_EQ(settings.FontSize(), 24);
    EXPECT_TRUE(settings.SplashScreen());
    EXPECT_TRUE(settings.SaveOnExit());
    EXPECT_TRUE(settings.SaveWindowOnExit());
    EXPECT_TRUE(settings.StartWithLastDocument());
    EXPECT_EQ(settings.TabWidth(), 3);
    EXPECT_EQ(settings.FileDialogFolder(), "C:\\");
    const app::EditorSettings::WindowRectangle window = settings.WindowPlacement();
    EXPECT_EQ((std::vector<int>{window.left, window.top, window.width, window.height}),
              (std::vector<int>{100, 100, 500, 300}));
    const app::EditorSettings::ToolBarValues bar = settings.ToolBar();
    EXPECT_TRUE(bar.visible);
    EXPECT_TRUE(bar.floating);
    EXPECT_EQ(bar.style, -1);
    EXPECT_EQ(bar.left, 100);
    EXPECT_EQ(bar.top, 100);
    EXPECT_EQ(settings.ScratchFirstVisibleRow(), 0);
    EXPECT_EQ(settings.ScratchSelection(), 0);
    EXPECT_EQ(settings.ProgramFolder(), "");
    EXPECT_TRUE(settings.FirstTime());
    EXPECT_EQ(settings.LastFile(), "");
    const app::DocumentFormat format = settings.DocumentFormatInUse();
    EXPECT_TRUE(format.dosMode);
    EXPECT_TRUE(format.saveHeader);

    const tools::BatchSettings batch = settings.Batch();
    EXPECT_EQ(batch.sourceFolder, "C:\\");
    EXPECT_EQ(batch.destinationFolder, "C:\\");
    EXPECT_EQ(batch.sourcePattern, "*.txt");
    EXPECT_EQ(batch.destinationPattern, "*.txf");
    EXPECT_EQ(batch.sourceKeymap + batch.destinationKeymap + batch.initialFolder + batch.fontName, "");
    EXPECT_EQ(batch.fontSize, 22);
    const extras::QuvelSettings quvel = settings.Quvel();
    EXPECT_EQ(quvel.how, 3);
    EXPECT_EQ(quvel.mode, 0);
    EXPECT_FALSE(quvel.showNumber);
    EXPECT_TRUE(quvel.justify);
    EXPECT_EQ(quvel.n, "4");
    EXPECT_EQ(quvel.tab1, "3");
    EXPECT_EQ(quvel.tab2, "15");

    EXPECT_TRUE(store.Values().empty()) << "no reader writes its default back";
}

TEST(EditorSettings, ReadersWithTheirOwnDefaultsAgreeOnceTheValueIsStored)
{
    platform::MemorySettingsStore store;
    app::EditorSettings settings(store);
    const tools::ResembleSettings resemble = settings.ResembleValues();
    const tools::ConfigurationValues shown = settings.Configuration();
    // Absent: each reader has its own default.
    EXPECT_EQ(settings.MaxCharsForEditor(), 80);
    EXPECT_EQ(resemble.maxChars, 79);
    EXPECT_EQ(shown.maxChars, "79");
    EXPECT_EQ(resemble.left, 3);
    EXPECT_EQ(shown.left, "0");
    EXPECT_TRUE(settings.DosMode());
    EXPECT_FALSE(resemble.dosMode);
    EXPECT_TRUE(shown.dosMode);
    EXPECT_TRUE(settings.JustifyOnResemble());
    EXPECT_FALSE(shown.justifyOnResemble);
    EXPECT_EQ(resemble.right, 3);
    EXPECT_EQ(resemble.ignoranceWidthPercent, 10);
    EXPECT_EQ(resemble.justifyIgnoranceWidthPercent, 50);
    EXPECT_FALSE(resemble.indent);

    // Stored: all of them read the same.
    store.WriteString("Settings", "MaxChar", "64x");
    store.WriteString("Settings", "Left", "5");
    store.WriteInt("Settings", "EnableDos", 1);
    store.WriteInt("Settings", "JustifyOnResemble", 0);
    EXPECT_EQ(settings.MaxCharsForEditor(), 64) << "numbers kept as text are read by the atoi rule";
    EXPECT_EQ(settings.ResembleValues().maxChars, 64);
    EXPECT_EQ(settings.Configuration().maxChars, "64x");
    EXPECT_EQ(settings.ResembleValues().left, 5);
    EXPECT_TRUE(settings.ResembleValues().dosMode);
    EXPECT_FALSE(settings.JustifyOnResemble());
}

TEST(EditorSettings, SavingTheConfigurationCreatesAllFifteenValuesWithTheirTypes)
{
    platform::MemorySettingsStore store;
    app::EditorSettings settings(store);
    tools::ConfigurationValues values = settings.Configuration();
    values.tab = "";
    values.justifyOnResemble = true;
    values.splashScreen = false;
    settings.WriteConfiguration(values);

    const std::map<std::string, Value> expected = {
        {"Settings/Tab", std::string("")},       {"Settings/MaxChar", std::string("79")},
        {"Settings/Left", std::string("0")},     {"Settings/RIGHT", std::string("3")},
        {"Settings/IWP", std::string("10")},     {"Settings/JIWP", std::string("50")},
        {"Settings/SplashScreen", 0},            {"Settings/EnableDos", 1},
        {"Settings/SaveOnExit", 1},              {"Settings/SaveHeader", 1},
        {"Settings/ResembleOnLoad", 0},          {"Settings/JustifyOnResemble", 1},
        {"Settings/IdentOnResemble", 0},         {"Settings/SaveWPonExit", 1},
        {"Settings/StartWithMRD", 1},
    };
    EXPECT_EQ(store.Values(), expected);
    EXPECT_EQ(settings.TabWidth(), 0) << "an empty field reads as 0";
    EXPECT_FALSE(settings.SplashScreen());
}

TEST(EditorSettings, BatchAndPoetryChoicesComeBackAsWritten)
{
    platform::MemorySettingsStore store;
    app::EditorSettings settings(store);
    tools::BatchSettings batch;
    batch.sourceFolder = "/in";
    batch.destinationFolder = "/out";
    batch.sourceKeymap = "main.kbd";
    batch.destinationKeymap = "kolb.kbd";
    batch.sourcePattern = "*.txt";
    batch.destinationPattern = "*.txf";
    batch.initialFolder = "/";
    batch.fontName = "Homa";
    batch.fontSize = 30;
    settings.WriteBatch(batch);
    const tools::BatchSettings read = settings.Batch();
    EXPECT_EQ(read.sourceFolder + read.destinationFolder + read.sourceKeymap + read.destinationKeymap +
                  read.initialFolder + read.fontName,
              "/in/outmain.kbdkolb.kbd/Homa");
    EXPECT_EQ(store.Values().at("Batch/FSize"), Value(30)) << "the size is an integer value";

    extras::QuvelSettings quvel{1, 1, true, false, "6", "2", "12"};
    settings.WriteQuvel(quvel);
    const extras::QuvelSettings back = settings.Quvel();
    EXPECT_EQ(back.how, 1);
    EXPECT_EQ(back.mode, 1);
    EXPECT_TRUE(back.showNumber);
    EXPECT_FALSE(back.justify);
    EXPECT_EQ(back.n + "/" + back.tab1 + "/" + back.tab2, "6/2/12");
    EXPECT_EQ(store.Values().at("QuvelSetting/n"), Value(std::string("6"))) << "edit texts are strings";
}

TEST(EditorSettings, PoetryChoicesAreWrittenInTheirFixedOrder)
{
    OrderRecordingStore store;
    app::EditorSettings settings(store);
    settings.WriteQuvel(extras::QuvelSettings{});
    EXPECT_EQ(store.written, (std::vector<std::string>{"QuvelSetting/How", "QuvelSetting/Mod", "QuvelSetting/Justify",
                                                       "QuvelSetting/ShowN", "QuvelSetting/n", "QuvelSetting/tab1",
                                                       "QuvelSetting/tab2"}));
}

} // namespace

namespace {

// Numbers that reach sizes are held to what a screen and a page can use, and the store keeps
// what it had: a value pulled into range is not written back.
TEST(EditorSettings, SizesAreHeldToTheirRangesWhenReadAndNotWrittenBack)
{
    struct Case { const char* name; const char* stored; int tab, maxChars, left, right, size; };
    const Case cases[] = {
        {"huge", "999999999", 99, 400, 99, 99, 400},
        {"zero", "0", 0, 10, 0, 0, 1},
        {"negative", "-5", 0, 10, 0, 0, 1},
        {"in range", "40", 40, 40, 40, 40, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::MemorySettingsStore store;
        for (const char* key : {"Tab", "MaxChar", "Left", "RIGHT"})
            store.WriteString("Settings", key, c.stored);
        store.WriteInt("Settings", "size", std::atoi(c.stored));
        store.WriteInt("Batch", "FSize", std::atoi(c.stored));
        const auto before = store.Values();
        const app::EditorSettings settings(store);
        EXPECT_EQ(settings.TabWidth(), c.tab);
        EXPECT_EQ(settings.MaxCharsForEditor(), c.maxChars);
        const tools::ResembleSettings resemble = settings.ResembleValues();
        EXPECT_EQ(resemble.tab, c.tab);
        EXPECT_EQ(resemble.maxChars, c.maxChars);
        EXPECT_EQ(resemble.left, c.left);
        EXPECT_EQ(resemble.right, c.right);
        EXPECT_EQ(settings.FontSize(), c.size);
        EXPECT_EQ(settings.Batch().fontSize, c.size) << "the batch conversion's header size";
        EXPECT_EQ(store.Values(), before);
    }
    EXPECT_EQ(app::FontSizeInRange(0), 1);
    EXPECT_EQ(app::FontSizeInRange(401), 400);
    EXPECT_EQ(app::FontSizeInRange(22), 22);
}

TEST(EditorSettings, WindowRectangleIsFittedIntoTheScreens)
{
    using Rect = app::EditorSettings::WindowRectangle;
    const std::vector<Rect> screens = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    struct Case { const char* name; Rect stored; Rect fitted; };
    const Case cases[] = {
        {"fits", {100, 100, 500, 300}, {100, 100, 500, 300}},
        {"on the second screen", {2000, 50, 800, 600}, {2000, 50, 800, 600}},
        {"enormous", {100, 100, 999999999, 999999999}, {0, 0, 1920, 1080}},
        {"off every screen", {-50000, 90000, 500, 300}, {0, 780, 500, 300}},
        {"right of the second screen", {9000, 100, 500, 300}, {2700, 100, 500, 300}},
        {"below the second screen", {2500, 1500, 500, 300}, {2500, 724, 500, 300}},
        {"hanging over the edge", {1800, 900, 500, 300}, {1420, 780, 500, 300}},
        {"second screen, too big for it", {2000, 10, 3000, 3000}, {1920, 0, 1280, 1024}},
        {"no size", {10, 10, 0, -4}, {10, 10, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rect r = app::EditorSettings::FitToScreens(c.stored, screens);
        EXPECT_EQ(r.left, c.fitted.left);
        EXPECT_EQ(r.top, c.fitted.top);
        EXPECT_EQ(r.width, c.fitted.width);
        EXPECT_EQ(r.height, c.fitted.height);
    }
    const Rect alone = app::EditorSettings::FitToScreens({5, 6, 7, 8}, {});
    EXPECT_EQ(alone.width, 7) << "without screens to measure, the rectangle is kept";
}

} // namespace
