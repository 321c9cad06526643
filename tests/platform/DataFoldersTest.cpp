// The read/write rule of the program folder and the user's data folder: the build-folder run as it
// always was, installed and read-only folders never written, user files winning, the merged keymap list.
#include "platform/DataFolders.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class DataFoldersTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    std::string program = root.path().toStdString() + "/program";
    std::string user = root.path().toStdString() + "/home/Kelmora";

    void SetUp() override { fs::create_directories(program + "/KeyMaps"); }

    static void Write(const std::string& path, const std::string& bytes = "x")
    {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    DataFolders Folders() const { return DataFolders(program, user); }
};

TEST_F(DataFoldersTest, WritableBuildFolderIsWrittenInPlaceUntilTheUserFolderExists)
{
    EXPECT_FALSE(Folders().WritesToUserFolder());
    EXPECT_EQ(Folders().WritePath("scratch.cfg"), program + "/scratch.cfg");
    EXPECT_TRUE(Folders().PrepareWriteFolder());
    EXPECT_FALSE(fs::exists(user)) << "the build-folder run must not create a user folder";

    // Once the user folder exists it takes every write, so the two copies never diverge silently.
    fs::create_directories(user);
    EXPECT_TRUE(Folders().WritesToUserFolder());
    EXPECT_EQ(Folders().WritePath("scratch.cfg"), user + "/scratch.cfg");
    EXPECT_EQ(Folders().KeymapWritePath("a.kbd"), user + "/KeyMaps/a.kbd");
}

TEST_F(DataFoldersTest, InstalledFolderIsNeverWrittenEvenWhenWritable)
{
    Write(program + "/" + InstalledMarkName, "");
    EXPECT_TRUE(Folders().WritesToUserFolder());
    ASSERT_TRUE(Folders().PrepareWriteFolder(KeymapFolderName));
    EXPECT_TRUE(fs::is_directory(user + "/KeyMaps"));
    EXPECT_EQ(Folders().WritePath("scratch.cfg"), user + "/scratch.cfg");
}

TEST_F(DataFoldersTest, ReadOnlyProgramFolderSendsWritesToTheUser)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into any folder, so a read-only folder cannot be made here";
    ASSERT_EQ(::chmod(program.c_str(), 0555), 0);
    const bool writesToUser = Folders().WritesToUserFolder();
    ::chmod(program.c_str(), 0755);
    EXPECT_TRUE(writesToUser);
}

TEST_F(DataFoldersTest, UserCopyOfADataFileWinsWhenPresent)
{
    Write(program + "/scratch.cfg", "shipped");
    EXPECT_EQ(Folders().ReadPath("scratch.cfg"), program + "/scratch.cfg");
    Write(user + "/scratch.cfg", "mine");
    EXPECT_EQ(Folders().ReadPath("scratch.cfg"), user + "/scratch.cfg");
    // A folder of that name is not a file of the user's.
    Write(user + "/fonts.cfg/inner");
    EXPECT_EQ(Folders().ReadPath("fonts.cfg"), program + "/fonts.cfg");
}

TEST_F(DataFoldersTest, KeymapListMergesBothFoldersAndTheUsersWin)
{
    Write(program + "/KeyMaps/main.kbd");
    Write(program + "/KeyMaps/Kolb.KBD");
    Write(program + "/KeyMaps/notes.txt");
    Write(user + "/KeyMaps/kolb.kbd");
    Write(user + "/KeyMaps/mine.kbd");
    Write(user + "/KeyMaps/folder.kbd/inside");

    struct Expected {
        std::string name;
        std::string path;
        KeymapOrigin origin;
    };
    const std::vector<Expected> expected{{"kolb.kbd", user + "/KeyMaps/kolb.kbd", KeymapOrigin::User},
                                         {"main.kbd", program + "/KeyMaps/main.kbd", KeymapOrigin::Shipped},
                                         {"mine.kbd", user + "/KeyMaps/mine.kbd", KeymapOrigin::User}};
    const std::vector<KeymapEntry> list = Folders().Keymaps();
    ASSERT_EQ(list.size(), expected.size());
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].name, expected[i].name) << i;
        EXPECT_EQ(list[i].path, expected[i].path) << i;
        EXPECT_EQ(list[i].origin, expected[i].origin) << i;
    }

    EXPECT_EQ(Folders().KeymapPath("mine.kbd"), user + "/KeyMaps/mine.kbd");
    EXPECT_EQ(Folders().KeymapPath("main.kbd"), program + "/KeyMaps/main.kbd");
}

TEST_F(DataFoldersTest, KeymapListWithoutFoldersIsEmpty)
{
    fs::remove_all(program);
    EXPECT_TRUE(Folders().Keymaps().empty());
    EXPECT_TRUE(DataFolders(program, "").Keymaps().empty());
}

TEST_F(DataFoldersTest, SavesIntoTheProgramFolderGoToTheUsersKeymaps)
{
    Write(program + "/" + InstalledMarkName, "");
    const std::string outside = root.path().toStdString() + "/elsewhere/mine.kbd";
    struct Case {
        std::string path;
        std::string target;
    };
    for (const Case& c : {Case{program + "/main.kbd", user + "/KeyMaps/main.kbd"},
                          Case{program + "/KeyMaps/kolb.kbd", user + "/KeyMaps/kolb.kbd"},
                          Case{program + "/KeyMaps/../KeyMaps/x.kbd", user + "/KeyMaps/x.kbd"},
                          Case{outside, outside},
                          // A sibling whose name merely begins with the program folder's is elsewhere.
                          Case{program + "2/y.kbd", program + "2/y.kbd"}})
        EXPECT_EQ(Folders().SaveTarget(c.path), c.target) << c.path;

    // A link into the program folder is a file of it.
    fs::create_directories(root.path().toStdString() + "/links");
    fs::create_directory_symlink(program + "/KeyMaps", root.path().toStdString() + "/links/maps");
    EXPECT_EQ(Folders().SaveTarget(root.path().toStdString() + "/links/maps/z.kbd"), user + "/KeyMaps/z.kbd");
}

TEST_F(DataFoldersTest, BuildFolderSavesStayWhereTheUserSaid)
{
    EXPECT_EQ(Folders().SaveTarget(program + "/KeyMaps/kolb.kbd"), program + "/KeyMaps/kolb.kbd");
}

TEST(UserDataFolder, IsNamedKelmoraAndCanBeReplaced)
{
    const std::string standard = UserDataFolder();
    EXPECT_EQ(fs::path(standard).filename(), "Kelmora");
    SetUserDataFolder("/tmp/somewhere/Kelmora");
    EXPECT_EQ(UserDataFolder(), "/tmp/somewhere/Kelmora");
    SetUserDataFolder({});
    EXPECT_EQ(UserDataFolder(), standard);
}

} // namespace
