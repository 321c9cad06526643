// A run of saves into the same folders: each save as safe as a single one, saves taking their names
// a group at a time, leftovers of killed writers cleared once per folder, replaced files' storage
// reused without carrying anything over, and a failing save that spoils neither its file nor the run.
#include "platform/AtomicWriteSession.h"

#include "tests/fakes/FileSizeLimit.h"
#include "tests/fakes/FolderFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace platform;

namespace {

std::string Read(const std::string& path) { return fakes::ReadBytes(path); }
std::vector<std::string> Entries(const std::string& folder) { return fakes::FolderEntries(folder); }

/// A process number that names no running process now.
std::string DeadPid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return std::to_string(child);
}

/// A file as a killed writer leaves it, `ageSeconds` old.
void Plant(const std::string& path, long ageSeconds)
{
    std::ofstream(path, std::ios::binary) << "leftover";
    const timespec when[2] = {{::time(nullptr) - ageSeconds, 0}, {::time(nullptr) - ageSeconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), when, 0);
}

TEST(AtomicWriteSession, ReplacesAndCreatesFilesKeepingModesAndLeavingNoTemporaries)
{
    QTemporaryDir dir;
    const std::string a = dir.path().toStdString() + "/a";
    const std::string b = dir.path().toStdString() + "/b";
    std::filesystem::create_directories(a);
    std::filesystem::create_directories(b);
    std::ofstream(a + "/old.txf", std::ios::binary) << "a much longer old text";
    ::chmod((a + "/old.txf").c_str(), 0640);
    {
        AtomicWriteSession session;
        EXPECT_TRUE(session.Write(a + "/old.txf", "new").ok);
        EXPECT_TRUE(session.Write(a + "/fresh.txf", "fresh").ok);
        EXPECT_TRUE(session.Write(b + "/other.txf", "other").ok);
        EXPECT_TRUE(session.Write(a + "/fresh.txf", "fresher").ok) << "the same name twice in a run";
        session.Finish();
        EXPECT_TRUE(session.Write(b + "/late.txf", "after a finish").ok);
    }
    EXPECT_EQ(Read(a + "/old.txf"), "new");
    EXPECT_EQ(Read(a + "/fresh.txf"), "fresher");
    EXPECT_EQ(Read(b + "/other.txf"), "other");
    EXPECT_EQ(Read(b + "/late.txf"), "after a finish");
    struct stat st {};
    ASSERT_EQ(::stat((a + "/old.txf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(a), (std::vector<std::string>{"fresh.txf", "old.txf"}));
    EXPECT_EQ(Entries(b), (std::vector<std::string>{"late.txf", "other.txf"}));
}

/// Whether the file system of `folder` can swap two names, which storage reuse depends on.
bool SwapsNames(const std::string& folder)
{
#ifdef __linux__
    std::ofstream(folder + "/.swap-a") << "a";
    std::ofstream(folder + "/.swap-b") << "b";
    const bool swapped = ::renameat2(AT_FDCWD, (folder + "/.swap-a").c_str(), AT_FDCWD, (folder + "/.swap-b").c_str(),
                                     RENAME_EXCHANGE) == 0;
    std::filesystem::remove(folder + "/.swap-a");
    std::filesystem::remove(folder + "/.swap-b");
    return swapped;
#else
    (void)folder;
    return false;
#endif
}

/// A folder with a file in it where a waiting save's name is: no rename can replace it.
void PutFolderInPlaceOf(const std::string& path)
{
    std::filesystem::create_directory(path);
    std::ofstream(path + "/inside", std::ios::binary) << "x";
}

ino_t Inode(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(AtomicWriteSession, SavesWaitForTheirCommitAndThenTakeTheirNamesInOrder)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    std::ofstream(folder + "/old.txf", std::ios::binary) << "old";
    AtomicWriteSession session;
    ASSERT_TRUE(session.Write(folder + "/old.txf", "first").ok);
    ASSERT_TRUE(session.Write(folder + "/new.txf", "new").ok);
    ASSERT_TRUE(session.Write(folder + "/old.txf", "second").ok);
    EXPECT_EQ(session.AcceptedSaves(), 3u);
    EXPECT_EQ(session.SettledSaves(), 0u);
    EXPECT_EQ(Read(folder + "/old.txf"), "old") << "nothing takes a name before the commit";
    EXPECT_FALSE(std::filesystem::exists(folder + "/new.txf"));
    EXPECT_TRUE(session.Holds(folder + "/old.txf"));
    EXPECT_TRUE(session.Holds(folder + "/./new.txf")) << "however the folder is spelled";
    EXPECT_FALSE(session.Holds(folder + "/other.txf"));

    EXPECT_TRUE(session.Commit().empty());
    EXPECT_EQ(Read(folder + "/old.txf"), "second") << "the later save of a name wins";
    EXPECT_EQ(Read(folder + "/new.txf"), "new");
    EXPECT_FALSE(session.Holds(folder + "/old.txf"));
    EXPECT_TRUE(session.Finish().empty());
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"new.txf", "old.txf"}));
}

