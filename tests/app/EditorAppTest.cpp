// Start-up of the application object with a fake main window: program folder, command line,
// splash decision, recent files, and the order in which they happen.
#include "app/EditorApp.h"

#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

/// Restores the process's current folder, which LocateProgramFolder changes.
struct CurrentFolderGuard {
    fs::path saved = fs::current_path();
    ~CurrentFolderGuard() { fs::current_path(saved); }
};

struct FakeMainWindow : app::AppMainWindow {
    std::vector<std::string>* opened;
    bool openResult = true;
    bool* shown;
    bool OpenFromPath(const std::string& path) override
    {
        opened->push_back(path);
        return openResult;
    }
    void ShowMainWindow() override { *shown = true; }
};

struct AppFixture : ::testing::Test {
    fakes::FakeServices services;
    CurrentFolderGuard folderGuard;
    std::vector<std::string> opened;
    bool shown = false;
    bool openResult = true;
    bool createWindow = true;
    std::vector<std::string> recentAtCreation;
    std::optional<bool> splashAtCreation;

    app::EditorApp MakeApp(const std::string& executableFolder = {})
    {
        return app::EditorApp(
            [this](app::EditorApp& a) -> std::unique_ptr<app::AppMainWindow> {
                recentAtCreation = a.RecentFiles().Paths();
                splashAtCreation = a.SplashAllowed();
                if (!createWindow)
                    return nullptr;
                auto window = std::make_unique<FakeMainWindow>();
                window->opened = &opened;
                window->shown = &shown;
                window->openResult = openResult;
                return window;
            },
            executableFolder);
    }
};

