/** @file EditorApp.h
 ** The editor's application object: start-up order, program folder, command line, exit. **/
#pragma once

#include "app/RecentFileList.h"
#include "platform/ProgramCommandLine.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace app {

/// The program file whose presence marks the program folder.
#ifdef _WIN32
inline constexpr const char* ProgramFileName = "Kelmora.exe";
#else
inline constexpr const char* ProgramFileName = "kelmora";
#endif

/// What the application needs of its main window (CMainFrame implements it).
class AppMainWindow {
public:
    virtual ~AppMainWindow() = default;
    /// Opens a document named on the command line or chosen from the recent-file list.
    virtual bool OpenFromPath(const std::string& path) = 0;
    /// Shows the window and paints it at once.
    virtual void ShowMainWindow() = 0;
};

/// The command line: a document path and the program's own switches ("-..." arguments).
struct CommandLine {
    std::string file;
    bool quitWhenShown = false; // --quit-when-shown: end once the window is shown (start-up timing)
    platform::ProgramCommandLine parsed; // help, version, the first unknown option
};
/// The arguments after the program name; the first file argument is the document, later ones are ignored.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
/// The editor's name, --help text and version.
platform::ProgramDescription EditorProgramDescription();

/// Start-up of the editor. The main window is created through a factory so that tests can run the
/// whole order with a fake window. Settings and messages come from platform::Settings() and
/// platform::Messages(), installed by the caller.
class EditorApp {
public:
    /// Creates the main window (which runs the whole editor set-up); null when creation failed.
    using MainWindowFactory = std::function<std::unique_ptr<AppMainWindow>(EditorApp&)>;

    /// `executableFolder` is the running program file's own folder.
    EditorApp(MainWindowFactory factory, std::string executableFolder);
    ~EditorApp();

    /// The start-up order; false ends the program at once.
    bool InitInstance(const CommandLine& commandLine);
    /// Saves the recent-file list and releases the main window.
    int ExitInstance();

    /// Forwards to the main window's OpenFromPath.
    bool OpenDocumentFile(const std::string& path);
    /// Opens entry `index` of the recent-file list; an entry that cannot be opened is removed.
    bool OpenRecentFile(size_t index);

    /// Finds the program folder, records it as "Temp"/"KelmDir" when certain, and makes it the
    /// current folder. Returns the folder in force afterwards (empty when none was found).
    std::string LocateProgramFolder();

    /// Whether the splash may show: "SplashScreen" non-zero and no file on the command line.
    bool SplashAllowed() const { return splashAllowed; }
    /// Called with the splash decision before the main window is created (extras::EnableSplash).
    std::function<void(bool)> enableSplash;

    const std::string& ProgramFolder() const { return programFolder; }
    const CommandLine& Arguments() const { return commandLine; }
    RecentFileList& RecentFiles() { return recentFiles; }
    AppMainWindow* MainWindow() const { return mainWindow.get(); }

private:
    MainWindowFactory factory;
    std::string executableFolder;
    std::string programFolder;
    CommandLine commandLine;
    bool splashAllowed = false;
    RecentFileList recentFiles;
    std::unique_ptr<AppMainWindow> mainWindow;
};

} // namespace app