TEST(AtomicWriteSession, ASaveThatCannotTakeItsNameAtTheCommitIsReportedAndKeepsTheOthers)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    std::ofstream(folder + "/kept.txf", std::ios::binary) << "kept";
    AtomicWriteSession session;
    ASSERT_TRUE(session.Write(folder + "/kept.txf", "replaced").ok);
    ASSERT_TRUE(session.Write(folder + "/blocked.txf", "never").ok);
    ASSERT_TRUE(session.Write(folder + "/fine.txf", "fine").ok);
    PutFolderInPlaceOf(folder + "/blocked.txf"); // between the write and the commit

    const std::vector<AtomicWriteSession::LateFailure> failed = session.Finish();
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].save, 1u);
    EXPECT_EQ(failed[0].path, folder + "/blocked.txf");
    EXPECT_FALSE(failed[0].error.empty());
    EXPECT_EQ(Read(folder + "/kept.txf"), "replaced");
    EXPECT_EQ(Read(folder + "/fine.txf"), "fine");
    EXPECT_EQ(Read(folder + "/blocked.txf/inside"), "x");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"blocked.txf", "fine.txf", "kept.txf"}));
}

TEST(AtomicWriteSession, ACommitInTheBackgroundReportsItsFailuresWithTheNextOne)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    AtomicWriteSession session;
    ASSERT_TRUE(session.Write(folder + "/blocked.txf", "never").ok);
    ASSERT_TRUE(session.Write(folder + "/first.txf", "first").ok);
    PutFolderInPlaceOf(folder + "/blocked.txf");
    EXPECT_TRUE(session.CommitInBackground().empty()) << "nothing has ended before it";
    EXPECT_TRUE(session.Holds(folder + "/first.txf")) << "held until its commit is settled";
    ASSERT_TRUE(session.Write(folder + "/second.txf", "second").ok);

    const std::vector<AtomicWriteSession::LateFailure> earlier = session.CommitInBackground();
    ASSERT_EQ(earlier.size(), 1u);
    EXPECT_EQ(earlier[0].save, 0u);
    EXPECT_EQ(earlier[0].path, folder + "/blocked.txf");
    EXPECT_EQ(Read(folder + "/first.txf"), "first");
    EXPECT_EQ(session.SettledSaves(), 2u);
    EXPECT_TRUE(session.Finish().empty());
    EXPECT_EQ(session.SettledSaves(), 3u);
    EXPECT_EQ(Read(folder + "/second.txf"), "second");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"blocked.txf", "first.txf", "second.txf"}));
}

TEST(AtomicWriteSession, ReplacedFilesLendTheirStorageWithNothingOfTheirsLeft)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::vector<std::string> names = {"a.txf", "b.txf", "c.txf", "d.txf"};
    std::vector<ino_t> oldInodes;
    for (const std::string& name : names) {
        std::ofstream(folder + "/" + name, std::ios::binary) << std::string(5000, 'o') << name;
        ::chmod((folder + "/" + name).c_str(), name == "c.txf" ? 0600 : 0644);
        oldInodes.push_back(Inode(folder + "/" + name));
    }
    // An attribute of a's must not reach the file that takes a's storage.
    const bool tagged = ::setxattr((folder + "/a.txf").c_str(), "user.kelmora-test", "a", 1, 0) == 0;
    AtomicWriteSession session;
    for (const std::string& name : names) {
        ASSERT_TRUE(session.Write(folder + "/" + name, "new " + name).ok);
        ASSERT_TRUE(session.Commit().empty()); // each save after the commit of the one before
    }
    ASSERT_TRUE(session.Finish().empty());

    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Read(folder + "/" + name), "new " + name) << "shorter than the old text it may reuse";
        struct stat st {};
        ASSERT_EQ(::stat((folder + "/" + name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, name == "c.txf" ? 0600u : 0644u);
        EXPECT_EQ(::getxattr((folder + "/" + name).c_str(), "user.kelmora-test", nullptr, 0), -1);
    }
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"a.txf", "b.txf", "c.txf", "d.txf"}));
#ifdef __linux__
    // a's storage went with its attribute (when the file system keeps one); c's save takes b's, d's c's.
    if (SwapsNames(folder)) {
        EXPECT_EQ(Inode(folder + "/c.txf"), oldInodes[1]);
        EXPECT_EQ(Inode(folder + "/d.txf"), oldInodes[2]);
    }
#endif
    if (!tagged)
        std::cout << "[ NOTE ] no extended attributes here: the attribute check is empty\n";
}

