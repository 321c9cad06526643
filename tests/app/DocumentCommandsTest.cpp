// The document commands with a fake main window: the save-changes question and its answers, Open,
// Save, Save As, Revert, next and previous file, opening by path, and that unsaved text is never lost.
#include "app/DocumentCommands.h"

#include "platform/TextMode.h"
#include "tests/app/DocumentCommandsFixture.h"
#include "tests/app/FakeDocumentHost.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>

#include <filesystem>

#include <sys/stat.h>

namespace {

using app::SaveChangesAnswer;

/// The application's window, forwarding to the fixture's host (which the fixture keeps owning).
struct ForwardingWindow : app::AppMainWindow {
    fakes::FakeDocumentHost& host;
    explicit ForwardingWindow(fakes::FakeDocumentHost& h) : host(h) {}
    bool OpenFromPath(const std::string& p) override { return host.OpenFromPath(p); }
    void ShowMainWindow() override { host.ShowMainWindow(); }
};

app::EditorApp::MainWindowFactory ForwardTo(fakes::FakeDocumentHost& host)
{
    return [&host](app::EditorApp&) -> std::unique_ptr<app::AppMainWindow> {
        return std::make_unique<ForwardingWindow>(host);
    };
}

/// Restores the process's current folder, which the application's start-up changes.
struct CurrentFolderGuard {
    std::filesystem::path saved = std::filesystem::current_path();
    ~CurrentFolderGuard() { std::filesystem::current_path(saved); }
};

struct CommandsFixture : fakes::DocumentCommandsFixture {
    std::string G(const std::string& utf8) const { return host->Glyphs(utf8); }
    std::string Doc(const std::string& name, const std::string& utf8, const std::string& header = "")
    {
        return folder.Write(name, header + G(utf8));
    }
};

TEST_F(CommandsFixture, TitleFollowsThePath)
{
    EXPECT_EQ(commands->CurrentPath(), "UnTitled.txf");
    EXPECT_TRUE(commands->IsUntitled());
    EXPECT_EQ(app::DocumentCommands::TitleFor("UnTitled.txf"), "UnTitled.txf - Kelmora");
    commands->SetCurrentPath("/home/u/a.txf");
    EXPECT_EQ(host->title, "/home/u/a.txf - Kelmora");
    EXPECT_FALSE(commands->IsUntitled());
}

TEST_F(CommandsFixture, NewAsksOnlyWhenModifiedAndKeepsFontAndKeymap)
{
    const std::string saved = folder.Path() + "/saved.txf";
    struct Case {
        const char* name;
        bool modified;
        std::deque<SaveChangesAnswer> answers;
        std::deque<std::optional<std::string>> saveAs;
        bool emptied;
    };
    const std::vector<Case> cases = {
        {"unmodified asks nothing", false, {}, {}, true},
        {"No discards", true, {SaveChangesAnswer::No}, {}, true},
        {"Cancel keeps", true, {SaveChangesAnswer::Cancel}, {}, false},
        {"Yes saves through Save As, then empties", true, {SaveChangesAnswer::Yes}, {saved}, true},
        {"Yes with Save As cancelled keeps the text", true, {SaveChangesAnswer::Yes}, {std::nullopt}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        host->editor.SetEditFont("Homa", 30);
        host->Type(G("سلام دنیا"));
        host->editor.modified = c.modified;
        host->saveChangesAnswers = c.answers;
        host->saveAsAnswers = c.saveAs;
        commands->New();
        EXPECT_EQ(host->saveChangesAsked, c.modified ? 1 : 0);
        EXPECT_EQ(host->Text().empty(), c.emptied);
        if (c.emptied) {
            EXPECT_EQ(host->title, "UnTitled.txf - Kelmora");
            EXPECT_FALSE(host->editor.modified);
            EXPECT_FALSE(host->editor.CanUndo());
        } else {
            EXPECT_EQ(Shown(), "سلام دنیا");
            EXPECT_TRUE(host->editor.modified);
        }
        EXPECT_EQ(host->editor.fontFace, "Homa");
        EXPECT_EQ(host->keyMap.FileName(), "main.kbd");
    }
    EXPECT_EQ(host->Unicode(ReadBack(saved).substr(ReadBack(saved).find('\n') + 1)), "سلام دنیا");
}

TEST_F(CommandsFixture, FailedSaveIsReportedKeepsModifiedAndStopsTheCommand)
{
    const std::string blocked = folder.KeyMapsPath(); // a folder cannot be written as a file
    commands->SetCurrentPath(blocked);
    host->Type(G("متن مهم"));
    host->saveChangesAnswers = {SaveChangesAnswer::Yes};
    host->openAnswers = {Doc("other.txf", "دیگر")};
    commands->Open();
    ASSERT_EQ(services.messages.shown.size(), 1u);
    const platform::Message& m = services.messages.shown[0];
    EXPECT_EQ(m.caption, "Error");
    EXPECT_EQ(m.text.rfind("Cannot save the file\n" + blocked + "\n", 0), 0u) << m.text;
    EXPECT_GT(m.text.size(), ("Cannot save the file\n" + blocked + "\n").size()); // the system's reason
    EXPECT_EQ(host->openAsked, 0);
    EXPECT_EQ(Shown(), "متن مهم");
    EXPECT_TRUE(host->editor.modified);
    EXPECT_EQ(commands->CurrentPath(), blocked);
    EXPECT_TRUE(recent.Paths().empty());

    EXPECT_FALSE(commands->Save());
    EXPECT_TRUE(host->editor.modified);
    EXPECT_EQ(services.messages.shown.size(), 2u);
}

TEST_F(CommandsFixture, FailedSaveAsKeepsTheOldPathAndTitle)
{
    // The target name is taken by a folder, so the write itself fails (whoever runs the test).
    const std::string kept = Doc("kept.txf", "اصل");
    commands->SetCurrentPath(kept);
    const std::string blocked = folder.Path() + "/taken.txf";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(blocked)));
    host->Type(G("متن تازه"));
    host->saveAsAnswers = {blocked};
    EXPECT_FALSE(commands->SaveAs());
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text.rfind("Cannot save the file\n" + blocked + "\n", 0), 0u);
    EXPECT_EQ(commands->CurrentPath(), kept);
    EXPECT_EQ(host->title, kept + " - Kelmora");
    EXPECT_TRUE(host->editor.modified);
    EXPECT_TRUE(recent.Paths().empty());

    // The next Save goes to the file the document came from, not to the name that failed.
    EXPECT_TRUE(commands->Save());
    EXPECT_EQ(host->saveAsAsked, 1);
    EXPECT_EQ(ReadBack(kept), "Kelmora : f[nasim web homa] s[24] k[main.kbd]\r\n" + G("متن تازه"));
}