TEST_F(AppFixture, LocateProgramFolderPrefersCurrentThenExecutableThenStored)
{
    QTemporaryDir withProgram, executable, stored, empty;
    for (const QTemporaryDir* d : {&withProgram, &executable})
        std::ofstream(d->path().toStdString() + "/" + app::ProgramFileName) << "program";
    const std::string gone = empty.path().toStdString() + "/gone";

    struct Case {
        const char* name;
        std::string start;
        std::string executableFolder;
        std::string storedKelmDir;
        std::string expected;        // folder in force afterwards ("" = none found)
        std::string expectedKelmDir; // stored afterwards
    };
    const std::string w = withProgram.path().toStdString(), x = executable.path().toStdString(),
                      s = stored.path().toStdString(), e = empty.path().toStdString();
    const std::vector<Case> cases = {
        {"started in its own folder", w, x, s, w, w},
        {"shortcut elsewhere: the executable's folder", e, x, s, x, x},
        {"executable folder unknown: the stored folder", e, "", s, s, s},
        {"nothing known: the current folder stays", e, "", "", "", ""},
        {"stored folder gone: the current folder stays", e, "", gone, "", gone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::current_path(c.start);
        services.settings.WriteString("Temp", "KelmDir", c.storedKelmDir);
        app::EditorApp application = MakeApp(c.executableFolder);
        EXPECT_EQ(application.LocateProgramFolder(), c.expected);
        EXPECT_EQ(services.settings.ReadString("Temp", "KelmDir", "?"), c.expectedKelmDir);
        EXPECT_EQ(fs::current_path().string(), c.expected.empty() ? c.start : c.expected);
    }
}

TEST(ParseCommandLine, FirstNonSwitchIsTheFile)
{
    EXPECT_EQ(app::ParseCommandLine({}).file, "");
    const app::CommandLine line = app::ParseCommandLine({"--quit-when-shown", "a.txf", "b.txf"});
    EXPECT_EQ(line.file, "a.txf");
    EXPECT_TRUE(line.quitWhenShown);
    EXPECT_TRUE(line.parsed.unknownOption.empty());
    EXPECT_EQ(app::ParseCommandLine({"/abs/doc.txf"}).file, "/abs/doc.txf");
    // A document whose name begins with a dash is named after "--".
    EXPECT_EQ(app::ParseCommandLine({"--", "-odd.txf"}).file, "-odd.txf");
}

TEST(ParseCommandLine, UnknownOptionsHelpAndVersionAreSeen)
{
    EXPECT_EQ(app::ParseCommandLine({"a.txf", "--quit-when-show"}).parsed.unknownOption, "--quit-when-show");
    EXPECT_TRUE(app::ParseCommandLine({"a.txf", "--help"}).parsed.help);
    EXPECT_TRUE(app::ParseCommandLine({"--version"}).parsed.version);
    const platform::ProgramDescription editor = app::EditorProgramDescription();
    EXPECT_EQ(editor.name, "kelmora");
    EXPECT_EQ(editor.usage.rfind("Usage: kelmora [--quit-when-shown] [FILE]\n", 0), 0u);
}

// The launcher in bin/ is a link to the program: the folder holding the link is not the program folder.
TEST_F(AppFixture, ALinkToTheProgramDoesNotMakeAProgramFolder)
{
    QTemporaryDir programs, bin;
    const std::string real = programs.path().toStdString() + "/" + app::ProgramFileName;
    std::ofstream(real) << "program";
    fs::create_symlink(real, bin.path().toStdString() + "/" + app::ProgramFileName);
    fs::current_path(bin.path().toStdString());
    services.settings.WriteString("Temp", "KelmDir", "");
    app::EditorApp application = MakeApp(programs.path().toStdString());
    EXPECT_EQ(application.LocateProgramFolder(), programs.path().toStdString());
}

TEST_F(AppFixture, StartWithoutFileAllowsSplashLoadsRecentListAndShows)
{
    fakes::TempProgramFolder folder(services.settings);
    services.settings.WriteString("Recent File List", "File1", "/r/1.txf");
    bool splashSwitch = false;
    app::EditorApp application = MakeApp();
    application.enableSplash = [&](bool on) { splashSwitch = on; };
    ASSERT_TRUE(application.InitInstance({}));
    EXPECT_TRUE(splashSwitch);
    EXPECT_EQ(splashAtCreation, true);
    EXPECT_EQ(recentAtCreation, std::vector<std::string>{"/r/1.txf"}); // loaded before the window
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(shown);
    EXPECT_EQ(fs::current_path().string(), folder.Path());
}

TEST_F(AppFixture, SplashSettingOffOrFileOnCommandLineDisablesSplash)
{
    fakes::TempProgramFolder folder(services.settings);
    const std::string doc = folder.Write("doc.txf", "x");
    struct Case {
        int splashSetting;
        std::string file;
        bool allowed;
    };
    for (const Case& c : std::vector<Case>{{1, "", true}, {0, "", false}, {1, doc, false}, {0, doc, false}}) {
        services.settings.WriteInt("Settings", "SplashScreen", c.splashSetting);
        app::EditorApp application = MakeApp();
        bool splashSwitch = !c.allowed;
        application.enableSplash = [&](bool on) { splashSwitch = on; };
        app::CommandLine line;
        line.file = c.file;
        ASSERT_TRUE(application.InitInstance(line));
        EXPECT_EQ(splashSwitch, c.allowed) << c.splashSetting << " " << c.file;
    }
}

TEST_F(AppFixture, CommandLineFileIsOpenedRelativeToTheStartFolder)
{
    fakes::TempProgramFolder folder(services.settings);
    QTemporaryDir start;
    fs::current_path(start.path().toStdString());
    app::EditorApp application = MakeApp();
    app::CommandLine line;
    line.file = "sub/doc.txf";
    ASSERT_TRUE(application.InitInstance(line));
    EXPECT_EQ(opened, std::vector<std::string>{start.path().toStdString() + "/sub/doc.txf"});
    EXPECT_EQ(fs::current_path().string(), folder.Path()); // the program folder is current now
    EXPECT_TRUE(shown);
}

TEST_F(AppFixture, UnreadableCommandLineFileOrFailedWindowEndsTheProgram)
{
    fakes::TempProgramFolder folder(services.settings);
    openResult = false;
    app::EditorApp application = MakeApp();
    app::CommandLine line;
    line.file = "/no/such.txf";
    EXPECT_FALSE(application.InitInstance(line));
    EXPECT_FALSE(shown);

    openResult = true;
    createWindow = false;
    app::EditorApp second = MakeApp();
    EXPECT_FALSE(second.InitInstance({}));
}

TEST_F(AppFixture, RecentEntryThatCannotOpenIsRemovedAndListIsSavedAtExit)
{
    fakes::TempProgramFolder folder(services.settings);
    services.settings.WriteString("Recent File List", "File1", "/gone.txf");
    services.settings.WriteString("Recent File List", "File2", "/kept.txf");
    openResult = false;
    app::EditorApp application = MakeApp();
    ASSERT_TRUE(application.InitInstance({}));
    EXPECT_FALSE(application.OpenRecentFile(0));
    EXPECT_EQ(opened, std::vector<std::string>{"/gone.txf"});
    EXPECT_EQ(application.RecentFiles().Paths(), std::vector<std::string>{"/kept.txf"});
    EXPECT_FALSE(application.OpenRecentFile(5));
    EXPECT_EQ(application.ExitInstance(), 0);
    EXPECT_EQ(application.MainWindow(), nullptr);
    EXPECT_EQ(services.settings.ReadString("Recent File List", "File1", ""), "/kept.txf");
    EXPECT_FALSE(services.settings.Contains("Recent File List", "File2"));
}

} // namespace
