/** @file CMainFrame.cpp
 ** Creation of the main window, command routing, start-up set-up, settings, status panes and exit. **/
#include "app/CMainFrame.h"

#include "app/CommandTable.h"
#include "app/CrashRecovery.h"
#include "editctl/PersianEdit.h"
#include "app/DialogBar.h"
#include "app/DocumentFileDialog.h"
#include "app/EditCommands.h"
#include "app/EditorView.h"
#include "app/ExitState.h"
#include "app/FileCommands.h"
#include "app/FirstRunFonts.h"
#include "app/HelpCommands.h"
#include "app/LocalText.h"
#include "app/MainStatusBar.h"
#include "app/ToolBarIcons.h"
#include "app/ToolBarPlacement.h"
#include "app/ToolsCommands.h"
#include "app/UnicodeFileDialog.h"
#include "app/ViewCommands.h"
#include "extras/SplashWindow.h"
#include "extras/WarningDialogs.h"
#include "platform/DataFolders.h"
#include "platform/Services.h"
#include "res/PromptStrings.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QKeyEvent>
#include <QCloseEvent>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <ctime>

namespace app {
namespace {

constexpr int ClockMilliseconds = 10000;

} // namespace

CMainFrame::CMainFrame(RecentFileList& recentFiles, const platform::Clock& clock, QWidget* parent)
    : QMainWindow(parent), recentFiles(recentFiles), clock(clock), settings(platform::Settings()),
      documents(*this, recentFiles, settings)
{
    // Random choices (poems, Resemble's) differ from one run to the next.
    random.Seed(static_cast<std::uint32_t>(std::time(nullptr)));
    setObjectName(res::ObjectName(res::MainFrameResource));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CMainFrame::~CMainFrame()
{
    // The recovery keeper watches the editor, which the view owns: it goes before the view does
    // (children would be deleted in the order they were made, the view first).
    delete recovery;
    recovery = nullptr;
}

bool CMainFrame::Create()
{
    setWindowIcon(WindowIcon());
    view = new EditorView(this);
    setCentralWidget(view);
    view->EditWidget()->installEventFilter(this);
    connect(view, &EditorView::CaretMoved, this, &CMainFrame::ScheduleStatusUpdate);

    BuildActions();
    BuildMenus();
    BuildToolBar();
    statusBar = new MainStatusBar(this);
    setStatusBar(statusBar);
    BuildDialogBar();
    converter.SetProgressDisplay(statusBar);
    saveChangesWarning = new extras::SaveChangesWarning(this);
    revertWarning = new extras::RevertWarning(this);
    RegisterCommandGroups();

    InitialiseEditor();
    SetRecoveryFolder(recoveryFolder);
    setAcceptDrops(true);
    SetTitle(DocumentCommands::TitleFor(documents.CurrentPath()));
    FocusEditor();

    statusBar->ShowAllPanes();
    clockTimer = new QTimer(this);
    clockTimer->setObjectName(res::ObjectName(res::StatusClockTimer));
    clockTimer->setInterval(ClockMilliseconds);
    connect(clockTimer, &QTimer::timeout, this, &CMainFrame::UpdateStatusPanes);
    clockTimer->start();
    UpdateStatusPanes();

    // Whether the splash may show was decided once at start-up ("SplashScreen", no file named).
    extras::ShowSplash(this);
    UserFontInstaller installer(QDir::currentPath().toStdString());
    InstallFirstRunFonts("fonts.cfg", installer, settings, platform::Messages());
    UpdateActionStates();
    return true;
}

void CMainFrame::BuildActions()
{
    for (const CommandEntry& command : Commands()) {
        auto* action = new QAction(QString::fromLatin1(command.menuText), this);
        action->setObjectName(res::ObjectName(command.id));
        action->setData(command.id);
        action->setStatusTip(QString::fromStdString(res::StatusPrompt(command.id)));
        const std::string tip = res::ToolTip(command.id);
        if (!tip.empty())
            action->setToolTip(QString::fromStdString(tip));
        QList<QKeySequence> keys(command.keys.begin(), command.keys.end());
        // Keypad keys are matched by the window itself (KeypadCommand): Qt's matching would either
        // miss them or take the main keyboard's twins for them.
        if (!IsDialogBarOnly(command.id))
            keys.removeIf([](const QKeySequence& key) { return IsKeypadKey(key); });
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        actions[id] = action;
        // Keys-only commands still need a widget to listen on.
        if (command.menuText[0] == '\0' && !IsDialogBarOnly(id))
            addAction(action);
    }
}

void CMainFrame::BuildMenus()
{
    for (const MenuEntry& entry : MenuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(entry.title));
        menu->setObjectName(QString::fromLatin1(entry.title).remove(QLatin1Char('&')) + QStringLiteral("Menu"));
        for (int id : entry.items) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(actions.at(id));
        }
        if (entry.items.front() == res::FileNew)
            fileMenu = menu;
    }
    recentPlaceholder = actions.at(res::FileMruFirst);
    // Menus are refreshed when they open, like the framework's update of pop-up items.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActionStates);
}