TEST_F(CommandsFixture, OpenLoadsAddsToRecentAndAdoptsHeader)
{
    const std::string path = Doc("a.txf", "سلام", "Kelmora : f[Titr] s[40] k[main.kbd]\r\n");
    host->openAnswers = {path};
    commands->Open();
    EXPECT_EQ(Shown(), "سلام");
    EXPECT_EQ(host->title, path + " - Kelmora");
    EXPECT_EQ(recent.Paths(), std::vector<std::string>{path});
    EXPECT_GE(host->recentChanged, 1);
    EXPECT_EQ(host->adopted, 1);
    EXPECT_EQ(host->adoptedFace, "Titr");
    EXPECT_EQ(host->adoptedSize, 40);
    EXPECT_FALSE(host->editor.headerLoaded);

    // A file without a header is not adopted; a cancelled dialog changes nothing.
    host->openAnswers = {Doc("b.txf", "کتاب"), std::nullopt};
    commands->Open();
    EXPECT_EQ(host->adopted, 1);
    commands->Open();
    EXPECT_EQ(Shown(), "کتاب");
    EXPECT_EQ(recent.Paths().size(), 2u);
}

TEST_F(CommandsFixture, UnreadableOpenOrNextKeepsPathTitleAndText)
{
    const std::string path = Doc("b.txf", "کتاب");
    host->openAnswers = {path, folder.Path() + "/gone.txf"};
    commands->Open();
    commands->Open();
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Cannot open the file\nNo such file or directory");
    EXPECT_EQ(commands->CurrentPath(), path);
    EXPECT_EQ(host->title, path + " - Kelmora");
    EXPECT_EQ(Shown(), "کتاب");
    EXPECT_EQ(recent.Paths(), std::vector<std::string>{path});

    // The entry after b.txf is a folder named like a document: it fails to load.
    QDir(QString::fromStdString(folder.Path())).mkdir("c.txf");
    commands->NextFile();
    EXPECT_EQ(services.messages.shown.size(), 2u);
    EXPECT_EQ(commands->CurrentPath(), path);
    EXPECT_EQ(Shown(), "کتاب");
}

TEST_F(CommandsFixture, SaveOnUntitledRunsSaveAsAndCancelLeavesItUntitled)
{
    host->Type(G("نامه"));
    host->saveAsAnswers = {std::nullopt};
    EXPECT_FALSE(commands->Save());
    EXPECT_EQ(host->saveAsAsked, 1);
    EXPECT_TRUE(commands->IsUntitled());
    EXPECT_TRUE(host->editor.modified);

    const std::string path = folder.Path() + "/letter.txf";
    host->saveAsAnswers = {path};
    EXPECT_TRUE(commands->Save());
    EXPECT_EQ(commands->CurrentPath(), path);
    EXPECT_EQ(host->title, path + " - Kelmora");
    EXPECT_FALSE(host->editor.modified);
    EXPECT_EQ(recent.Paths(), std::vector<std::string>{path});
    EXPECT_EQ(ReadBack(path), "Kelmora : f[nasim web homa] s[24] k[main.kbd]\r\n" + G("نامه"));

    host->Type(G("نامه دوم"));
    EXPECT_TRUE(commands->Save()); // titled: no dialog
    EXPECT_EQ(host->saveAsAsked, 2);
    EXPECT_FALSE(host->editor.modified);
}

