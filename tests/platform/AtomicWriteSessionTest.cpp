// A run of saves into the same folders: each save as safe as a single one, leftovers of killed
// writers cleared once per folder, and a failing save that spoils neither its file nor the run.
#include "platform/AtomicWriteSession.h"

#include "tests/fakes/FileSizeLimit.h"
#include "tests/fakes/FolderFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