void CMainFrame::BuildToolBar()
{
    toolBar = new QToolBar(QStringLiteral("Standard"), this);
    toolBar->setObjectName(res::ObjectName(res::MainFrameResource) + QStringLiteral("ToolBar"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : ToolBarLayout()) {
        if (id == 0) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = actions.at(id);
        action->setIcon(ToolBarIcon(id));
        toolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, toolBar);
    connect(actions.at(res::ViewToolbar), &QAction::toggled, toolBar, &QToolBar::setVisible);
}

void CMainFrame::BuildDialogBar()
{
    dialogBar = new DialogBar(this);
    // A row of its own: beside a docked tool bar its controls would fold away at the default width.
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, dialogBar);
    connect(dialogBar, &DialogBar::Command, this, &CMainFrame::RunCommand);
    // Enter, Tab and Alt+` bring the focus back to the editor from the bar's controls.
    QAction* back = actions.at(res::BackToEditor);
    back->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    dialogBar->addAction(back);
    dialogBar->widgetForAction(back);
}

void CMainFrame::RegisterCommandGroups()
{
    // One group per menu area. An id belongs to one group only: a group claiming a taken id would
    // be refused, and its commands would stay disabled (the window's tests list them all).
    commands.Add(std::make_unique<FileCommands>(*this, *this));
    commands.Add(std::make_unique<EditCommands>(*this));
    viewCommands = commands.Add(std::make_unique<ViewCommands>(*this, *this, *statusBar));
    commands.Add(std::make_unique<ToolsCommands>(*this));
    commands.Add(std::make_unique<HelpCommands>(*this));
    dialogBarCommands = commands.Add(std::make_unique<DialogBarCommands>(*this, *dialogBar));
    actions.at(res::ViewToolbar)->setCheckable(true);
    actions.at(res::ViewStatusBar)->setCheckable(true);
    UpdateActionStates();
}

void CMainFrame::UpdateActionStates()
{
    for (auto& [id, action] : actions)
        action->setEnabled(commands.IsEnabled(id));
    QAction* toolbarItem = actions.at(res::ViewToolbar);
    const QSignalBlocker block(toolbarItem);
    toolbarItem->setChecked(toolBar && !toolBar->isHidden());
    actions.at(res::ViewStatusBar)->setChecked(statusBar && !statusBar->isHidden());
    // Dialog-bar buttons without a handler are disabled like menu items.
    if (dialogBar)
        for (int id : {res::SetFont, res::ScratchAdd, res::ScratchDelete, res::LaunchKeymapEditor})
            if (auto* button = dialogBar->findChild<QWidget*>(res::ObjectName(id)))
                button->setEnabled(commands.IsEnabled(id));
    RebuildRecentMenu();
}

bool CMainFrame::IsCommandEnabled(int id) const { return commands.IsEnabled(id); }

bool CMainFrame::Maximised() const { return viewCommands && viewCommands->Maximised(); }

void CMainFrame::SetFontChooser(FontChooser chooser)
{
    if (dialogBarCommands)
        dialogBarCommands->SetFontChooser(std::move(chooser));
}

void CMainFrame::SetLauncher(Launcher launch)
{
    if (dialogBarCommands)
        dialogBarCommands->SetLauncher(std::move(launch));
}

platform::MessageService& CMainFrame::Messages() { return platform::Messages(); }

platform::ProgressDisplay& CMainFrame::Progress() { return *statusBar; }

