/** Main window: first start, menus and keys, bars, status panes, commands and exit storing. **/
#include "tests/app/MainFrameFixture.h"

#include "app/CommandTable.h"
#include "app/DialogBar.h"
#include "app/EditorView.h"
#include "app/MainStatusBar.h"
#include "editctl/PersianEdit.h"
#include "app/DocumentFile.h"
#include "keymap/UnicodeBridge.h"
#include "res/ResourceIds.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QtTest/QTest>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QToolBar>

namespace apptest {
namespace {

using app::CMainFrame;

TEST_F(MainFrameTest, FirstStartWithEmptySettingsUsesTheDefaults)
{
    InstallKeymap("kolb.kbd");
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();

    EXPECT_EQ(window.windowTitle(), "UnTitled.txf - Kelmora");
    EXPECT_EQ(BoxText(res::FaceNameBox), "nasim web homa");
    EXPECT_EQ(BoxText(res::SizeBox), "24");
    EXPECT_EQ(BoxText(res::KeymapBox), "main.kbd");
    EXPECT_EQ(window.Bar().KeymapBox()->count(), 2);
    EXPECT_EQ(window.CurrentFaceName(), "nasim web homa");
    EXPECT_EQ(window.CurrentSize(), 24);
    EXPECT_EQ(window.CurrentKeymapName(), "main.kbd");
    EXPECT_EQ(window.View().Editor().fontFace, "nasim web homa");
    EXPECT_EQ(window.View().Editor().fontHeight, 24);
    EXPECT_EQ(window.View().BoundKeyMap().FileName(), "main.kbd");

    // Window at (100, 100), 500 x 300; the tool bar floats with its window at (100, 82).
    EXPECT_EQ(window.pos(), QPoint(100, 100));
    EXPECT_EQ(window.size(), QSize(500, 300));
    EXPECT_TRUE(window.ToolBar().isFloating());
    EXPECT_EQ(window.ToolBar().pos(), QPoint(100, 82));
    EXPECT_FALSE(window.ToolBar().isHidden());

    // Settings applied to the editor: tab 3, 80 characters a line, DOS mode on.
    EXPECT_EQ(window.View().Editor().tabWidth, 3);
    EXPECT_EQ(window.View().Editor().maxChars, 80);
    EXPECT_TRUE(window.View().Editor().dosMode);
    EXPECT_EQ(window.View().Editor().Window().Style(), editctl::WindowStyle::MultiLine);

    // No fonts.cfg in the folder: reported once, and never tried again.
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "fonts.cgf not founded");
    EXPECT_EQ(services.messages.shown[0].caption, "Kelmora");
    EXPECT_EQ(services.settings.ReadInt("Temp", "FirstTime", 1), 0);
    // Readers never write their defaults back.
    EXPECT_FALSE(services.settings.Contains("Settings", "font"));
    EXPECT_FALSE(services.settings.Contains("Settings", "T1Dock"));
}

TEST_F(MainFrameTest, StoredSettingsPlaceWindowToolBarAndEditor)
{
    InstallKeymap("main.kbd");
    InstallKeymap("kolb.kbd");
    auto& s = services.settings;
    s.WriteString("Settings", "font", "Homa");
    s.WriteString("Settings", "keyfile", "kolb.kbd");
    s.WriteInt("Settings", "size", 30);
    s.WriteInt("Settings", "PosX", 40);
    s.WriteInt("Settings", "PosY", 50);
    s.WriteInt("Settings", "SizeX", 640);
    s.WriteInt("Settings", "SizeY", 480);
    s.WriteInt("Settings", "T1Dock", 0);
    s.WriteString("Settings", "Tab", "5x");
    s.WriteString("Settings", "MaxChar", "60");
    s.WriteInt("Settings", "EnableDos", 0);
    s.WriteInt("Temp", "FirstTime", 0);
    CMainFrame& window = CreateFrame();

    EXPECT_EQ(BoxText(res::FaceNameBox), "Homa");
    EXPECT_EQ(BoxText(res::SizeBox), "30");
    EXPECT_EQ(BoxText(res::KeymapBox), "kolb.kbd");
    EXPECT_EQ(window.View().BoundKeyMap().FileName(), "kolb.kbd");
    EXPECT_EQ(window.pos(), QPoint(40, 50));
    EXPECT_EQ(window.size(), QSize(640, 480));
    EXPECT_FALSE(window.ToolBar().isFloating());
    EXPECT_EQ(window.toolBarArea(&window.ToolBar()), Qt::TopToolBarArea);
    EXPECT_EQ(window.View().Editor().tabWidth, 5) << "numbers follow the atoi rule";
    EXPECT_EQ(window.View().Editor().maxChars, 60);
    EXPECT_FALSE(window.View().Editor().dosMode);
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST(DialogBarTest, KeymapBoxSelectsTheFirstEntryBeginningWithTheName)
{
    struct Case {
        std::vector<std::string> files;
        std::string current;
        QString selected;
    };
    const Case cases[] = {
        {{"main.kbd", "kolb.kbd", "ziba2.kbd"}, "main.kbd", "main.kbd"},
        {{"main.kbd", "kolb.kbd"}, "KOLB", "kolb.kbd"},         // case-insensitive prefix
        {{"Zeta.kbd", "alpha.kbd", "beta.kbd"}, "alpha.kbd", "alpha.kbd"}, // sorted first, still found
        {{"main.kbd", "main.kbd.old.kbd"}, "main.kbd", "main.kbd"}, // the keymap in use, not a longer name
        {{"main.kbd", "main2.kbd"}, "main", "main2.kbd"},           // prefix search starts after the first entry
        {{"main.kbd"}, "absent.kbd", ""},
        {{}, "main.kbd", ""},
    };
    for (const Case& c : cases) {
        app::DialogBar bar;
        bar.FillKeymapBox(c.files, c.current);
        EXPECT_EQ(bar.KeymapBox()->currentText(), c.selected) << c.current;
        EXPECT_EQ(bar.KeymapBox()->count(), static_cast<int>(c.files.size()));
    }
    app::DialogBar bar;
    bar.FillKeymapBox({"b.kbd", "A.kbd", "c.kbd"}, "");
    EXPECT_EQ(bar.KeymapBox()->itemText(0), "A.kbd");
    EXPECT_EQ(bar.KeymapBox()->itemText(2), "c.kbd");
}

TEST_F(MainFrameTest, NamesLongerThanTheFieldsAreCutTo79Characters)
{
    InstallKeymap("main.kbd");
    const std::string longFace(120, 'f');
    services.settings.WriteString("Settings", "font", longFace);
    services.settings.WriteString("Settings", "keyfile", "main.kbd" + std::string(100, 'k'));
    CMainFrame& window = CreateFrame();

    EXPECT_EQ(window.CurrentFaceName(), std::string(79, 'f'));
    EXPECT_EQ(BoxText(res::FaceNameBox).size(), 79);
    EXPECT_EQ(window.CurrentKeymapName().size(), 79u);
}

TEST_F(MainFrameTest, LongFaceNameFromADocumentHeaderIsCut)
{
    InstallMainKeymapAfterFirstRun();
    const std::string path = folder.Write("long.txf", app::FormatHeaderLine(std::string(150, 'h'), 20, "main.kbd") + "\r\n");
    services.settings.WriteString("Temp", "LastFile", path);
    CMainFrame& window = CreateFrame();
    EXPECT_EQ(window.CurrentFaceName(), std::string(79, 'h'));
    EXPECT_EQ(BoxText(res::FaceNameBox), QString(79, 'h'));
    EXPECT_EQ(window.CurrentSize(), 20);
    ASSERT_TRUE(CloseFrame());
    EXPECT_EQ(services.settings.ReadString("Settings", "font", ""), std::string(79, 'h'));
}

TEST_F(MainFrameTest, MenusHaveTheirItemsInOrder)
{
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();
    const std::vector<std::pair<QString, QStringList>> expected = {
        {"&File", {"&New\tCtrl+N", "&Open...\tCtrl+O", "&Revert\tCtrl+R", "&Save\tCtrl+S", "Save &As...", "-",
                   "Import Unicode Text...", "Export as Unicode Text...", "-", "Next F&ile	Num +", "Pre&vious File	Num -",
                   "-", "Recent File", "-", "E&xit	Escape"}},
        {"&Edit", {"&Undo\tCtrl+Z", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "Select &All\tCtrl+A", "-",
                   "&Find ...\tCtrl+F", "Find Next\tF3", "&Replace...\tCtrl+H", "-", "Insert &Date...\tCtrl+D",
                   "Insert &Time...\tCtrl+T", "-", "Scratch S&elect ...\tF12", "&Set Font...\tAlt+F7", "&Dorvantil..."}},
        {"&Tools", {"Resemble ...\tCtrl+B", "&Justify to window ...\tCtrl+J", "&Batch Conevrt ...", "-",
                    "Divane Quvel ...\tCtrl+1", "&Random Ghazal \tCtrl+Q", "-", "&Settings ...\tCtrl+0"}},
        {"&View", {"&Toolbar", "&Status Bar", "-", "Maximize/Restore\tAlt+F1", "Minimize window\tCtrl+M", "-",
                   "Stati&cs..."}},
        {"&Help", {"&About Kelmora_F...", "-", "&Shortcut Keys..."}},
    };
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
    for (size_t m = 0; m < expected.size(); ++m) {
        SCOPED_TRACE(expected[m].first.toStdString());
        EXPECT_EQ(menus[m]->text(), expected[m].first);
        QStringList items;
        for (QAction* item : menus[m]->menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        EXPECT_EQ(items, expected[m].second);
    }
}

TEST_F(MainFrameTest, CommandsHaveTheirKeysAndPrompts)
{
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();
    struct Case {
        int id;
        QList<QKeySequence> keys;
        QString prompt;
    };
    const Case cases[] = {
        {res::FileSave, {QKeySequence("Ctrl+S")}, "Saves the active document"},
        {res::FileSaveAs, {}, "Saves the active document with a new name"},
        {res::AppExit, {QKeySequence(Qt::Key_Escape)}, "Quit the application; prompts to save documents"},
        {res::EditUndo, {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}, "Undo the last action"},
        {res::EditCut, {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}, "Cut the selection and put it on the Clipboard"},
        {res::EditCopy, {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}, "Copy the selection and put it on the Clipboard"},
        {res::EditPaste, {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}, "Insert Clipboard contents"},
        {res::EditFind, {QKeySequence("Ctrl+F"), QKeySequence("Ctrl+F3")}, "Find the specified text"},
        {res::SetFont, {QKeySequence("Alt+F7")}, "Select Font"},
        {res::LaunchKeymapEditor, {}, "Execute Dorvantil"},
        {res::MaximizeRestore, {QKeySequence("Alt+F1")}, "Maximize or Restore Window Position"},
        {res::MinimizeWindow, {QKeySequence("Ctrl+M"), QKeySequence("Shift+Esc")}, "Minimize window"},
        // Num + and Num - are matched by the window itself (FileCommandsTest presses them).
        {res::NextFile, {}, ""},
        {res::PreviousFile, {}, ""},
        {res::FocusScratchBox, {QKeySequence("Alt+F2")}, ""},
        {res::FocusSizeBox, {QKeySequence("Alt+F3")}, ""},
        {res::BackToEditor, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::KeypadModifier | Qt::Key_Enter), QKeySequence(Qt::Key_Tab), QKeySequence("Alt+`")}, ""},
        {res::Settings, {QKeySequence("Ctrl+0")}, "Show Configuration Dialog"},
        {res::Statistics, {}, "View statics of current document."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        QAction* action = window.Action(c.id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->shortcuts(), c.keys);
        EXPECT_EQ(action->statusTip(), c.prompt);
        EXPECT_EQ(action->data().toInt(), c.id);
    }
    EXPECT_EQ(window.Action(res::Resemble)->toolTip(), "Resemble");
    EXPECT_EQ(window.Bar().findChild<QWidget*>(res::ObjectName(res::KeymapBox))->statusTip(),
              "Select a dorvantil file for the current font");
}

TEST_F(MainFrameTest, CommandsNobodyHandlesYetAreDisabled)
{
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();
    const int disabled[] = {res::FileMruFirst};
    const int enabled[] = {res::EditSelectAll, res::FileNew, res::FileOpen, res::FileRevert, res::FileSave, res::FileSaveAs, res::AppExit,
                           res::EditUndo, res::EditCut, res::EditCopy, res::EditPaste, res::SetFont,
                           res::LaunchKeymapEditor, res::ViewToolbar, res::ViewStatusBar, res::MaximizeRestore,
                           res::MinimizeWindow, res::NextFile, res::PreviousFile, res::Resemble, res::Justify,
                           res::Settings, res::DivaneQuvel, res::RandomGhazal, res::AppAbout, res::ShortcutKeys,
                           res::ScratchSelect, res::BatchConvert, res::EditFind, res::EditFindNext,
                           res::EditReplace, res::InsertDate, res::InsertTime, res::Statistics,
                           res::FileImportUnicode, res::FileExportUnicode};
    for (int id : disabled)
        EXPECT_FALSE(window.Action(id)->isEnabled()) << id;
    for (int id : {res::SetFont, res::LaunchKeymapEditor, res::ScratchAdd, res::ScratchDelete})
        EXPECT_TRUE(window.Bar().findChild<QWidget*>(res::ObjectName(id))->isEnabled()) << id;
    for (int id : enabled)
        EXPECT_TRUE(window.Action(id)->isEnabled()) << id;
}

TEST_F(MainFrameTest, ToolBarAndDialogBarHoldTheirControls)
{
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();
    QStringList buttons;
    for (QAction* action : window.ToolBar().actions()) {
        buttons << (action->isSeparator() ? QStringLiteral("-") : QString::number(action->data().toInt()));
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
        }
    }
    EXPECT_EQ(buttons, QStringList({"57600", "57601", "-", "57643", "-", "57635", "57634", "57637", "-", "32782", "-",
                                    "32781", "32783", "32780", "-", "57664"}));

    for (int id : {res::KeymapBox, res::FaceNameBox, res::SetFont, res::SizeBox, res::ScratchBox, res::ScratchAdd,
                   res::ScratchDelete, res::LaunchKeymapEditor, res::HiddenForward, res::HiddenBack,
                   res::ScratchSideList1, res::ScratchSideList2})
        EXPECT_NE(window.Bar().findChild<QWidget*>(res::ObjectName(id)), nullptr) << id;
    QStringList sizes;
    for (int i = 0; i < window.Bar().SizeBox()->count(); ++i)
        sizes << window.Bar().SizeBox()->itemText(i);
    EXPECT_EQ(sizes, QStringList({"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"}));
    EXPECT_TRUE(window.Bar().FaceNameBox()->isReadOnly());
}

TEST_F(MainFrameTest, StatusPanesShowClockLanguageAndPosition)
{
    InstallKeymap("main.kbd");
    struct Case {
        int hour, minute;
        const char* text;
    };
    const Case times[] = {{21, 5, "09:05  PM "}, {9, 5, "09:05  AM "}, {0, 30, "12:30  AM "}, {12, 0, "12:00  PM "},
                          {11, 59, "11:59  AM "}};
    for (const Case& c : times) {
        platform::LocalTime t;
        t.hour = c.hour;
        t.minute = c.minute;
        EXPECT_EQ(app::ClockText(t), c.text);
    }

    CMainFrame& window = CreateFrame();
    app::MainStatusBar& status = window.Status();
    EXPECT_EQ(status.PaneText(res::PaneClock), "09:05  PM ");
    EXPECT_EQ(status.PaneText(res::PaneLanguage), "Persian");
    EXPECT_EQ(status.PaneText(res::PanePosition), "   1 :   0");
    EXPECT_EQ(status.currentMessage(), "Ready");
    status.showMessage("Select Font");
    status.clearMessage();
    EXPECT_EQ(status.currentMessage(), "Ready") << "the idle prompt comes back after a hover prompt";

    // Caret at the logical start of a line (end of its string) and elsewhere.
    editctl::EditWindow& edit = window.View().Editor().Window();
    edit.SetText(std::string("\xC1\xC2\xC3\r\n\xC4\xC5", 7));
    struct Place {
        int caret;
        const char* text;
    };
    for (const Place& p : {Place{3, "   1 :   0"}, Place{0, "   1 :   3"}, Place{1, "   1 :   2"}, Place{7, "   2 :   0"},
                           Place{5, "   2 :   2"}}) {
        edit.SetSel(p.caret, p.caret);
        window.UpdateStatusPanes();
        EXPECT_EQ(status.PaneText(res::PanePosition), p.text) << p.caret;
    }

    window.View().Editor().englishMode = true;
    clock.time.hour = 10;
    clock.time.minute = 7;
    window.UpdateStatusPanes();
    EXPECT_EQ(status.PaneText(res::PaneLanguage), "English");
    EXPECT_EQ(status.PaneText(res::PaneClock), "10:07  AM ");
}

TEST_F(MainFrameTest, ProgressModeShowsLabelAndBarOverThePanes)
{
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();
    window.show();
    app::MainStatusBar& status = window.Status();
    platform::ProgressDisplay& progress = status;
    progress.Show("Converting");
    progress.SetRange(0, 5'000'000'000LL);
    progress.SetPos(2'500'000'000LL);
    EXPECT_TRUE(status.InProgressMode());
    EXPECT_EQ(status.ProgressLabel()->text(), "Converting");
    EXPECT_TRUE(status.ProgressBar()->isVisible());
    EXPECT_EQ(status.ProgressLabel()->geometry(), QRect(5, 2, 70, status.height() - 4));
    EXPECT_EQ(status.ProgressBar()->geometry(), QRect(80, 2, 160, status.height() - 4));
    EXPECT_EQ(status.ProgressBar()->value(), status.ProgressBar()->maximum() / 2) << "64-bit ranges scale";
    EXPECT_FALSE(status.findChild<QLabel*>(res::ObjectName(res::PaneClock))->isVisible());

    EXPECT_EQ(status.currentMessage(), "") << "the label replaces the prompt";
    progress.Hide();
    EXPECT_FALSE(status.InProgressMode());
    EXPECT_EQ(status.currentMessage(), "Ready");
    EXPECT_FALSE(status.ProgressBar()->isVisible());
    EXPECT_TRUE(status.findChild<QLabel*>(res::ObjectName(res::PaneClock))->isVisible());
}

TEST_F(MainFrameTest, SetFontTakesTheChosenFaceAndPointSize)
{
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();
    QFont offered;
    std::optional<QFont> answer;
    window.SetFontChooser([&](const QFont& initial) {
        offered = initial;
        return answer;
    });

    window.RunCommand(res::SetFont); // cancelled
    EXPECT_EQ(offered.family(), "nasim web homa");
    EXPECT_EQ(offered.pointSize(), 24);
    EXPECT_EQ(window.CurrentSize(), 24);

    QFont chosen(QStringLiteral("Nazli"));
    chosen.setPointSizeF(18.6);
    answer = chosen;
    window.RunCommand(res::SetFont);
    EXPECT_EQ(window.CurrentFaceName(), "Nazli");
    EXPECT_EQ(window.CurrentSize(), 18) << "the size is cut to whole points";
    EXPECT_EQ(BoxText(res::FaceNameBox), "Nazli");
    EXPECT_EQ(BoxText(res::SizeBox), "18");
    EXPECT_EQ(window.View().Editor().fontFace, "Nazli");
    EXPECT_EQ(window.View().Editor().fontHeight, 18);

    // A family installed from two foundries is offered as "Homa [farsiweb]": the family goes on.
    answer = QFont(QStringLiteral("Homa [farsiweb]"));
    window.RunCommand(res::SetFont);
    EXPECT_EQ(window.CurrentFaceName(), "Homa");
    EXPECT_EQ(BoxText(res::FaceNameBox), "Homa");
    EXPECT_EQ(window.View().Editor().fontFace, "Homa");
}

TEST_F(MainFrameTest, SizeBoxSelectionChangesTheEditFont)
{
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();
    window.View().Editor().modified = false;
    QComboBox* sizes = window.Bar().SizeBox();
    sizes->setCurrentIndex(sizes->findText("36"));
    emit sizes->activated(sizes->currentIndex());
    EXPECT_EQ(window.CurrentSize(), 36);
    EXPECT_EQ(window.View().Editor().fontHeight, 36);
    EXPECT_EQ(window.View().Editor().fontFace, "nasim web homa");
    EXPECT_FALSE(window.View().Editor().modified);
}

TEST_F(MainFrameTest, KeymapEditorIsStartedFromTheProgramFolder)
{
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();
    QString program, workingFolder;
    window.SetLauncher([&](const QString& p, const QString& f) {
        program = p;
        workingFolder = f;
    });
    window.RunCommand(res::LaunchKeymapEditor);
    const QString expectedFolder = QString::fromStdString(folder.Path());
    EXPECT_EQ(workingFolder, expectedFolder);
    EXPECT_EQ(program, expectedFolder + "/dorvantil");
    EXPECT_TRUE(services.messages.shown.size() <= 1u) << "nothing but the first-run note is reported";
}

TEST_F(MainFrameTest, MaximizeRestoreTogglesItsOwnFlag)
{
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();
    window.show();
    window.RunCommand(res::MaximizeRestore);
    EXPECT_TRUE(window.Maximised());
    EXPECT_TRUE(window.isMaximized());
    window.RunCommand(res::MaximizeRestore);
    EXPECT_FALSE(window.Maximised());
    EXPECT_FALSE(window.isMaximized());
    // Maximised by other means: the first use maximises again, the second restores.
    window.showMaximized();
    window.RunCommand(res::MaximizeRestore);
    EXPECT_TRUE(window.isMaximized());
    window.RunCommand(res::MaximizeRestore);
    EXPECT_FALSE(window.isMaximized());
}

TEST_F(MainFrameTest, ExitStoresWhatTheSettingsAllow)
{
    InstallKeymap("main.kbd");
    struct Case {
        int saveOnExit;
        int saveWindow;
        bool hideToolBar;
    };
    for (const Case c : {Case{1, 1, false}, Case{1, 0, true}, Case{0, 1, false}, Case{0, 0, true}}) {
        SCOPED_TRACE(testing::Message() << c.saveOnExit << c.saveWindow << c.hideToolBar);
        fakes::FakeServices local;
        local.settings.WriteString("Temp", "KelmDir", folder.Path());
        local.settings.WriteInt("Settings", "SaveOnExit", c.saveOnExit);
        local.settings.WriteInt("Settings", "SaveWPonExit", c.saveWindow);
        local.settings.WriteInt("Temp", "FirstTime", 0);
        CMainFrame& window = CreateFrame();
        window.show();
        if (c.hideToolBar)
            window.Action(res::ViewToolbar)->trigger();
        ASSERT_TRUE(CloseFrame());

        auto& s = local.settings;
        EXPECT_EQ(s.ReadString("Temp", "LastFile", "?"), "UnTitled.txf");
        EXPECT_EQ(s.Contains("Settings", "PosX"), c.saveWindow != 0);
        EXPECT_EQ(s.Contains("Settings", "font"), c.saveOnExit != 0);
        EXPECT_EQ(s.Contains("Settings", "T1Show"), c.saveOnExit != 0);
        if (c.saveWindow) {
            EXPECT_EQ(s.ReadInt("Settings", "PosX", 0), 100);
            EXPECT_EQ(s.ReadInt("Settings", "SizeX", 0), 500);
            EXPECT_EQ(s.ReadInt("Settings", "SizeY", 0), 300);
        }
        if (c.saveOnExit) {
            EXPECT_EQ(s.ReadString("Settings", "font", ""), "nasim web homa");
            EXPECT_EQ(s.ReadString("Settings", "keyfile", ""), "main.kbd");
            EXPECT_EQ(s.ReadInt("Settings", "size", 0), 24);
            EXPECT_EQ(s.ReadInt("Settings", "T1Show", -5), c.hideToolBar ? 0 : 1);
            // A hidden bar's placement is not stored; a visible floating one's is, so it comes
            // back where it was.
            EXPECT_EQ(s.Contains("Settings", "T1PosX"), !c.hideToolBar);
            if (!c.hideToolBar) {
                EXPECT_EQ(s.ReadInt("Settings", "T1Dock", -5), 1);
                EXPECT_EQ(s.ReadInt("Settings", "T1PosX", 0), 100);
                EXPECT_EQ(s.ReadInt("Settings", "T1PosY", 0), 100);
            }
        }
    }
}

TEST_F(MainFrameTest, HiddenToolBarStaysHiddenAfterRestart)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& first = CreateFrame();
    first.show();
    first.Action(res::ViewToolbar)->trigger();
    EXPECT_TRUE(first.ToolBar().isHidden());
    ASSERT_TRUE(CloseFrame());
    EXPECT_EQ(services.settings.ReadInt("Settings", "T1Show", 1), 0);

    CMainFrame& second = CreateFrame();
    second.show();
    EXPECT_TRUE(second.ToolBar().isHidden());
    EXPECT_FALSE(second.Action(res::ViewToolbar)->isChecked());
}

TEST_F(MainFrameTest, CancelInTheSaveQuestionKeepsTheWindowOpen)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    window.show();
    window.View().Editor().Window().SetText("\xC1\xC2");
    window.View().Editor().modified = true;
    // The real warning is modal; here it is answered with Cancel by closing it at once.
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.View().Editor().modified);
    EXPECT_EQ(window.View().Text(), "\xC1\xC2");
    EXPECT_FALSE(services.settings.Contains("Temp", "LastFile"));
}


