// Crash recovery in the main window: the unsaved text reaches the recovery file on focus loss and
// goes away with a save or a clean exit; an editor killed with SIGKILL leaves its text to the next
// start, which offers it; a file whose editor still runs is never offered.
#include "app/CrashRecovery.h"

#include "app/DocumentCommands.h"
#include "app/EditorView.h"
#include "app/RecoveryFile.h"
#include "editctl/PersianEdit.h"
#include "platform/TextMode.h"
#include "res/ResourceIds.h"
#include "tests/app/MainFrameFixture.h"
#include "tests/fakes/ShippedKeymaps.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace apptest {
namespace {

using app::CMainFrame;
using app::RecoveryAnswer;

const std::string Typed = "شب آرام است و ماه از پشت ابر بیرون می‌آید";
constexpr const char* ChildFolderVariable = "KELMORA_RECOVERY_CHILD";
constexpr const char* ChildDocumentVariable = "KELMORA_RECOVERY_DOCUMENT";

bool Exists(const std::string& path) { return QFile::exists(QString::fromStdString(path)); }

/// What typing leaves: the text changed through the edit window, the document modified.
void Type(CMainFrame& window, const std::string& glyphs)
{
    editctl::PersianEdit& editor = window.Editor();
    editor.SaveUndo();
    editor.Window().SetText(editor.Window().GetText() + glyphs);
    editor.modified = true;
}

/// The text is copied a slice per turn of the event loop, then written on a worker.
void WaitUntilWritten(CMainFrame& window)
{
    while (!window.Recovery().Idle())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    window.Recovery().Writer().WaitForIdle();
}

void LoseFocus(CMainFrame& window)
{
    QEvent deactivated(QEvent::ActivationChange);
    QCoreApplication::sendEvent(&window, &deactivated);
    WaitUntilWritten(window);
}

/// The editor a test kills: started as this test program with the variables set, it builds a
/// window, types, lets the text reach its recovery file, says "ready" and waits to be killed.
class KilledEditor : public ::testing::Environment {
public:
    void SetUp() override
    {
        const QByteArray folder = qgetenv(ChildFolderVariable);
        if (folder.isEmpty())
            return;
        fakes::FakeServices services;
        fakes::TempProgramFolder program{services.settings};
        program.InstallKeymap("main.kbd");
        QDir::setCurrent(QString::fromStdString(program.Path()));
        app::RecentFileList recent;
        FixedClock clock;
        CMainFrame window(recent, clock);
        window.Create();
        window.SetRecoveryFolder(folder.toStdString());
        window.Documents().SetCurrentPath(qgetenv(ChildDocumentVariable).toStdString());
        Type(window, fakes::Glyphs("main.kbd", Typed));
        LoseFocus(window);
        std::printf(Exists(window.Recovery().Writer().File()) ? "ready\n" : "no file\n");
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
};
[[maybe_unused]] ::testing::Environment* const killedEditor = ::testing::AddGlobalTestEnvironment(new KilledEditor);

class CrashRecoveryTest : public MainFrameTest {
protected:
    CrashRecoveryTest() { InstallKeymap("main.kbd"); }

    CMainFrame& Start(std::vector<RecoveryAnswer> answers = {})
    {
        CMainFrame& window = CreateFrame();
        window.SetRecoveryFolder(RecoveryFolder());
        window.SetRecoveryAsker([this, answers](const std::string& question) {
            asked.push_back(question);
            return asked.size() <= answers.size() ? answers[asked.size() - 1] : RecoveryAnswer::Later;
        });
        window.ShowMainWindow();
        return window;
    }
    std::string RecoveryFolder() const { return recoveryDir.path().toStdString(); }
    std::string ReadBack(const std::string& path) const
    {
        std::string bytes;
        platform::ReadFileBytes(path, bytes);
        return bytes;
    }
    void WriteSnapshot(std::int64_t pid, const std::string& path)
    {
        app::RecoverySnapshot s;
        s.path = path, s.faceName = "nasim web homa", s.size = 24, s.keymapName = "main.kbd";
        s.text = fakes::Glyphs("main.kbd", Typed);
        s.ownerPid = pid, s.ownerStart = app::ProcessStartTime(pid), s.savedAt = 1796900000;
        ASSERT_TRUE(platform::WriteFileAtomically(app::RecoveryFilePath(RecoveryFolder(), pid), app::EncodeRecovery(s)).ok);
    }

    QTemporaryDir recoveryDir;
    std::vector<std::string> asked;
};

TEST_F(CrashRecoveryTest, TextOfAnEditorKilledWithSigkillIsOfferedAndRecovered)
{
    const std::string original = fakes::Glyphs("main.kbd", "متن پیشین") + "\r\n";
    const std::string document = folder.Write("story.txf", original);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(ChildFolderVariable, recoveryDir.path());
    environment.insert(ChildDocumentVariable, QString::fromStdString(document));
    child.setProcessEnvironment(environment);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray said;
    // The test program says which test it runs first; the child's own word comes last.
    while (!said.contains("ready\n") && !said.contains("no file\n") && child.waitForReadyRead(120000))
        said += child.readAllStandardOutput();
    ASSERT_TRUE(said.endsWith("ready\n")) << said.toStdString();
    const qint64 pid = child.processId();
    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    const std::string left = app::RecoveryFilePath(RecoveryFolder(), pid);
    ASSERT_TRUE(Exists(left));

    CMainFrame& window = Start({RecoveryAnswer::Recover});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].rfind("Recover the unsaved text of " + document + " from ", 0), 0u) << asked[0];
    EXPECT_EQ(fakes::Unicode("main.kbd", window.Editor().Window().GetText()), Typed);
    EXPECT_TRUE(window.Editor().modified);
    EXPECT_EQ(window.Documents().CurrentPath(), document);
    EXPECT_EQ(window.windowTitle().toStdString(), document + " - Kelmora");
    EXPECT_EQ(ReadBack(document), original) << "the file waits for the user's save";
    // The text now lives in this editor's own file; the dead editor's is gone.
    EXPECT_FALSE(Exists(left));
    EXPECT_TRUE(Exists(window.Recovery().Writer().File()));
}