QAction* CMainFrame::Action(int id) const
{
    auto it = actions.find(id);
    return it == actions.end() ? nullptr : it->second;
}

void CMainFrame::RunCommand(int id)
{
    commands.Run(id);
    if (recovery)
        recovery->CheckDocumentState();
    ScheduleStatusUpdate();
}

void CMainFrame::InitialiseEditor()
{
    font.faceName = FitField(settings.FontName());
    font.keymapName = FitField(settings.KeymapFile());
    font.size = settings.FontSize();
    std::string path = DocumentCommands::UntitledPath;
    if (settings.StartWithLastDocument()) {
        const std::string last = settings.LastFile();
        path = last.empty() ? std::string(DocumentCommands::UntitledPath) : last;
    }
    // The path becomes the document's only when it was read; an unreadable last file (already
    // reported) leaves an untitled document, so a later Save cannot overwrite what is there.
    if (view->SetupEditor(font.faceName, font.size, font.keymapName, path, settings.DocumentFormatInUse()))
        documents.SetCurrentPath(path);
    view->SetModified(false);
    if (view->HeaderLoaded())
        AdoptDocumentFont();
    dialogBar->ShowFaceName(font.faceName);
    dialogBar->ShowSize(font.size);
    ApplySettings(true);
    FillKeymapBox();
    dialogBarCommands->LoadScratch();
    FocusEditor();
}

void CMainFrame::FillKeymapBox()
{
    // The shipped keymaps and the user's own together, a user keymap hiding a shipped one of its name.
    dialogBar->FillKeymapBox(platform::DataFolders(QDir::currentPath().toStdString()).Keymaps(), font.keymapName);
}

void CMainFrame::ApplySettings(bool placement)
{
    if (placement) {
        const EditorSettings::WindowRectangle rectangle =
            EditorSettings::FitToScreens(settings.WindowPlacement(), AvailableScreens());
        move(rectangle.left, rectangle.top);
        resize(rectangle.width, rectangle.height);
        PlaceToolBar(*this, *toolBar, ReadToolBarState(settings));
    }
    view->ApplyLayoutSettings(settings.TabWidth(), settings.MaxCharsForEditor(), settings.DosMode());
    justifyAfterResemble = settings.JustifyOnResemble();
}

void CMainFrame::UpdateStatusPanes()
{
    statusUpdatePending = false;
    statusBar->SetClockText(ClockText(clock.Now()));
    statusBar->SetLanguageText(view->EnglishMode() ? "English" : "Persian");
    const auto [line, column] = view->CaretPosition();
    statusBar->SetPositionText(PositionText(line, column));
}

void CMainFrame::ScheduleStatusUpdate()
{
    if (statusUpdatePending)
        return;
    statusUpdatePending = true;
    QTimer::singleShot(0, this, &CMainFrame::UpdateStatusPanes);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // What the framework's idle update did: panes follow every key and click in the editor.
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == view->EditWidget() && RunKeypadCommand(*static_cast<QKeyEvent*>(event)))
            return true;
        ScheduleStatusUpdate();
        break;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        ScheduleStatusUpdate();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::RunKeypadCommand(const QKeyEvent& event)
{
    // The key handler lets Num + and Num - through to the window's accelerators; the press
    // arrives here before the edit window would type it.
    const int id = KeypadCommand(event.keyCombination());
    if (id == 0 || !commands.IsEnabled(id))
        return false;
    RunCommand(id);
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!documents.CanClose()) {
        event->ignore();
        FocusEditor();
        return;
    }
    StoreExitState();
    dialogBarCommands->SaveScratch();
    recovery->Discard();
    event->accept();
}

void CMainFrame::StoreExitState()
{
    ExitState state;
    state.documentPath = documents.CurrentPath();
    // The size stored is the one the next start sizes the window to, so it does not grow by the
    // window manager's frame at every start. A maximized window stores the rectangle it restores
    // to. All of it is in logical pixels, as the next start places the window in them.
    const QRect client = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    const QPoint frameOffset = geometry().topLeft() - frameGeometry().topLeft();
    state.windowLeft = client.left() - frameOffset.x();
    state.windowTop = client.top() - frameOffset.y();
    state.windowWidth = client.width();
    state.windowHeight = client.height();
    state.faceName = font.faceName;
    state.keymapName = font.keymapName;
    state.size = font.size;
    const ToolBarState bar = CurrentToolBarState(*this, *toolBar);
    state.toolBarVisible = bar.visible;
    state.toolBarStyle = bar.style;
    state.toolBarLeft = bar.position.x();
    state.toolBarTop = bar.position.y();
    state.toolBarFloating = bar.floating;
    app::StoreExitState(state, settings);
}