TEST(AtomicWriteSession, AWriterKilledWithSavesWaitingLeavesTheOldFilesAndItsLeftoversGoLater)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    for (const char* name : {"one.txf", "two.txf", "three.txf"})
        std::ofstream(folder + "/" + name, std::ios::binary) << "old " << name;
    const pid_t child = ::fork();
    if (child == 0) {
        AtomicWriteSession session;
        bool ok = session.Write(folder + "/one.txf", "new one.txf").ok && session.Commit().empty();
        // These two wait, one of them in the storage one.txf's old text left.
        ok = ok && session.Write(folder + "/two.txf", "new two.txf").ok;
        ok = ok && session.Write(folder + "/three.txf", "new three.txf").ok;
        if (!ok)
            ::_exit(1);
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed before it was killed";
    EXPECT_EQ(Read(folder + "/one.txf"), "new one.txf");
    EXPECT_EQ(Read(folder + "/two.txf"), "old two.txf");
    EXPECT_EQ(Read(folder + "/three.txf"), "old three.txf");

    // What it left are temporaries only; once old enough the next session removes them.
    std::vector<std::string> leftovers;
    for (const std::string& name : Entries(folder)) {
        if (name == "one.txf" || name == "two.txf" || name == "three.txf")
            continue;
        EXPECT_NE(name.find(".kelmora-tmp-" + std::to_string(child) + "-"), std::string::npos) << name;
        const timespec when[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
        ::utimensat(AT_FDCWD, (folder + "/" + name).c_str(), when, 0);
        leftovers.push_back(name);
    }
    EXPECT_FALSE(leftovers.empty());
    AtomicWriteSession next;
    ASSERT_TRUE(next.Write(folder + "/four.txf", "4").ok);
    ASSERT_TRUE(next.Finish().empty());
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"four.txf", "one.txf", "three.txf", "two.txf"}));
}

TEST(AtomicWriteSession, LeftoversOfEveryFileGoOnTheFirstSaveIntoTheirFolderOnly)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string dead = DeadPid();
    const std::string alive = std::to_string(::getpid());
    const std::vector<std::string> kept = {
        ".doc.txf.kelmora-tmp-" + dead + "-fresh", // too young: its writer may still be renaming it
        ".doc.txf.kelmora-tmp-" + alive + "-live",  // its writer is still running
        ".kelmora-tmp-" + dead + "-noname",          // not a name any save of ours makes
        "doc.txf.kelmora-tmp-" + dead + "-visible",  // ours are hidden names
    };
    for (const std::string& name : kept)
        Plant(folder + "/" + name, name.find("fresh") == std::string::npos ? 120 : 0);
    Plant(folder + "/.doc.txf.kelmora-tmp-" + dead + "-1a2b", 120);
    Plant(folder + "/.another file.txf.kelmora-tmp-" + dead + "-3c4d", 120);

    AtomicWriteSession session;
    ASSERT_TRUE(session.Write(folder + "/first.txf", "1").ok);
    ASSERT_TRUE(session.Commit().empty());
    std::vector<std::string> expected = kept;
    expected.push_back("first.txf");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(folder), expected) << "the stale ones of doc.txf and of another file went";

    // Looked for once a run: a leftover that appears later waits for the next run.
    const std::string later = ".second.txf.kelmora-tmp-" + dead + "-5e6f";
    Plant(folder + "/" + later, 120);
    ASSERT_TRUE(session.Write(folder + "/second.txf", "2").ok);
    EXPECT_TRUE(std::filesystem::exists(folder + "/" + later));
    AtomicWriteSession next;
    ASSERT_TRUE(next.Write(folder + "/third.txf", "3").ok);
    EXPECT_FALSE(std::filesystem::exists(folder + "/" + later));
}

TEST(AtomicWriteSession, AFailedSaveKeepsItsOldFileAndTheRunGoesOn)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    std::ofstream(folder + "/big.txf", std::ios::binary) << "precious";
    AtomicWriteSession session;
    FileResult big;
    FileResult small;
    {
        fakes::FileSizeLimit limit(4096);
        big = session.Write(folder + "/big.txf", std::string(100000, 'x'));
        small = session.Write(folder + "/small.txf", "fits");
    }
    const FileResult missing = session.Write(folder + "/no such folder/doc.txf", "lost");
    const FileResult onFolder = session.Write(folder, "a folder");
    session.Finish();
    EXPECT_FALSE(big.ok);
    EXPECT_EQ(big.error, "File too large");
    EXPECT_TRUE(small.ok) << small.error;
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
    EXPECT_FALSE(onFolder.ok);
    EXPECT_EQ(Read(folder + "/big.txf"), "precious");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"big.txf", "small.txf"}));
}

} // namespace