TEST_F(CrashRecoveryTest, AFileWhoseEditorStillRunsIsNotOffered)
{
    QProcess running;
    running.start("sleep", {"600"});
    ASSERT_TRUE(running.waitForStarted());
    WriteSnapshot(running.processId(), folder.Path() + "/other.txf");
    Start();
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(Exists(app::RecoveryFilePath(RecoveryFolder(), running.processId())));
    running.kill();
    running.waitForFinished();
}

TEST_F(CrashRecoveryTest, DiscardRemovesTheFileAndLaterKeepsItForTheNextStart)
{
    QProcess ended;
    ended.start("true");
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 pid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    WriteSnapshot(pid, folder.Path() + "/lost.txf");
    const std::string file = app::RecoveryFilePath(RecoveryFolder(), pid);

    Start({RecoveryAnswer::Later});
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_TRUE(Exists(file));
    EXPECT_EQ(frame->Documents().CurrentPath(), "UnTitled.txf");
    frame.reset();

    asked.clear();
    Start({RecoveryAnswer::Discard});
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_FALSE(Exists(file));
    EXPECT_FALSE(frame->Editor().modified);
}

TEST_F(CrashRecoveryTest, UnsavedTextReachesTheFileOnFocusLossAndLeavesWithASave)
{
    CMainFrame& window = Start();
    const std::string file = window.Recovery().Writer().File();
    EXPECT_EQ(file, app::RecoveryFilePath(RecoveryFolder(), app::CurrentPid()));
    window.Documents().SetCurrentPath(folder.Path() + "/saved.txf");

    Type(window, fakes::Glyphs("main.kbd", Typed));
    EXPECT_TRUE(window.Recovery().Timer().isActive()) << "a write is due 30 seconds after the change";
    EXPECT_EQ(window.Recovery().Timer().interval(), 30000);
    EXPECT_FALSE(Exists(file));
    LoseFocus(window);
    ASSERT_TRUE(Exists(file));
    std::optional<app::RecoverySnapshot> kept = app::DecodeRecovery(ReadBack(file));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->path, folder.Path() + "/saved.txf");
    EXPECT_EQ(kept->keymapName, "main.kbd");
    EXPECT_EQ(fakes::Unicode("main.kbd", kept->text), Typed);

    // What the timer runs: nothing new since the last write, nothing written.
    QFile::remove(QString::fromStdString(file));
    window.Recovery().WriteIfChanged();
    WaitUntilWritten(window);
    EXPECT_FALSE(Exists(file));
    Type(window, fakes::Glyphs("main.kbd", " و"));
    window.Recovery().WriteIfChanged();
    WaitUntilWritten(window);
    EXPECT_TRUE(Exists(file));

    window.RunCommand(res::FileSave);
    EXPECT_FALSE(window.Editor().modified);
    EXPECT_FALSE(Exists(file));
}

TEST_F(CrashRecoveryTest, ALargeTextIsCopiedInSlicesAndAChangeMeanwhileIsNotLost)
{
    CMainFrame& window = Start();
    const std::string line = fakes::Glyphs("main.kbd", Typed) + "\r\n";
    std::string big;
    while (big.size() < 3 * app::CrashRecovery::SliceBytes)
        big += line;
    Type(window, big);
    window.Recovery().WriteIfChanged();
    EXPECT_FALSE(window.Recovery().Idle()) << "the first slice is copied, the rest waits for the event loop";
    Type(window, line); // typed while the copy is under way
    WaitUntilWritten(window);
    const std::optional<app::RecoverySnapshot> kept =
        app::DecodeRecovery(ReadBack(window.Recovery().Writer().File()));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->text, window.Editor().Window().GetText());
    EXPECT_EQ(kept->text.size(), big.size() + line.size());
}

TEST_F(CrashRecoveryTest, ACleanExitRemovesTheFile)
{
    CMainFrame& window = Start();
    const std::string file = window.Recovery().Writer().File();
    Type(window, fakes::Glyphs("main.kbd", Typed));
    LoseFocus(window);
    ASSERT_TRUE(Exists(file));
    // The save-changes question is answered No: the user discards the text and the program ends.
    // Timers other tests left behind fire first, so none of them closes this question.
    QCoreApplication::processEvents();
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&answer] {
        if (QWidget* modal = QApplication::activeModalWidget())
            for (QPushButton* button : modal->findChildren<QPushButton*>())
                if (button->text() == "&No") {
                    answer.stop();
                    button->click();
                }
    });
    answer.start(0); // until the question is up
    EXPECT_TRUE(CloseFrame());
    EXPECT_FALSE(Exists(file));
}

} // namespace
} // namespace apptest
