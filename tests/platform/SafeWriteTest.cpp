// The atomic writer in hostile places: links, devices and FIFOs, other owners, hard links, a
// write that really fails, leftovers of killed writers, and writers racing for one file.
#include "platform/TextMode.h"

#include "tests/fakes/FileSizeLimit.h"
#include "tests/fakes/FolderFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

std::string Read(const std::string& path) { return fakes::ReadBytes(path); }
std::vector<std::string> Entries(const std::string& folder) { return fakes::FolderEntries(folder); }

struct stat Lstat(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

} // namespace

TEST(SafeWrite, SavingThroughALinkWritesItsTargetAndKeepsTheLink)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    std::filesystem::create_directory(folder + "/real");
    ASSERT_TRUE(WriteFileAtomically(folder + "/real/doc.txf", "old").ok);
    // A relative link, and a link to that link.
    std::filesystem::create_symlink("real/doc.txf", folder + "/link.txf");
    std::filesystem::create_symlink("link.txf", folder + "/link2.txf");

    ASSERT_TRUE(WriteFileAtomically(folder + "/link2.txf", "new").ok);
    EXPECT_TRUE(S_ISLNK(Lstat(folder + "/link.txf").st_mode));
    EXPECT_TRUE(S_ISLNK(Lstat(folder + "/link2.txf").st_mode));
    EXPECT_EQ(Read(folder + "/real/doc.txf"), "new");
    EXPECT_EQ(Entries(folder + "/real"), std::vector<std::string>{"doc.txf"});

    // A link whose file does not exist yet: the file is created where it points.
    std::filesystem::create_symlink("real/fresh.txf", folder + "/dangling.txf");
    ASSERT_TRUE(WriteFileAtomically(folder + "/dangling.txf", "fresh").ok);
    EXPECT_TRUE(S_ISLNK(Lstat(folder + "/dangling.txf").st_mode));
    EXPECT_EQ(Read(folder + "/real/fresh.txf"), "fresh");
}

TEST(SafeWrite, ALinkPlantedAtTheOldTemporaryNameIsNotFollowed)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    ASSERT_TRUE(WriteFileAtomically(folder + "/victim", "root only").ok);
    for (const char* planted : {"/.doc.txf.kelmora-tmp", "/.doc.txf.kelmora-tmp-1-0"})
        std::filesystem::create_symlink(folder + "/victim", folder + planted);
    ASSERT_TRUE(WriteFileAtomically(folder + "/doc.txf", "document").ok);
    EXPECT_EQ(Read(folder + "/victim"), "root only");
    EXPECT_EQ(Read(folder + "/doc.txf"), "document");
    EXPECT_TRUE(S_ISLNK(Lstat(folder + "/.doc.txf.kelmora-tmp").st_mode));
}

TEST(SafeWrite, AFifoIsWrittenIntoNotReplaced)
{
    QTemporaryDir dir;
    const std::string fifo = dir.path().toStdString() + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = Read(fifo); });
    const FileResult r = WriteFileAtomically(fifo, "through the pipe");
    reader.join();
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(S_ISFIFO(Lstat(fifo).st_mode));
    EXPECT_EQ(Entries(dir.path().toStdString()), std::vector<std::string>{"pipe"});
}

TEST(SafeWrite, PermissionsOfTheOldFileAndTheUmaskForANewOne)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/doc.txf";
    const mode_t mask = ::umask(027);
    ASSERT_TRUE(WriteFileAtomically(path, "a").ok);
    EXPECT_EQ(Lstat(path).st_mode & 07777, 0640u);
    ::umask(mask);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "b").ok);
    EXPECT_EQ(Lstat(path).st_mode & 07777, 0604u);
}

TEST(SafeWrite, AnotherUsersFileKeepsItsOwnerWhenRootSavesIt)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/theirs.txf";
    ASSERT_TRUE(WriteFileAtomically(path, "theirs").ok);
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "edited by root").ok);
    const struct stat st = Lstat(path);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(Read(path), "edited by root");
}