keymap::KeyMap LoadedMap(const std::string& name)
{
    keymap::KeyMap map;
    EXPECT_TRUE(map.Load(name)) << name;
    return map;
}

TEST_F(MainFrameTest, KeymapBoxChangeConvertsTheText)
{
    InstallKeymap("main.kbd");
    InstallKeymap("kolb.kbd");
    services.settings.WriteInt("Temp", "FirstTime", 0);
    CMainFrame& window = CreateFrame();
    const std::string sentence = "سلام، کتاب‌های فارسی\nمی‌خوانیم ۱۲ لا";
    const keymap::KeyMap mainMap = LoadedMap("main.kbd");
    const keymap::KeyMap kolbMap = LoadedMap("kolb.kbd");
    const std::string mainText = keymap::GlyphTextOf(mainMap, sentence);
    ASSERT_FALSE(mainText.empty());
    for (const bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        window.View().ReplaceText(mainText);
        window.View().Editor().modified = modified;
        QComboBox* box = window.Bar().KeymapBox();
        box->setCurrentIndex(box->findText("kolb.kbd"));
        emit box->activated(box->currentIndex());

        EXPECT_EQ(window.CurrentKeymapName(), "kolb.kbd");
        EXPECT_EQ(window.View().BoundKeyMap().FileName(), "kolb.kbd");
        EXPECT_NE(window.View().Text(), mainText) << "the two fonts number their glyphs differently";
        EXPECT_EQ(keymap::UnicodeBridge(kolbMap).ExportUtf8(window.View().Text()),
                  keymap::UnicodeBridge(mainMap).ExportUtf8(mainText));
        EXPECT_EQ(window.View().Text(), keymap::GlyphTextOf(kolbMap, sentence));
        EXPECT_TRUE(window.View().Editor().modified) << "the file still holds the old encoding";
        EXPECT_FALSE(window.Status().InProgressMode()) << "progress ends with the conversion";

        box->setCurrentIndex(box->findText("main.kbd"));
        emit box->activated(box->currentIndex());
        EXPECT_EQ(window.View().Text(), mainText) << "and back again";
        EXPECT_EQ(window.View().BoundKeyMap().FileName(), "main.kbd");
    }
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(MainFrameTest, UnreadableKeymapInTheBoxLeavesTextAndKeymapAlone)
{
    InstallKeymap("main.kbd");
    folder.Write("KeyMaps/broken.kbd", "not a keymap\r\n");
    services.settings.WriteInt("Temp", "FirstTime", 0);
    CMainFrame& window = CreateFrame();
    const std::string text = keymap::GlyphTextOf(LoadedMap("main.kbd"), "کتاب");
    window.View().ReplaceText(text);
    QComboBox* box = window.Bar().KeymapBox();
    box->setCurrentIndex(box->findText("broken.kbd"));
    emit box->activated(box->currentIndex());

    EXPECT_EQ(window.View().Text(), text);
    EXPECT_EQ(window.CurrentKeymapName(), "main.kbd");
    EXPECT_EQ(window.View().BoundKeyMap().FileName(), "main.kbd");
    EXPECT_EQ(box->currentText(), "main.kbd");
    EXPECT_EQ(services.messages.shown.size(), 1u) << "the failed load is reported once";
}

TEST_F(MainFrameTest, LastFileWithHeaderSetsTheBarsAndIsStoredAtExit)
{
    InstallKeymap("main.kbd");
    InstallKeymap("kolb.kbd");
    services.settings.WriteInt("Temp", "FirstTime", 0);
    const std::string body = keymap::GlyphTextOf(LoadedMap("kolb.kbd"), "دفتر");
    const std::string path = folder.Write("letter.txf", app::FormatHeaderLine("Homa", 30, "kolb.kbd") + "\r\n" + body + "\r\n");
    services.settings.WriteString("Temp", "LastFile", path);
    CMainFrame& window = CreateFrame();

    EXPECT_EQ(window.windowTitle(), QString::fromStdString(path + " - Kelmora"));
    EXPECT_EQ(BoxText(res::FaceNameBox), "Homa");
    EXPECT_EQ(BoxText(res::SizeBox), "30");
    EXPECT_EQ(window.CurrentKeymapName(), "kolb.kbd");
    EXPECT_EQ(BoxText(res::KeymapBox), "kolb.kbd") << "the box is filled after the header was adopted";
    EXPECT_EQ(window.View().BoundKeyMap().FileName(), "kolb.kbd");
    EXPECT_FALSE(window.View().Editor().modified);
    EXPECT_FALSE(window.View().Editor().headerLoaded);
    ASSERT_TRUE(CloseFrame());
    EXPECT_EQ(services.settings.ReadString("Settings", "font", ""), "Homa");
    EXPECT_EQ(services.settings.ReadInt("Settings", "size", 0), 30);
    EXPECT_EQ(services.settings.ReadString("Settings", "keyfile", ""), "kolb.kbd");
    EXPECT_EQ(services.settings.ReadString("Temp", "LastFile", ""), path);
}

TEST_F(MainFrameTest, MissingLastFileLeavesAnUntitledDocument)
{
    InstallMainKeymapAfterFirstRun();
    services.settings.WriteString("Temp", "LastFile", folder.Path() + "/gone.txf");
    CMainFrame& window = CreateFrame();
    EXPECT_EQ(window.windowTitle(), "UnTitled.txf - Kelmora");
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_NE(services.messages.shown[0].text.find("Cannot open the file"), std::string::npos);
}

TEST_F(MainFrameTest, CommandsGiveTheFocusBackToTheEditor)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    window.SetLauncher([](const QString&, const QString&) {});
    window.resize(1600, 400); // wide enough that no dialog-bar control is folded away
    window.show();
    for (int id : {res::EditCopy, res::EditPaste, res::EditCut, res::EditUndo, res::SizeBox, res::KeymapBox,
                   res::LaunchKeymapEditor, res::HiddenForward, res::BackToEditor, res::Resemble, res::Justify}) {
        window.Bar().SizeBox()->setFocus();
        window.RunCommand(id);
        EXPECT_EQ(window.focusWidget(), window.View().EditWidget()) << id;
    }
    window.RunCommand(res::FocusSizeBox);
    EXPECT_EQ(window.focusWidget(), window.Bar().SizeBox());
    window.RunCommand(res::FocusScratchBox);
    EXPECT_EQ(window.focusWidget(), window.Bar().ScratchBox());
}


