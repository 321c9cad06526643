#include "app/EditorApp.h"

#include "app/EditorSettings.h"
#include "platform/Services.h"
#include "platform/TextMode.h"

#include <clocale>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace app {

namespace fs = std::filesystem;

namespace {

bool HoldsProgramFile(const std::string& folder)
{
    if (folder.empty())
        return false;
    const fs::path file = fs::path(folder) / ProgramFileName;
    std::error_code ec;
    // A link to the program (the launcher in bin/) does not make its folder the program folder.
    if (fs::is_symlink(file, ec) || !fs::is_regular_file(file, ec))
        return false;
    std::ifstream in(file, std::ios::binary);
    return static_cast<bool>(in);
}

std::string CurrentFolder()
{
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    return ec ? std::string() : here.string();
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    line.parsed = platform::ParseProgramCommandLine(arguments, {"--quit-when-shown"});
    line.quitWhenShown = line.parsed.Has("--quit-when-shown");
    if (!line.parsed.files.empty())
        line.file = line.parsed.files.front();
    return line;
}

platform::ProgramDescription EditorProgramDescription()
{
    return {"kelmora",
            "Usage: kelmora [--quit-when-shown] [FILE]\n"
            "Edit Persian text kept in legacy font encodings. FILE is a document to open.\n"
            "\n"
            "  --quit-when-shown  end as soon as the main window is shown\n"
            "  --help             show this text\n"
            "  --version          show the version\n"
            "\n"
            "The toolkit's own options (-platform, -style, ...) are accepted as well.\n",
            KELMORA_VERSION};
}

EditorApp::EditorApp(MainWindowFactory factory, std::string executableFolder)
    : factory(std::move(factory)), executableFolder(std::move(executableFolder))
{
}

EditorApp::~EditorApp() = default;

bool EditorApp::InitInstance(const CommandLine& arguments)
{
    std::setlocale(LC_ALL, "");
    const std::string startFolder = CurrentFolder();
    LocateProgramFolder();

    // A relative name means the folder the user started from, not the program folder made
    // current above.
    commandLine = arguments;
    if (!commandLine.file.empty() && fs::path(commandLine.file).is_relative() && !startFolder.empty())
        commandLine.file = (fs::path(startFolder) / commandLine.file).lexically_normal().string();

    platform::SettingsStore& settings = platform::Settings();
    splashAllowed = EditorSettings(settings).SplashScreen() && commandLine.file.empty();
    if (enableSplash)
        enableSplash(splashAllowed);

    recentFiles.Load(settings);

    mainWindow = factory ? factory(*this) : nullptr;
    if (!mainWindow)
        return false;

    if (!commandLine.file.empty() && !OpenDocumentFile(commandLine.file))
        return false;

    mainWindow->ShowMainWindow();
    return true;
}

int EditorApp::ExitInstance()
{
    recentFiles.Save(platform::Settings());
    mainWindow.reset();
    return 0;
}

bool EditorApp::OpenDocumentFile(const std::string& path)
{
    return mainWindow && mainWindow->OpenFromPath(path);
}

bool EditorApp::OpenRecentFile(size_t index)
{
    if (index >= recentFiles.Paths().size())
        return false;
    const std::string path = recentFiles.Paths()[index];
    if (OpenDocumentFile(path))
        return true;
    recentFiles.Remove(index);
    return false;
}

std::string EditorApp::LocateProgramFolder()
{
    EditorSettings settings(platform::Settings());
    std::string folder = CurrentFolder();
    if (HoldsProgramFile(folder)) {
        settings.SetProgramFolder(folder);
    } else if (HoldsProgramFile(executableFolder)) {
        // Started from a shortcut or a file association: the program file's own folder is certain.
        folder = executableFolder;
        settings.SetProgramFolder(folder);
    } else {
        folder = settings.ProgramFolder();
    }

    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) {
        programFolder.clear();
        return programFolder;
    }
    fs::current_path(folder, ec);
    programFolder = ec ? std::string() : folder;
    return programFolder;
}

} // namespace app
