/** @file CMainFrame.h
 ** The editor's main window: view, tool bar, dialog bar, status bar, menus, and the routing of
 ** every command to the code that carries it out. **/
#pragma once

#include "app/DocumentCommands.h"
#include "app/DocumentHost.h"
#include "app/EditorApp.h"
#include "keymap/KeymapConverter.h"
#include "platform/Clock.h"

#include <QFont>
#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QTimer;
class QToolBar;

namespace extras {
class SaveChangesWarning;
class RevertWarning;
}

namespace app {

class DialogBar;
class DocumentFileDialog;
class EditorView;
class MainStatusBar;

/// Owns the document state every command shares (the current face name, size and keymap name;
/// the path lives in `documents`), the one text converter, and the bars. Commands reach it by id
/// through actions, buttons and the dialog bar; each one gives the focus back to the editor.
class CMainFrame : public QMainWindow, public AppMainWindow, public DocumentHost {
    Q_OBJECT
public:
    /// Picks a font for Set Font: the font to start from in, the chosen font or nothing if cancelled.
    using FontChooser = std::function<std::optional<QFont>(const QFont&)>;
    /// Starts a program detached: program file, working folder; the result is ignored.
    using Launcher = std::function<void(const QString& program, const QString& folder)>;

    /// `clock` is not owned and outlives the window.
    CMainFrame(RecentFileList& recentFiles, const platform::Clock& clock, QWidget* parent = nullptr);
    ~CMainFrame() override;

    /// Window creation: view and editor, bars, start-up set-up, title, clock, splash, first-run
    /// fonts. False when the window cannot be built.
    bool Create();

    void InitialiseEditor();
    void ApplySettings(bool placement);
    /// Runs the command with this id as if its menu item, key or control had been used.
    void RunCommand(int id);
    /// Whether a command is available (commands nobody handles stay disabled).
    bool IsCommandEnabled(int id) const;
    QAction* Action(int id) const;
    /// Refreshes the clock, language and position panes (the idle-time update).
    void UpdateStatusPanes();

    EditorView& View() const { return *view; }
    DialogBar& Bar() const { return *dialogBar; }
    MainStatusBar& Status() const { return *statusBar; }
    QToolBar& ToolBar() const { return *toolBar; }
    DocumentCommands& Documents() { return documents; }
    keymap::KeymapConverter& Converter() { return converter; }
    const std::string& CurrentFaceName() const { return currentFace; }
    int CurrentSize() const { return currentSize; }
    const std::string& CurrentKeymapName() const { return currentKeymap; }
    bool Maximised() const { return maximised; }

    void SetFontChooser(FontChooser chooser) { fontChooser = std::move(chooser); }
    void SetLauncher(Launcher launch) { launcher = std::move(launch); }
    /// Opens entry `index` of the recent-file list (the application's handler); by default the
    /// window opens it itself and drops an entry that cannot be read.
    void SetRecentFileOpener(std::function<bool(size_t)> opener) { recentOpener = std::move(opener); }

    // AppMainWindow
    bool OpenFromPath(const std::string& path) override;
    void ShowMainWindow() override;

    // DocumentHost
    editctl::PersianEdit& Editor() override;
    void SetTitle(const std::string& title) override;
    void FocusEditor() override;
    std::optional<std::string> RunOpenDialog() override;
    std::optional<std::string> RunSaveAsDialog() override;
    SaveChangesAnswer RunSaveChangesWarning() override;
    bool RunRevertWarning() override;
    void AdoptDocumentFont() override;
    void RecentFilesChanged() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildDialogBar();
    void RegisterHandlers();
    void UpdateActionStates();
    void RebuildRecentMenu();
    void FillKeymapBox();
    void StoreExitState();

    void OnSetFont();
    void OnSizeChange();
    void OnKeymapChange();
    void OnMaximizeRestore();
    void OnBackToEditor();
    void OnLaunchKeymapEditor();
    void OnOpenRecent(size_t index);
    void ScheduleStatusUpdate();

    RecentFileList& recentFiles;
    const platform::Clock& clock;
    DocumentCommands documents;
    keymap::KeymapConverter converter;

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
    std::map<int, std::function<void()>> handlers;

    std::unique_ptr<DocumentFileDialog> openDialog;
    std::unique_ptr<DocumentFileDialog> saveAsDialog;
    extras::SaveChangesWarning* saveChangesWarning = nullptr;
    extras::RevertWarning* revertWarning = nullptr;

    FontChooser fontChooser;
    Launcher launcher;
    std::function<bool(size_t)> recentOpener;

    std::string currentFace = "Nasim Web Homa";
    int currentSize = 34;
    std::string currentKeymap;
    bool maximised = false;
    bool justifyAfterResemble = true;
};

} // namespace app