TEST_F(MainFrameTest, KeysTheEditorPassesOnReachTheWindowsCommands)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    window.resize(1600, 400); // wide enough that no dialog-bar control is folded away
    window.show();
    QApplication::setActiveWindow(&window);
    window.FocusEditor();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* editor = window.View().EditWidget();

    QTest::keyClick(editor, Qt::Key_F3, Qt::AltModifier);
    EXPECT_EQ(window.focusWidget(), window.Bar().SizeBox()) << "Alt+F3";
    QTest::keyClick(window.Bar().SizeBox(), Qt::Key_Return);
    EXPECT_EQ(window.focusWidget(), editor) << "Enter in the dialog bar";
    QTest::keyClick(editor, Qt::Key_F1, Qt::AltModifier);
    EXPECT_TRUE(window.Maximised()) << "Alt+F1";

    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible()) << "Esc is the Exit command";
    EXPECT_EQ(services.settings.ReadString("Temp", "LastFile", ""), "UnTitled.txf");
    EXPECT_EQ(window.View().Text(), "") << "Esc typed nothing";
}


TEST_F(MainFrameTest, RecentFilesTakeThePlaceOfTheRecentFileItem)
{
    InstallMainKeymapAfterFirstRun();
    services.settings.WriteInt("Settings", "EnableDos", 0); // lines as written, no 80-column field
    const std::string kept = folder.Write("kept.txf", keymap::GlyphTextOf(LoadedMap("main.kbd"), "نامه"));
    const std::string gone = folder.Path() + "/gone.txf";
    recentFiles.Add(kept);
    recentFiles.Add(gone);
    CMainFrame& window = CreateFrame();

    QMenu* file = window.menuBar()->actions().front()->menu();
    emit file->aboutToShow();
    QStringList items;
    for (QAction* item : file->actions())
        if (item->isVisible())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    const QStringList expected = {"&New\tCtrl+N", "&Open...\tCtrl+O", "&Revert\tCtrl+R", "&Save\tCtrl+S", "Save &As...", "-",
                                  "Import Unicode Text...", "Export as Unicode Text...", "-",
                                  "Next F&ile	Num +", "Pre&vious File	Num -", "-",
                                  QString::fromStdString("&1 " + gone), QString::fromStdString("&2 " + kept), "-",
                                  "E&xit\tEscape"};
    EXPECT_EQ(items, expected);

    // An entry whose file is gone is reported and dropped; the other one opens.
    file->findChild<QAction*>(res::ObjectName(res::FileMruFirst))->trigger();
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_NE(services.messages.shown[0].text.find("Cannot open the file"), std::string::npos);
    ASSERT_EQ(recentFiles.Paths().size(), 1u);
    EXPECT_EQ(recentFiles.Paths()[0], kept);
    EXPECT_EQ(window.windowTitle(), "UnTitled.txf - Kelmora");
    file->findChild<QAction*>(res::ObjectName(res::FileMruFirst))->trigger();
    EXPECT_EQ(window.windowTitle(), QString::fromStdString(kept + " - Kelmora"));
    EXPECT_EQ(window.View().Text(), keymap::GlyphTextOf(LoadedMap("main.kbd"), "نامه"));
}