TEST_F(CommandsFixture, RevertAsksWhenModifiedAndReloads)
{
    const std::string path = Doc("r.txf", "اصل");
    ASSERT_TRUE(commands->OpenFromPath(path));
    struct Case {
        const char* name;
        bool modified;
        std::deque<bool> answers;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"No keeps the edit", true, {false}, "تغییر"},
        {"Yes reloads", true, {true}, "اصل"},
        {"unmodified reloads without asking", false, {}, "اصل"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host->revertAsked = 0;
        host->Type(G("تغییر"));
        host->editor.modified = c.modified;
        host->revertAnswers = c.answers;
        commands->Revert();
        EXPECT_EQ(host->revertAsked, c.modified ? 1 : 0);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(commands->CurrentPath(), path);
    }

    commands->New();
    host->Type(G("تازه"));
    host->revertAnswers = {true};
    commands->Revert(); // untitled: nothing to reload after the question
    EXPECT_EQ(host->revertAsked, 1);
    EXPECT_EQ(Shown(), "تازه");
}

TEST_F(CommandsFixture, NextAndPreviousMoveInNameOrderWithinTheExtension)
{
    const std::string a = Doc("a.txf", "الف"), b = Doc("b.txf", "ب"), c = Doc("c.txf", "پ");
    const std::string x = Doc("x.txt", "ت"), y = Doc("y.txt", "ث");
    Doc("m.TXF", "ج"); // the extension matches without regard to case
    struct Case {
        std::string from;
        bool next;
        std::string to; // "" = nothing happens
    };
    const std::string m = folder.Path() + "/m.TXF";
    const std::vector<Case> cases = {
        {b, true, c}, {c, true, m}, {m, true, ""}, {a, false, ""}, {b, false, a},
        {x, true, y}, {y, false, x}, {y, true, ""},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.from + (t.next ? " next" : " previous"));
        ASSERT_TRUE(commands->OpenFromPath(t.from));
        const std::string before = host->Text();
        t.next ? commands->NextFile() : commands->PreviousFile();
        EXPECT_EQ(commands->CurrentPath(), t.to.empty() ? t.from : t.to);
        EXPECT_EQ(host->Text(), t.to.empty() ? before : ReadBack(t.to));
    }
    EXPECT_TRUE(recent.Paths().empty()); // next and previous never add
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(CommandsFixture, NextWithUntitledFindsNothingAndCancelStops)
{
    commands->NextFile();
    EXPECT_TRUE(commands->IsUntitled());
    EXPECT_TRUE(services.messages.shown.empty());

    const std::string a = Doc("a.txf", "الف");
    Doc("b.txf", "ب");
    ASSERT_TRUE(commands->OpenFromPath(a));
    host->Type(G("ویرایش"));
    host->saveChangesAnswers = {SaveChangesAnswer::Cancel};
    const int focus = host->focusCount;
    commands->NextFile();
    EXPECT_EQ(commands->CurrentPath(), a);
    EXPECT_EQ(Shown(), "ویرایش");
    EXPECT_EQ(host->focusCount, focus); // the focus stays where it was
}

TEST_F(CommandsFixture, OpenFromPathNeitherAddsNorAdoptsAndFailsCleanly)
{
    const std::string path = Doc("h.txf", "سلام", "Kelmora : f[Titr] s[40] k[kolb.kbd]\r\n");
    EXPECT_TRUE(commands->OpenFromPath(path));
    EXPECT_EQ(commands->CurrentPath(), path);
    EXPECT_EQ(host->adopted, 0);
    EXPECT_TRUE(recent.Paths().empty());
    EXPECT_EQ(host->editor.fontFace, "Titr"); // the editor's font does change

    const std::string text = host->Text();
    EXPECT_FALSE(commands->OpenFromPath(folder.Path() + "/gone.txf"));
    EXPECT_EQ(commands->CurrentPath(), path);
    EXPECT_EQ(host->Text(), text);

    host->Type(G("نگه دار"));
    host->saveChangesAnswers = {SaveChangesAnswer::Cancel};
    EXPECT_TRUE(commands->OpenFromPath(folder.Path() + "/gone.txf")); // cancelled: true, nothing loaded
    EXPECT_EQ(Shown(), "نگه دار");
}