void CMainFrame::focusInEvent(QFocusEvent* event)
{
    QMainWindow::focusInEvent(event);
    FocusEditor();
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (view)
        FocusEditor();
}

bool CMainFrame::OpenFromPath(const std::string& path) { return documents.OpenFromPath(path); }

void CMainFrame::ShowMainWindow()
{
    show();
    repaint();
    if (!recoveryOffered) {
        recoveryOffered = true;
        OfferRecovery();
    }
}

editctl::PersianEdit& CMainFrame::Editor() { return view->Editor(); }

void CMainFrame::SetTitle(const std::string& title) { setWindowTitle(LocalText(title)); }

void CMainFrame::FocusEditor()
{
    if (view)
        view->EditWidget()->setFocus(Qt::OtherFocusReason);
}

std::optional<std::string> CMainFrame::RunOpenDialog()
{
    if (!openDialog)
        openDialog = std::make_unique<DocumentFileDialog>(DocumentFileDialog::Kind::Open, this);
    return openDialog->Run();
}

std::optional<std::string> CMainFrame::RunSaveAsDialog()
{
    if (!saveAsDialog)
        saveAsDialog = std::make_unique<DocumentFileDialog>(DocumentFileDialog::Kind::SaveAs, this);
    return saveAsDialog->Run();
}

std::optional<std::string> CMainFrame::RunImportDialog()
{
    if (!importDialog)
        importDialog = std::make_unique<UnicodeFileDialog>(UnicodeFileDialog::Kind::Import, this);
    const std::optional<UnicodeFileDialog::Choice> choice = importDialog->Run();
    return choice ? std::optional<std::string>(choice->path) : std::nullopt;
}

std::optional<UnicodeExportChoice> CMainFrame::RunExportDialog()
{
    if (!exportDialog)
        exportDialog = std::make_unique<UnicodeFileDialog>(UnicodeFileDialog::Kind::Export, this);
    // The document's own folder and name, as a .txt, unless this run exported elsewhere already.
    std::string suggested;
    if (!documents.IsUntitled()) {
        const QFileInfo document(QString::fromStdString(documents.CurrentPath()));
        suggested = (document.absolutePath() + "/" + document.completeBaseName() + ".txt").toStdString();
    }
    const std::optional<UnicodeFileDialog::Choice> choice = exportDialog->Run(suggested);
    return choice ? std::optional<UnicodeExportChoice>({choice->path, choice->ends}) : std::nullopt;
}

SaveChangesAnswer CMainFrame::RunSaveChangesWarning() { return saveChangesWarning->Run(); }

bool CMainFrame::RunRevertWarning() { return revertWarning->Run(); }

void CMainFrame::AdoptDocumentFont()
{
    font.faceName = FitField(view->FontFace());
    font.size = view->FontHeight();
    font.keymapName = FitField(view->BoundKeyMap().FileName());
    dialogBar->ShowFaceName(font.faceName);
    dialogBar->ShowSize(font.size);
    // The keymap may be another now: the text is shown through it and the box names it.
    view->KeymapReloaded();
    if (dialogBarCommands)
        dialogBarCommands->ShowKeymap(font.keymapName);
    view->SetHeaderLoaded(false);
}

void CMainFrame::RecentFilesChanged() { RebuildRecentMenu(); }

