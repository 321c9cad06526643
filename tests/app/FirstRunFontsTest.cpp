// First-run font installation from fonts.cfg, with a recording installer and with the real copier
// into the test's private font folder.
#include "app/FirstRunFonts.h"

#include "platform/TextMode.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <filesystem>

#include <sys/stat.h>

namespace {

using Files = std::vector<std::string>;

struct RecordingInstaller : app::FontInstaller {
    Files files;
    int finished = 0;
    bool InstallFont(const std::string& file) override
    {
        files.push_back(file);
        return true;
    }
    void Finish() override { ++finished; }
};

TEST(ReadFontList, StopsAtStarsOrEndAndReadsCrLfAsLf)
{
    EXPECT_EQ(app::ReadFontList("a.ttf\nb.ttf\n***\nc.ttf\n"), (Files{"a.ttf", "b.ttf"}));
    EXPECT_EQ(app::ReadFontList("a.ttf\nb.ttf"), (Files{"a.ttf", "b.ttf"})); // no "***" line
    EXPECT_EQ(app::ReadFontList("***\na.ttf"), Files{});
    EXPECT_EQ(app::ReadFontList(""), Files{});
}

TEST(InstallFirstRunFonts, InstallsListedFontsOnceAndMarksDone)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    app::EditorSettings settings(services.settings);
    const std::string cfg = folder.Write("fonts.cfg", "Fonts/homa.ttf\r\n/abs/nazli.ttf\r\n***\r\nnot.ttf\r\n");
    RecordingInstaller installer;
    app::InstallFirstRunFonts(cfg, installer, settings, services.messages);
    EXPECT_EQ(installer.files, (Files{"Fonts/homa.ttf", "/abs/nazli.ttf"}));
    EXPECT_EQ(installer.finished, 1);
    EXPECT_EQ(services.settings.ReadInt("Temp", "FirstTime", 1), 0);
    EXPECT_TRUE(services.messages.shown.empty());

    RecordingInstaller second;
    app::InstallFirstRunFonts(cfg, second, settings, services.messages);
    EXPECT_TRUE(second.files.empty());
}

TEST(InstallFirstRunFonts, AListThatIsNoListIsReportedAndStillMarkedDone)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    const std::string huge = folder.Write("fonts.cfg", "Fonts/a.ttf\n");
    std::filesystem::resize_file(huge, size_t{1} << 20);
    app::EditorSettings settings(services.settings);
    struct Case { std::string path; const char* message; };
    for (const Case& c : {Case{huge, "Cannot read fonts.cfg\nFile is larger than 64 KB"},
                          Case{"/dev/zero", "fonts.cgf not founded"}}) {
        SCOPED_TRACE(c.path);
        services.messages.shown.clear();
        services.settings.WriteInt("Temp", "FirstTime", 1);
        RecordingInstaller installer;
        app::InstallFirstRunFonts(c.path, installer, settings, services.messages);
        ASSERT_EQ(services.messages.shown.size(), 1u);
        EXPECT_EQ(services.messages.shown[0].text, c.message);
        EXPECT_TRUE(installer.files.empty());
        EXPECT_EQ(services.settings.ReadInt("Temp", "FirstTime", 1), 0);
    }
}

TEST(InstallFirstRunFonts, MissingListIsReportedAndStillMarkedDone)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    app::EditorSettings settings(services.settings);
    RecordingInstaller installer;
    app::InstallFirstRunFonts(folder.Path() + "/fonts.cfg", installer, settings, services.messages);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "fonts.cgf not founded");
    EXPECT_EQ(services.messages.shown[0].caption, "Kelmora");
    EXPECT_EQ(services.messages.shown[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(services.settings.ReadInt("Temp", "FirstTime", 1), 0);
    EXPECT_TRUE(installer.files.empty());
}

TEST(UserFontInstaller, CopiesFontsOfTheProgramsFontFolderIntoTheUsers)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    const std::string trueType("\x00\x01\x00\x00 glyph tables", 17);
    folder.Write("Fonts/a.ttf", trueType);
    const std::string absolute = folder.Write("Fonts/b.otf", "OTTO tables");

    app::UserFontInstaller installer(folder.Path());
    // TestMain points XDG_DATA_HOME at a private folder: the real user's fonts are never touched.
    const QString expectedFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/fonts";
    EXPECT_EQ(installer.FontFolder(), expectedFolder.toStdString());
    ASSERT_TRUE(QString::fromStdString(installer.FontFolder()).startsWith(qEnvironmentVariable("HOME")));

    installer.cacheRefresher.clear(); // no process outliving the test's private home
    Files seen;
    installer.onInstalled = [&](const std::string& f) { seen.push_back(f); };
    EXPECT_TRUE(installer.InstallFont("Fonts/a.ttf"));
    EXPECT_TRUE(installer.InstallFont(absolute));
    EXPECT_FALSE(installer.InstallFont("Fonts/missing.ttf"));
    EXPECT_FALSE(installer.InstallFont("Fonts")); // a folder is no font
    installer.Finish();

    const Files expected = {installer.FontFolder() + "/a.ttf", installer.FontFolder() + "/b.otf"};
    EXPECT_EQ(installer.Installed(), expected);
    EXPECT_EQ(seen, expected);
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(expected[0], bytes).ok);
    EXPECT_EQ(bytes, trueType);
}