TEST_F(MainFrameTest, ClipboardCommandsMoveTextAndMarkTheDocument)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    const std::string word = keymap::GlyphTextOf(LoadedMap("main.kbd"), "کتاب");
    const std::string other = keymap::GlyphTextOf(LoadedMap("main.kbd"), "دفتر");
    editctl::PersianEdit& editor = window.View().Editor();
    editor.Window().SetText(other + " " + word);
    const int wordStart = static_cast<int>(other.size() + 1);
    const int end = static_cast<int>(other.size() + 1 + word.size());
    editor.modified = false;

    editor.Window().SetSel(wordStart, end);
    window.RunCommand(res::EditCopy);
    EXPECT_FALSE(editor.modified) << "Copy changes nothing";
    EXPECT_EQ(window.View().Text(), other + " " + word);

    window.RunCommand(res::EditCut);
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(window.View().Text(), other + " ");

    editor.modified = false;
    editor.Window().SetSel(0, 0);
    window.RunCommand(res::EditPaste);
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(window.View().Text(), word + other + " ");

    // Select All takes the whole text, the last line included.
    editor.Window().SetText(word + "\r\n" + other);
    editor.Window().SetSel(1, 1);
    window.RunCommand(res::EditSelectAll);
    int start = -1, stop = -1;
    editor.Window().GetSel(start, stop);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(stop, editor.Window().GetTextLength());
    EXPECT_EQ(window.focusWidget(), window.View().EditWidget());
}

