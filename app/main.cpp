// The kelmora program: services, the application object, the main window, the message loop.
#include "app/CMainFrame.h"
#include "app/SystemFonts.h"
#include "app/EditorApp.h"
#include "app/FirstRunFonts.h"
#include "extras/SplashWindow.h"
#include "platform/Clock.h"
#include "platform/QtMessageService.h"
#include "platform/QtSettingsStore.h"
#include "platform/Services.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

/// The user's own settings store of application "Kelmora".
std::unique_ptr<platform::QtSettingsStore> OpenSettings()
{
    return std::make_unique<platform::QtSettingsStore>("Kelmora");
}

} // namespace

int main(int argc, char** argv)
{
    // --help, --version and a mistyped option are answered before the toolkit starts: they need
    // no display. The toolkit's own options pass here and are taken out by it.
    const std::vector<std::string> raw(argv + 1, argv + argc);
    if (const std::optional<int> status = platform::AnswerCommandLine(
            app::ParseCommandLine(raw).parsed, app::EditorProgramDescription(), platform::UnknownOptions::ToolkitOnly, stdout, stderr))
        return *status;

    QApplication application(argc, argv);
    QApplication::setApplicationName("Kelmora");

    std::vector<std::string> arguments;
    const QStringList given = QCoreApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i)
        arguments.push_back(given[i].toStdString());
    // What is left after the toolkit took its own options: anything unknown now is a mistake.
    const app::CommandLine commandLine = app::ParseCommandLine(arguments);
    if (const std::optional<int> status = platform::AnswerCommandLine(
            commandLine.parsed, app::EditorProgramDescription(), platform::UnknownOptions::Error, stdout, stderr))
        return *status;

    const std::unique_ptr<platform::QtSettingsStore> settings = OpenSettings();
    platform::QtMessageService messages;
    platform::InstallServices({settings.get(), &messages});
    platform::SystemClock clock;

    // Every event is offered to the splash window before anyone else sees it.
    extras::SplashEventFilter splashFilter;
    application.installEventFilter(&splashFilter);
    // Fonts installed on the first run are usable at once, not only after the next start.
    app::UserFontInstaller::SetDefaultRegistration(
        [](const std::string& file) { QFontDatabase::addApplicationFont(QString::fromStdString(file)); });
    app::UserFontInstaller::SetDefaultInstalledCheck(app::SystemHasFontFace);

    app::EditorApp editor(
        [&](app::EditorApp& a) -> std::unique_ptr<app::AppMainWindow> {
            auto frame = std::make_unique<app::CMainFrame>(a.RecentFiles(), clock);
            frame->SetRecentFileOpener([&a](size_t index) { return a.OpenRecentFile(index); });
            messages.SetOwner(frame.get());
            if (!frame->Create()) {
                messages.SetOwner(nullptr);
                return nullptr;
            }
            return frame;
        },
        QCoreApplication::applicationDirPath().toStdString());
    editor.enableSplash = extras::EnableSplash;

    int status = 1;
    if (editor.InitInstance(commandLine)) {
        if (commandLine.quitWhenShown)
            QTimer::singleShot(0, &application, &QCoreApplication::quit);
        status = application.exec();
    }
    messages.SetOwner(nullptr);
    editor.ExitInstance();
    settings->Sync();
    return status;
}
