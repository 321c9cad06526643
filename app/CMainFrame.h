/** @file CMainFrame.h
 ** The editor's main window: view, tool bar, dialog bar, status bar, menus, and the command groups
 ** every command id is routed to. **/
#pragma once

#include "app/CommandHost.h"
#include "app/CommandRouter.h"
#include "app/DialogBarCommands.h"
#include "app/DocumentCommands.h"
#include "app/DocumentHost.h"
#include "app/EditorApp.h"
#include "app/EditorSettings.h"
#include "app/RecoveryFile.h"
#include "keymap/KeymapConverter.h"
#include "platform/Clock.h"
#include "platform/QtKeyState.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QKeyEvent;
class QTimer;
class QToolBar;

namespace extras {
class SaveChangesWarning;
class RevertWarning;
}

namespace app {

class CrashRecovery;
class DialogBar;
class DocumentFileDialog;
class UnicodeFileDialog;
class EditorView;
class MainStatusBar;
class ViewCommands;

/// Owns the document state every command shares (CurrentFont; the path lives in `documents`),
/// the one text converter, and the bars. Menu items, keys, buttons and the dialog bar reach the
/// command groups by id through RunCommand; each command gives the focus back to the editor.
class CMainFrame : public QMainWindow, public AppMainWindow, public DocumentHost, public CommandHost {
    Q_OBJECT
public:
    using FontChooser = DialogBarCommands::FontChooser;
    using Launcher = DialogBarCommands::Launcher;

    /// `clock` is not owned and outlives the window. The settings are those of the store in force
    /// (platform::Settings()) when the window is constructed.
    CMainFrame(RecentFileList& recentFiles, const platform::Clock& clock, QWidget* parent = nullptr);
    ~CMainFrame() override;

    /// Window creation: view and editor, bars, command groups, start-up set-up, title, clock,
    /// splash, first-run fonts. False when the window cannot be built.
    bool Create();

    void InitialiseEditor();
    void ApplySettings(bool placement);
    /// Runs the command with this id as if its menu item, key or control had been used.
    void RunCommand(int id);
    /// Whether a command is available (commands no group handles stay disabled).
    bool IsCommandEnabled(int id) const;
    QAction* Action(int id) const;
    /// Refreshes the clock, language and position panes (the idle-time update).
    void UpdateStatusPanes();

    DialogBar& Bar() const { return *dialogBar; }
    MainStatusBar& Status() const { return *statusBar; }
    QToolBar& ToolBar() const { return *toolBar; }
    const std::string& CurrentFaceName() const { return font.faceName; }
    int CurrentSize() const { return font.size; }
    const std::string& CurrentKeymapName() const { return font.keymapName; }
    bool Maximised() const;

    void SetFontChooser(FontChooser chooser);
    void SetLauncher(Launcher launch);
    /// The keyboard long operations poll; by default the real one. Not owned.
    void SetKeyState(const platform::KeyState& state) { keys = &state; }
    /// Opens entry `index` of the recent-file list (the application's handler); by default the
    /// window opens it itself and drops an entry that cannot be read.
    void SetRecentFileOpener(std::function<bool(size_t)> opener) { recentOpener = std::move(opener); }

    using RecoveryAsker = std::function<RecoveryAnswer(const std::string& question)>;
    /// Asks the start-up recovery question; by default a message box with Recover, Discard, Later.
    void SetRecoveryAsker(RecoveryAsker asker) { recoveryAsker = std::move(asker); }
    /// Where this window keeps its recovery file and looks for those of crashed editors; by
    /// default RecoveryFolder(). Call before the window is shown.
    void SetRecoveryFolder(const std::string& folder);
    CrashRecovery& Recovery() const { return *recovery; }
    /// Offers the recovery files of editors that are no longer running, one by one, until one is
    /// recovered (one document at a time: the rest wait for the next start).
    void OfferRecovery();

    // AppMainWindow
    bool OpenFromPath(const std::string& path) override;
    void ShowMainWindow() override;

    // DocumentHost and CommandHost
    editctl::PersianEdit& Editor() override;
    void FocusEditor() override;

    // DocumentHost
    void SetTitle(const std::string& title) override;
    std::optional<std::string> RunOpenDialog() override;
    std::optional<std::string> RunSaveAsDialog() override;
    std::optional<std::string> RunImportDialog() override;
    std::optional<UnicodeExportChoice> RunExportDialog() override;
    SaveChangesAnswer RunSaveChangesWarning() override;
    bool RunRevertWarning() override;
    void AdoptDocumentFont() override;
    void RecentFilesChanged() override;

    // CommandHost
    EditorView& View() override { return *view; }
    keymap::KeymapConverter& Converter() override { return converter; }
    EditorSettings& Settings() override { return settings; }
    platform::MessageService& Messages() override;
    const platform::Clock& Clock() const override { return clock; }
    platform::Random& Random() override { return random; }
    platform::ProgressDisplay& Progress() override;
    const platform::KeyState& Keys() const override { return *keys; }
    DocumentCommands& Documents() override { return documents; }
    CurrentFont& Font() override { return font; }
    QWidget* DialogParent() override { return this; }
    void ApplySettings() override { ApplySettings(false); }
    bool JustifyAfterResemble() const override { return justifyAfterResemble; }
    const extras::ScratchTable& Scratch() const override { return dialogBarCommands->Scratch(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Runs the command of a keypad key the editor let through; false when it has none.
    bool RunKeypadCommand(const QKeyEvent& event);
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildDialogBar();
    void RegisterCommandGroups();
    void UpdateActionStates();
    void RebuildRecentMenu();
    void FillKeymapBox();
    void StoreExitState();
    void OnOpenRecent(size_t index);
    void ScheduleStatusUpdate();
    RecoverySnapshot Snapshot();
    bool Recover(const FoundRecovery& found);

    RecentFileList& recentFiles;
    const platform::Clock& clock;
    EditorSettings settings;
    DocumentCommands documents;
    keymap::KeymapConverter converter;
    platform::LcgRandom random;
    platform::QtKeyState keyboard;
    const platform::KeyState* keys = &keyboard;
    CurrentFont font;
    bool justifyAfterResemble = true;

    EditorView* view = nullptr;
    QToolBar* toolBar = nullptr;
    DialogBar* dialogBar = nullptr;
    MainStatusBar* statusBar = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* recentPlaceholder = nullptr;
    std::vector<QAction*> recentActions;
    QTimer* clockTimer = nullptr;
    bool statusUpdatePending = false;

    std::map<int, QAction*> actions;
    CommandRouter commands;
    DialogBarCommands* dialogBarCommands = nullptr;
    ViewCommands* viewCommands = nullptr;

    std::unique_ptr<DocumentFileDialog> openDialog;
    std::unique_ptr<DocumentFileDialog> saveAsDialog;
    extras::SaveChangesWarning* saveChangesWarning = nullptr;
    extras::RevertWarning* revertWarning = nullptr;

    std::function<bool(size_t)> recentOpener;

    std::unique_ptr<UnicodeFileDialog> importDialog;
    std::unique_ptr<UnicodeFileDialog> exportDialog;
    std::string recoveryFolder = RecoveryFolder();
    CrashRecovery* recovery = nullptr;
    RecoveryAsker recoveryAsker;
    bool recoveryOffered = false;
};

} // namespace app