TEST(UserFontInstaller, AFontTheSystemAlreadyHasIsNotCopiedAgain)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    folder.Write("Fonts/known.ttf", "true known face");
    folder.Write("Fonts/new.ttf", "true new face");

    app::UserFontInstaller installer(folder.Path());
    installer.cacheRefresher.clear();
    std::vector<std::string> asked;
    installer.alreadyInstalled = [&](const std::string& bytes) {
        asked.push_back(bytes);
        return bytes == "true known face";
    };
    // A face the system has is there to use: it counts as installed, and no second copy shadows it.
    EXPECT_TRUE(installer.InstallFont("Fonts/known.ttf"));
    EXPECT_TRUE(installer.InstallFont("Fonts/new.ttf"));
    EXPECT_EQ(asked, (std::vector<std::string>{"true known face", "true new face"}));
    EXPECT_EQ(installer.Installed(), Files{installer.FontFolder() + "/new.ttf"});
    EXPECT_FALSE(std::filesystem::exists(installer.FontFolder() + "/known.ttf"));
}

// fonts.cfg may have been edited by anybody: it installs fonts of the program's own font folder and
// nothing else, however the name is written.
TEST(UserFontInstaller, InstallsNothingButFontsOfTheProgramsFontFolder)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    const std::string secret = folder.Write("secret.ttf", "true but outside");
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    folder.Write("Fonts/notes.ttf", "just some text");
    folder.Write("Fonts/collection.ttc", "ttcf fonts");
    std::filesystem::create_symlink(secret, folder.Path() + "/Fonts/link.ttf");
    const std::string huge = folder.Write("Fonts/huge.ttf", "true");
    std::filesystem::resize_file(huge, size_t{1} << 30); // sparse: its size alone refuses it
    const std::string fifo = folder.Path() + "/Fonts/pipe.ttf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    app::UserFontInstaller installer(folder.Path());
    installer.cacheRefresher.clear();
    for (const std::string& refused : {std::string("../../../../etc/shadow"), std::string("/etc/passwd"), secret,
                                       std::string("secret.ttf"), std::string("Fonts/../secret.ttf"),
                                       std::string("Fonts/link.ttf"), std::string("Fonts/notes.ttf"),
                                       std::string("Fonts/huge.ttf"), std::string("Fonts/pipe.ttf")})
        EXPECT_FALSE(installer.InstallFont(refused)) << refused;
    EXPECT_TRUE(installer.InstallFont("Fonts/collection.ttc"));
    EXPECT_EQ(installer.Installed(), Files{installer.FontFolder() + "/collection.ttc"});
}

} // namespace

namespace {

TEST(ShippedFontList, NamesPersianFontsPresentInTheProgramFolder)
{
    std::string text;
    ASSERT_TRUE(platform::ReadTextFile(fakes::BuildProgramFolder() + "/fonts.cfg", text).ok);
    const Files files = app::ReadFontList(text);
    ASSERT_FALSE(files.empty()) << "no Persian font was found to ship";
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(QFileInfo(QString::fromStdString(fakes::BuildProgramFolder() + "/" + file)).isFile());
    }
    const bool hasPersianFace = std::any_of(files.begin(), files.end(), [](const std::string& f) {
        return f.find("homa") != std::string::npos || f.find("nazli") != std::string::npos ||
               f.find("FreeFarsi") != std::string::npos;
    });
    EXPECT_TRUE(hasPersianFace);
}

} // namespace