TEST(SafeWrite, AHardLinkedFileIsWrittenInPlaceSoEveryNameSeesTheText)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    ASSERT_TRUE(WriteFileAtomically(folder + "/a.txf", "a much longer old text").ok);
    std::filesystem::create_hard_link(folder + "/a.txf", folder + "/b.txf");
    ASSERT_TRUE(WriteFileAtomically(folder + "/a.txf", "short").ok);
    EXPECT_EQ(Read(folder + "/b.txf"), "short");
    EXPECT_EQ(Lstat(folder + "/a.txf").st_nlink, 2u);
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"a.txf", "b.txf"}));
}

// A file size limit makes the write itself fail, for root as for anybody: the old file, plain or
// hard-linked, must come through whole and no temporary file may stay behind.
TEST(SafeWrite, AWriteThatFailsKeepsTheOldFileWhole)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    ASSERT_TRUE(WriteFileAtomically(folder + "/plain.txf", "precious").ok);
    ASSERT_TRUE(WriteFileAtomically(folder + "/linked.txf", "shared precious").ok);
    std::filesystem::create_hard_link(folder + "/linked.txf", folder + "/other.txf");

    FileResult plain;
    FileResult linked;
    {
        fakes::FileSizeLimit limit(4096);
        plain = WriteFileAtomically(folder + "/plain.txf", std::string(100000, 'x'));
        linked = WriteFileAtomically(folder + "/linked.txf", std::string(100000, 'y'));
    }

    EXPECT_FALSE(plain.ok);
    EXPECT_EQ(plain.error, "File too large");
    EXPECT_FALSE(linked.ok);
    EXPECT_EQ(Read(folder + "/plain.txf"), "precious");
    EXPECT_EQ(Read(folder + "/other.txf"), "shared precious");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"linked.txf", "other.txf", "plain.txf"}));
}

TEST(SafeWrite, LeftoversOfAKilledWriterGoOnTheNextSave)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0); // its number now names no process
    const std::string dead = std::to_string(child);
    const std::string alive = std::to_string(::getpid());
    const std::string staleName = ".doc.txf.kelmora-tmp-" + dead + "-1a2b";
    const std::vector<std::string> kept = {
        ".doc.txf.kelmora-tmp-" + dead + "-fresh", // too young: its writer may still be renaming it
        ".doc.txf.kelmora-tmp-" + alive + "-live",  // its writer is still running
        ".other.txf.kelmora-tmp-" + dead + "-1a2b", // another file's
    };
    const timespec twoMinutesAgo[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
    for (const std::string& name : kept) {
        ASSERT_TRUE(WriteFileAtomically(folder + "/" + name, "leftover").ok);
        if (name.find("fresh") == std::string::npos)
            ::utimensat(AT_FDCWD, (folder + "/" + name).c_str(), twoMinutesAgo, 0);
    }
    ASSERT_TRUE(WriteFileAtomically(folder + "/" + staleName, std::string(1000, 's')).ok);
    ::utimensat(AT_FDCWD, (folder + "/" + staleName).c_str(), twoMinutesAgo, 0);

    ASSERT_TRUE(WriteFileAtomically(folder + "/doc.txf", "saved").ok);
    std::vector<std::string> expected = kept;
    expected.push_back("doc.txf");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(folder), expected);
}

TEST(SafeWrite, TwoWritersToOneFileEachGetTheirOwnOutcome)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/doc.txf";
    const std::string texts[2] = {std::string(20000, 'A'), std::string(30000, 'B')};
    std::atomic<int> failures{0};
    std::string firstError;
    auto writer = [&](int which) {
        for (int i = 0; i < 200; ++i) {
            const FileResult r = WriteFileAtomically(path, texts[which]);
            if (!r.ok && failures++ == 0)
                firstError = r.error;
        }
    };
    std::thread a(writer, 0);
    std::thread b(writer, 1);
    a.join();
    b.join();
    EXPECT_EQ(failures.load(), 0) << firstError;
    const std::string now = Read(path);
    EXPECT_TRUE(now == texts[0] || now == texts[1]);
    EXPECT_EQ(Entries(dir.path().toStdString()), std::vector<std::string>{"doc.txf"});
}
