// Recovery files: what they hold survives the round trip whatever the bytes, damaged files are not
// taken for recovery files, and only files of editors that are no longer running are offered.
#include "app/RecoveryFile.h"

#include "app/RecoveryWriter.h"
#include "platform/TextMode.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

app::RecoverySnapshot Sample()
{
    app::RecoverySnapshot s;
    s.path = "/home/u/odd\nname [k].txf";
    s.faceName = "nasim web homa";
    s.size = 24;
    s.keymapName = "kolb.kbd";
    s.text = std::string("\xAE\xB2\r\n\0\x1A text 5\n", 14);
    s.imported = true;
    s.savedAt = 1796900000;
    s.ownerPid = 4242;
    s.ownerStart = 987654;
    return s;
}

void ExpectSame(const app::RecoverySnapshot& a, const app::RecoverySnapshot& b)
{
    EXPECT_EQ(a.path, b.path);
    EXPECT_EQ(a.faceName, b.faceName);
    EXPECT_EQ(a.size, b.size);
    EXPECT_EQ(a.keymapName, b.keymapName);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.imported, b.imported);
    EXPECT_EQ(a.savedAt, b.savedAt);
    EXPECT_EQ(a.ownerPid, b.ownerPid);
    EXPECT_EQ(a.ownerStart, b.ownerStart);
}

TEST(RecoveryFile, EveryFieldSurvivesWhateverBytesItHolds)
{
    const std::optional<app::RecoverySnapshot> back = app::DecodeRecovery(app::EncodeRecovery(Sample()));
    ASSERT_TRUE(back);
    ExpectSame(*back, Sample());
}

TEST(RecoveryFile, ShortOrDamagedFilesAreNotRecoveryFiles)
{
    const std::string whole = app::EncodeRecovery(Sample());
    for (size_t cut : {size_t{0}, size_t{10}, whole.size() / 2, whole.size() - 1})
        EXPECT_FALSE(app::DecodeRecovery(whole.substr(0, cut))) << cut;
    std::string longer = whole;
    longer.replace(longer.find("text 14\n"), 8, "text 99\n");
    EXPECT_FALSE(app::DecodeRecovery(longer));
    EXPECT_FALSE(app::DecodeRecovery("Kelmora : f[x] s[1] k[main.kbd]\r\n"));
}

TEST(RecoveryFile, OnlyFilesOfEditorsNoLongerRunningAreOffered)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    QProcess running;
    running.start("sleep", {"600"});
    ASSERT_TRUE(running.waitForStarted());

    QProcess ended;
    ended.start("true");
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());

    auto write = [&](std::int64_t pid, std::uint64_t start, std::int64_t time) {
        app::RecoverySnapshot s = Sample();
        s.ownerPid = pid, s.ownerStart = start, s.savedAt = time;
        platform::WriteFileAtomically(app::RecoveryFilePath(folder, pid), app::EncodeRecovery(s));
    };
    const std::int64_t me = app::CurrentPid();
    write(running.processId(), app::ProcessStartTime(running.processId()), 30);
    write(me, app::ProcessStartTime(me), 20);
    write(endedPid, 12345, 10);
    // Our own id in a file of an earlier boot: the start time tells it apart.
    app::RecoverySnapshot reused = Sample();
    reused.ownerPid = me, reused.ownerStart = app::ProcessStartTime(me) + 1, reused.savedAt = 5;
    platform::WriteFileAtomically(folder + "/kelmora-1000000001.recovery", app::EncodeRecovery(reused));
    platform::WriteFileAtomically(folder + "/kelmora-7.recovery", "garbage");

    const std::vector<app::FoundRecovery> found = app::OrphanedRecoveries(folder);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].file, folder + "/kelmora-1000000001.recovery") << "oldest first";
    EXPECT_EQ(found[1].snapshot.ownerPid, endedPid);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(folder + "/kelmora-7.recovery"))) << "left alone";

    running.kill();
    running.waitForFinished();
}

TEST(RecoveryFile, AKilledEditorNotYetReapedIsNotRunning)
{
    // A child that has ended but is not waited for yet keeps its id and start time (a zombie):
    // an editor killed under a parent that has not reaped it looks like this.
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    // Wait until the child has ended, without reaping it.
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
    app::RecoverySnapshot s = Sample();
    s.ownerPid = child;
    s.ownerStart = app::ProcessStartTime(child);
    EXPECT_EQ(::kill(child, 0), 0) << "the id is still taken";
    EXPECT_FALSE(app::OwnerRunning(s));
    ::waitpid(child, nullptr, 0);
}

TEST(RecoveryFile, TheQuestionNamesThePathAndTime)
{
    app::RecoverySnapshot s = Sample();
    s.path = "/home/u/story.txf";
    const std::string question = app::RecoveryQuestion(s);
    EXPECT_EQ(question.rfind("Recover the unsaved text of /home/u/story.txf from ", 0), 0u) << question;
    EXPECT_EQ(question.back(), '?');
    EXPECT_EQ(question.size(), std::string("Recover the unsaved text of /home/u/story.txf from 2026-12-10 11:40?").size());
}

TEST(RecoveryWriter, WritesInTheBackgroundIntoAPrivateFolderAndRemoves)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/data/recovery";
    app::RecoveryWriter writer(app::RecoveryFilePath(folder, 77));
    for (int i = 0; i < 5; ++i) {
        app::RecoverySnapshot s = Sample();
        s.text = std::string(size_t{1} << 20, static_cast<char>('a' + i));
        writer.Write(std::move(s));
    }
    writer.WaitForIdle();
    EXPECT_TRUE(writer.LastResult().ok);
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(writer.File(), bytes).ok);
    const std::optional<app::RecoverySnapshot> last = app::DecodeRecovery(bytes);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->text, std::string(size_t{1} << 20, 'e')) << "the newest snapshot is the one kept";
    EXPECT_EQ(QFile::permissions(QString::fromStdString(folder)) & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());

    writer.Write(Sample());
    writer.Remove();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(writer.File())));
}

TEST(RecoveryWriter, AWriteThatFailsIsReported)
{
    QTemporaryDir dir;
    QFile blocker(dir.path() + "/recovery");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    app::RecoveryWriter writer(app::RecoveryFilePath(dir.path().toStdString() + "/recovery", 1));
    writer.Write(Sample());
    writer.WaitForIdle();
    EXPECT_FALSE(writer.LastResult().ok);
}

} // namespace