TEST_F(MainFrameTest, MenuCutThenUndoBringsBackTheCutTextOnly)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    editctl::PersianEdit& editor = window.View().Editor();
    const std::string word = keymap::GlyphTextOf(LoadedMap("main.kbd"), "کتاب");
    editor.Window().SetText(word);
    editor.Window().SetSel(0, 0);
    ASSERT_TRUE(editor.PreTranslateMessage(editctl::KeyEvent{0x41})); // a letter typed before the cut
    const std::string typed = window.View().Text();
    ASSERT_NE(typed, word);

    editor.Window().SetSel(0, static_cast<int>(typed.size()));
    window.RunCommand(res::EditCut);
    EXPECT_EQ(window.View().Text(), "");
    window.RunCommand(res::EditUndo);
    EXPECT_EQ(window.View().Text(), typed) << "the letter typed before the cut stays";
}

TEST_F(MainFrameTest, MaximizedWindowStoresTheRectangleItRestoresTo)
{
    InstallMainKeymapAfterFirstRun();
    for (const auto& [key, value] : {std::pair{"PosX", 120}, {"PosY", 90}, {"SizeX", 520}, {"SizeY", 310}})
        services.settings.WriteInt("Settings", key, value);
    CMainFrame& window = CreateFrame();
    window.show();
    window.RunCommand(res::MaximizeRestore);
    ASSERT_TRUE(window.isMaximized());
    ASSERT_TRUE(QTest::qWaitFor([&window] { return window.width() > 520; })) << "the platform maximized it";
    ASSERT_TRUE(CloseFrame());
    EXPECT_EQ(services.settings.ReadInt("Settings", "SizeX", 0), 520);
    EXPECT_EQ(services.settings.ReadInt("Settings", "SizeY", 0), 310);
    EXPECT_EQ(services.settings.ReadInt("Settings", "PosX", 0), 120);
    EXPECT_EQ(services.settings.ReadInt("Settings", "PosY", 0), 90);
}

TEST_F(MainFrameTest, PositionPaneFollowsTheCaretHoweverItMoves)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    window.show();
    app::MainStatusBar& status = window.Status();
    editctl::EditWindow& edit = window.View().Editor().Window();
    edit.SetText(keymap::GlyphTextOf(LoadedMap("main.kbd"), "کتاب\r\nدفتر"));
    const auto position = [&status] { return status.PaneText(res::PanePosition); };

    // Moved by a command, with no key or click in the editor.
    edit.SetSel(edit.GetTextLength(), edit.GetTextLength());
    EXPECT_TRUE(QTest::qWaitFor([&] { return position() == "   2 :   0"; })) << position().toStdString();

    // Moved by a click at the left end of the first line: its logical end.
    QWidget* viewport = static_cast<QAbstractScrollArea*>(window.View().EditWidget())->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(2, 3));
    EXPECT_TRUE(QTest::qWaitFor([&] { return position() == "   1 :   4"; })) << position().toStdString();
}

} // namespace
} // namespace apptest