void CMainFrame::RebuildRecentMenu()
{
    if (!fileMenu)
        return;
    // The old entries may be the one being triggered: they leave the menu now and go later.
    for (QAction* action : recentActions) {
        fileMenu->removeAction(action);
        action->setParent(nullptr);
        action->deleteLater();
    }
    recentActions.clear();
    const auto& paths = recentFiles.Paths();
    recentPlaceholder->setVisible(paths.empty());
    for (size_t i = 0; i < paths.size(); ++i) {
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(LocalText(paths[i]));
        auto* action = new QAction(text, fileMenu);
        action->setObjectName(res::ObjectName(res::FileMruFirst + static_cast<int>(i)));
        action->setData(res::FileMruFirst + static_cast<int>(i));
        action->setStatusTip(QString::fromStdString(res::StatusPrompt(res::FileMruFirst + static_cast<int>(i))));
        connect(action, &QAction::triggered, this, [this, i] { OnOpenRecent(i); });
        fileMenu->insertAction(recentPlaceholder, action);
        recentActions.push_back(action);
    }
}

void CMainFrame::OnOpenRecent(size_t index)
{
    const QScopeGuard check([this] { recovery->CheckDocumentState(); });
    if (recentOpener) {
        recentOpener(index);
    } else if (index < recentFiles.Paths().size()) {
        if (!OpenFromPath(recentFiles.Paths()[index]))
            recentFiles.Remove(index);
    }
    RebuildRecentMenu();
    FocusEditor();
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && recovery)
        recovery->FocusLost();
}

namespace {

std::vector<std::string> DroppedFiles(const QMimeData* data)
{
    std::vector<std::string> files;
    if (data)
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                files.push_back(FromLocalText(url.toLocalFile()));
    return files;
}

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> files = DroppedFiles(event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    documents.OpenDropped(files);
    recovery->CheckDocumentState();
    ScheduleStatusUpdate();
}

void CMainFrame::SetRecoveryFolder(const std::string& folder)
{
    recoveryFolder = folder;
    delete recovery;
    recovery = new CrashRecovery(Editor(), RecoveryFilePath(folder, CurrentPid()), [this] { return Snapshot(); }, this);
}

RecoverySnapshot CMainFrame::Snapshot()
{
    static const std::uint64_t started = ProcessStartTime(CurrentPid());
    RecoverySnapshot s;
    s.path = documents.CurrentPath();
    s.faceName = font.faceName;
    s.size = font.size;
    s.keymapName = font.keymapName;
    s.imported = documents.IsImported();
    s.savedAt = QDateTime::currentSecsSinceEpoch();
    s.ownerPid = CurrentPid();
    s.ownerStart = started;
    return s;
}

void CMainFrame::OfferRecovery()
{
    for (const FoundRecovery& found : OrphanedRecoveries(recoveryFolder)) {
        RecoveryAnswer answer = RecoveryAnswer::Later;
        const std::string question = RecoveryQuestion(found.snapshot);
        if (recoveryAsker) {
            answer = recoveryAsker(question);
        } else {
            QMessageBox box(QMessageBox::Question, "Kelmora", LocalText(question), QMessageBox::NoButton, this);
            QPushButton* recover = box.addButton("Recover", QMessageBox::AcceptRole);
            QPushButton* discard = box.addButton("Discard", QMessageBox::DestructiveRole);
            box.setEscapeButton(box.addButton("Later", QMessageBox::RejectRole));
            box.exec();
            answer = box.clickedButton() == recover   ? RecoveryAnswer::Recover
                     : box.clickedButton() == discard ? RecoveryAnswer::Discard
                                                      : RecoveryAnswer::Later;
        }
        if (answer == RecoveryAnswer::Discard)
            QFile::remove(QString::fromStdString(found.file));
        if (answer == RecoveryAnswer::Recover && Recover(found))
            break;
    }
    FocusEditor();
}

bool CMainFrame::Recover(const FoundRecovery& found)
{
    if (documents.ConfirmSaveChanges() == Confirmation::Cancel)
        return false;
    const RecoverySnapshot& s = found.snapshot;
    const extras::FontSetting setting{s.faceName, s.size, s.keymapName};
    dialogBarCommands->TakeFontSetting(setting); // a keymap that cannot be read was reported
    documents.TakeUnsavedText(s.path, s.text,
                              s.imported ? DocumentCommands::TextOrigin::UnicodeFile : DocumentCommands::TextOrigin::Document);
    // The text is safe in this process's own file before the crashed one's goes.
    recovery->Flush();
    if (recovery->Writer().LastResult().ok)
        QFile::remove(QString::fromStdString(found.file));
    return true;
}

} // namespace app