TEST_F(CommandsFixture, CloseAsksAndCancelKeepsTheProgramRunning)
{
    EXPECT_TRUE(commands->CanClose()); // unmodified
    host->Type(G("متن"));
    host->saveChangesAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::Yes, SaveChangesAnswer::No};
    host->saveAsAnswers = {std::nullopt};
    EXPECT_FALSE(commands->CanClose());
    EXPECT_FALSE(commands->CanClose()); // Yes, then Save As cancelled: the text would be lost
    EXPECT_EQ(Shown(), "متن");
    EXPECT_TRUE(commands->CanClose()); // No
}

TEST_F(CommandsFixture, RecentEntryWhoseFileIsGoneIsReportedAndRemoved)
{
    const std::string kept = Doc("kept.txf", "سلام");
    services.settings.WriteString("Recent File List", "File1", folder.Path() + "/deleted.txf");
    services.settings.WriteString("Recent File List", "File2", kept);
    CurrentFolderGuard guard;
    app::EditorApp application(ForwardTo(*host), "");
    ASSERT_TRUE(application.InitInstance({}));
    EXPECT_FALSE(application.OpenRecentFile(0));
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Cannot open the file\nNo such file or directory");
    EXPECT_EQ(application.RecentFiles().Paths(), std::vector<std::string>{kept});
    EXPECT_TRUE(application.OpenRecentFile(0));
    EXPECT_EQ(commands->CurrentPath(), kept);

    // A command-line file that cannot be read ends the start-up after the message.
    app::EditorApp second(ForwardTo(*host), "");
    services.messages.shown.clear();
    app::CommandLine line;
    line.file = folder.Path() + "/missing.txf";
    host->shown = false;
    EXPECT_FALSE(second.InitInstance(line));
    EXPECT_FALSE(host->shown);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Cannot open the file\nNo such file or directory");

    // Nor does the window wait for a FIFO that has no writer, or read a device that never ends.
    const std::string fifo = folder.Path() + "/pipe.txf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& special : {fifo, std::string("/dev/zero")}) {
        SCOPED_TRACE(special);
        app::EditorApp third(ForwardTo(*host), "");
        services.messages.shown.clear();
        line.file = special;
        EXPECT_FALSE(third.InitInstance(line));
        EXPECT_FALSE(host->shown);
        ASSERT_EQ(services.messages.shown.size(), 1u);
        EXPECT_EQ(services.messages.shown[0].text, "Cannot open the file\nNot a regular file");
    }
}

TEST_F(CommandsFixture, TextAfterAnEndMarkIsAnnouncedOnceForEachOpening)
{
    const std::string path = folder.Write("tail.txf", G("سلام") + "\x1a" "rest of it");
    const platform::Message notice{"The file continues after an end-of-file mark; saving it will drop 10 bytes",
                                   "Kelmora", platform::MessageButtons::Ok, platform::MessageIcon::Warning};
    host->openAnswers = {path};
    commands->Open();
    EXPECT_EQ(Shown(), "سلام");
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, notice.text);
    EXPECT_EQ(services.messages.shown[0].caption, notice.caption);
    EXPECT_EQ(services.messages.shown[0].icon, notice.icon);
    EXPECT_TRUE(commands->OpenFromPath(path));
    commands->Revert();
    EXPECT_EQ(services.messages.shown.size(), 3u);
    // A file that merely ends with the mark has nothing to lose.
    EXPECT_TRUE(commands->OpenFromPath(folder.Write("ends.txf", G("سلام") + "\x1a")));
    EXPECT_EQ(services.messages.shown.size(), 3u);
}

} // namespace

namespace {

TEST_F(CommandsFixture, CommandLineFileReplacesTheLastDocument)
{
    const std::string last = Doc("last.txf", "قبلی"), given = Doc("given.txf", "تازه");
    CurrentFolderGuard guard;
    app::EditorApp application(
        [this, last](app::EditorApp&) -> std::unique_ptr<app::AppMainWindow> {
            // What window creation does with "StartWithMRD": the last document is loaded first.
            commands->OpenFromPath(last);
            return std::make_unique<ForwardingWindow>(*host);
        },
        "");
    bool splash = true;
    application.enableSplash = [&](bool on) { splash = on; };
    app::CommandLine line;
    line.file = given;
    ASSERT_TRUE(application.InitInstance(line));
    EXPECT_FALSE(splash);
    EXPECT_EQ(commands->CurrentPath(), given);
    EXPECT_EQ(host->title, given + " - Kelmora");
    EXPECT_EQ(Shown(), "تازه");
    EXPECT_TRUE(host->shown);
    EXPECT_TRUE(recent.Paths().empty()); // opening by path does not add to the list
}

} // namespace
