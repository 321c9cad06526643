/** @file CMainFrame.cpp
 ** Creation of the main window, start-up set-up, settings, status panes and exit. **/
#include "app/CMainFrame.h"

#include "app/CommandTable.h"
#include "app/DialogBar.h"
#include "app/DocumentFileDialog.h"
#include "app/EditorView.h"
#include "app/ExitState.h"
#include "app/FirstRunFonts.h"
#include "app/MainStatusBar.h"
#include "app/ToolBarIcons.h"
#include "app/ToolBarPlacement.h"
#include "extras/SplashWindow.h"
#include "extras/WarningDialogs.h"
#include "platform/Services.h"
#include "platform/TextMode.h"
#include "res/PromptStrings.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace app {
namespace {

constexpr int ClockMilliseconds = 10000;

QString Local(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }

std::string FromLocal(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace

CMainFrame::CMainFrame(RecentFileList& recentFiles, const platform::Clock& clock, QWidget* parent)
    : QMainWindow(parent), recentFiles(recentFiles), clock(clock), documents(*this, recentFiles)
{
    setObjectName(res::ObjectName(res::MainFrameResource));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::Create()
{
    setWindowIcon(WindowIcon());
    view = new EditorView(this);
    setCentralWidget(view);
    view->EditWidget()->installEventFilter(this);

    BuildActions();
    BuildMenus();
    BuildToolBar();
    statusBar = new MainStatusBar(this);
    setStatusBar(statusBar);
    BuildDialogBar();
    converter.SetProgressDisplay(statusBar);
    saveChangesWarning = new extras::SaveChangesWarning(this);
    revertWarning = new extras::RevertWarning(this);
    RegisterHandlers();

    InitialiseEditor();
    SetTitle(DocumentCommands::TitleFor(documents.CurrentPath()));
    FocusEditor();

    statusBar->ShowAllPanes();
    clockTimer = new QTimer(this);
    clockTimer->setObjectName(res::ObjectName(res::StatusClockTimer));
    clockTimer->setInterval(ClockMilliseconds);
    connect(clockTimer, &QTimer::timeout, this, &CMainFrame::UpdateStatusPanes);
    clockTimer->start();
    UpdateStatusPanes();

    if (platform::Settings().ReadInt("Settings", "SplashScreen", 1) != 0)
        extras::ShowSplash(this);
    UserFontInstaller installer(QDir::currentPath().toStdString());
    InstallFirstRunFonts("fonts.cfg", installer, platform::Settings(), platform::Messages());
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
        action->setShortcuts(QList<QKeySequence>(command.keys.begin(), command.keys.end()));
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

void CMainFrame::RegisterHandlers()
{
    handlers[res::FileNew] = [this] { documents.New(); };
    handlers[res::FileOpen] = [this] { documents.Open(); };
    handlers[res::FileRevert] = [this] { documents.Revert(); };
    handlers[res::FileSave] = [this] { documents.Save(); };
    handlers[res::FileSaveAs] = [this] { documents.SaveAs(); };
    handlers[res::NextFile] = [this] { documents.NextFile(); };
    handlers[res::PreviousFile] = [this] { documents.PreviousFile(); };
    handlers[res::AppExit] = [this] { close(); };
    handlers[res::EditUndo] = [this] { view->Undo(); FocusEditor(); };
    handlers[res::EditCut] = [this] { view->Cut(); FocusEditor(); };
    handlers[res::EditCopy] = [this] { view->Copy(); FocusEditor(); };
    handlers[res::EditPaste] = [this] { view->Paste(); FocusEditor(); };
    handlers[res::SetFont] = [this] { OnSetFont(); };
    handlers[res::SizeBox] = [this] { OnSizeChange(); };
    handlers[res::KeymapBox] = [this] { OnKeymapChange(); };
    handlers[res::LaunchKeymapEditor] = [this] { OnLaunchKeymapEditor(); };
    handlers[res::ViewToolbar] = [this] { FocusEditor(); };
    handlers[res::ViewStatusBar] = [this] { statusBar->setVisible(!statusBar->isVisible()); FocusEditor(); };
    handlers[res::MaximizeRestore] = [this] { OnMaximizeRestore(); };
    handlers[res::MinimizeWindow] = [this] { showMinimized(); };
    handlers[res::BackToEditor] = [this] { OnBackToEditor(); };
    handlers[res::HiddenForward] = [this] { FocusEditor(); };
    handlers[res::HiddenBack] = [this] { FocusEditor(); };
    handlers[res::FocusScratchBox] = [this] { dialogBar->ScratchBox()->setFocus(); };
    handlers[res::FocusSizeBox] = [this] { dialogBar->SizeBox()->setFocus(); };
    QAction* toolbarItem = actions.at(res::ViewToolbar);
    toolbarItem->setCheckable(true);
    QAction* statusItem = actions.at(res::ViewStatusBar);
    statusItem->setCheckable(true);
    UpdateActionStates();
}

void CMainFrame::UpdateActionStates()
{
    for (auto& [id, action] : actions)
        action->setEnabled(handlers.count(id) != 0);
    QAction* toolbarItem = actions.at(res::ViewToolbar);
    const QSignalBlocker block(toolbarItem);
    toolbarItem->setChecked(toolBar && !toolBar->isHidden());
    actions.at(res::ViewStatusBar)->setChecked(statusBar && !statusBar->isHidden());
    // Dialog-bar buttons without a handler are disabled like menu items.
    if (dialogBar)
        for (int id : {res::SetFont, res::ScratchAdd, res::ScratchDelete, res::LaunchKeymapEditor})
            if (auto* button = dialogBar->findChild<QWidget*>(res::ObjectName(id)))
                button->setEnabled(handlers.count(id) != 0);
    RebuildRecentMenu();
}

bool CMainFrame::IsCommandEnabled(int id) const { return handlers.count(id) != 0; }

QAction* CMainFrame::Action(int id) const
{
    auto it = actions.find(id);
    return it == actions.end() ? nullptr : it->second;
}

void CMainFrame::RunCommand(int id)
{
    auto it = handlers.find(id);
    if (it != handlers.end())
        it->second();
    ScheduleStatusUpdate();
}

void CMainFrame::InitialiseEditor()
{
    platform::SettingsStore& settings = platform::Settings();
    currentFace = FitField(settings.ReadString("Settings", "font", "nasim web homa"));
    currentKeymap = FitField(settings.ReadString("Settings", "keyfile", "main.kbd"));
    currentSize = settings.ReadInt("Settings", "size", 24);
    std::string path = DocumentCommands::UntitledPath;
    if (settings.ReadInt("Settings", "StartWithMRD", 1) != 0) {
        const std::string last = settings.ReadString("Temp", "LastFile", "");
        path = last.empty() ? std::string(DocumentCommands::UntitledPath) : last;
    }
    // The path becomes the document's only when it was read; an unreadable last file (already
    // reported) leaves an untitled document, so a later Save cannot overwrite what is there.
    if (view->SetupEditor(currentFace, currentSize, currentKeymap, path))
        documents.SetCurrentPath(path);
    view->SetModified(false);
    if (view->HeaderLoaded())
        AdoptDocumentFont();
    dialogBar->ShowFaceName(currentFace);
    dialogBar->ShowSize(currentSize);
    ApplySettings(true);
    FillKeymapBox();
    FocusEditor();
}

void CMainFrame::FillKeymapBox()
{
    // Keymap files are matched by extension whatever its case, as the platform the files come
    // from does.
    const QDir folder(QDir::current().filePath(QStringLiteral("KeyMaps")));
    std::vector<std::string> names;
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files))
        if (file.suffix().compare(QStringLiteral("kbd"), Qt::CaseInsensitive) == 0)
            names.push_back(FromLocal(file.fileName()));
    dialogBar->FillKeymapBox(names, currentKeymap);
}

void CMainFrame::ApplySettings(bool placement)
{
    platform::SettingsStore& settings = platform::Settings();
    if (placement) {
        move(settings.ReadInt("Settings", "PosX", 100), settings.ReadInt("Settings", "PosY", 100));
        resize(std::max(1, settings.ReadInt("Settings", "SizeX", 500)), std::max(1, settings.ReadInt("Settings", "SizeY", 300)));
        PlaceToolBar(*this, *toolBar, ReadToolBarState(settings));
    }
    const int tab = platform::AtoiRule(settings.ReadString("Settings", "Tab", "3"));
    const int maxChars = platform::AtoiRule(settings.ReadString("Settings", "MaxChar", "80"));
    const bool dosMode = settings.ReadInt("Settings", "EnableDos", 1) != 0;
    view->ApplyLayoutSettings(tab, maxChars, dosMode);
    justifyAfterResemble = settings.ReadInt("Settings", "JustifyOnResemble", 1) != 0;
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

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!documents.CanClose()) {
        event->ignore();
        FocusEditor();
        return;
    }
    StoreExitState();
    event->accept();
}

void CMainFrame::StoreExitState()
{
    ExitState state;
    state.documentPath = documents.CurrentPath();
    const QRect frame = frameGeometry();
    // The size stored is the one the next start sizes the window to, so it does not grow by the
    // window manager's frame at every start.
    state.windowLeft = frame.left();
    state.windowTop = frame.top();
    state.windowWidth = width();
    state.windowHeight = height();
    state.faceName = currentFace;
    state.keymapName = currentKeymap;
    state.size = currentSize;
    const ToolBarState bar = CurrentToolBarState(*this, *toolBar);
    state.toolBarVisible = bar.visible;
    state.toolBarStyle = bar.style;
    state.toolBarLeft = bar.position.x();
    state.toolBarTop = bar.position.y();
    state.toolBarFloating = bar.floating;
    app::StoreExitState(state, platform::Settings());
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
}

editctl::PersianEdit& CMainFrame::Editor() { return view->Editor(); }

void CMainFrame::SetTitle(const std::string& title) { setWindowTitle(Local(title)); }

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

SaveChangesAnswer CMainFrame::RunSaveChangesWarning() { return saveChangesWarning->Run(); }

bool CMainFrame::RunRevertWarning() { return revertWarning->Run(); }

void CMainFrame::AdoptDocumentFont()
{
    currentFace = FitField(view->FontFace());
    currentSize = view->FontHeight();
    currentKeymap = FitField(view->BoundKeyMap().FileName());
    dialogBar->ShowFaceName(currentFace);
    dialogBar->ShowSize(currentSize);
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
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(Local(paths[i]));
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
    if (recentOpener) {
        recentOpener(index);
    } else if (index < recentFiles.Paths().size()) {
        if (!OpenFromPath(recentFiles.Paths()[index]))
            recentFiles.Remove(index);
    }
    RebuildRecentMenu();
    FocusEditor();
}

} // namespace app
