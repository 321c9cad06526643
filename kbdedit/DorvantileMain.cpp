/** @file DorvantileMain.cpp
 ** The program dorvantil: the keymap editor, run as one modal window. **/
#include "kbdedit/DorvantileCommandLine.h"
#include "kbdedit/DorvantileDialog.h"
#include "kbdedit/RegistrySettings.h"
#include "platform/QtMessageService.h"
#include "platform/QtSettingsStore.h"
#include "platform/Services.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

/// The user's own settings store of application "Dorvantile".
std::unique_ptr<platform::QtSettingsStore> OpenUserStore()
{
    return std::make_unique<platform::QtSettingsStore>("Dorvantile");
}

} // namespace

int main(int argc, char** argv)
{
    // --help, --version and a mistyped option are answered before the toolkit starts: they need
    // no display. The toolkit's own options pass here and are taken out by it.
    const std::vector<std::string> raw(argv + 1, argv + argc);
    if (const std::optional<int> status = platform::AnswerCommandLine(
            kbdedit::ParseDorvantileCommandLine(raw, {}).parsed, kbdedit::DorvantileProgramDescription(),
            platform::UnknownOptions::ToolkitOnly, stdout, stderr))
        return *status;

    QApplication app(argc, argv);
    std::vector<std::string> arguments;
    const QStringList given = QCoreApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i)
        arguments.push_back(given[i].toStdString());
    // What is left after the toolkit took its own options: anything unknown now is a mistake.
    const kbdedit::DorvantileCommandLine commandLine =
        kbdedit::ParseDorvantileCommandLine(arguments, QDir::currentPath().toStdString());
    if (const std::optional<int> status = platform::AnswerCommandLine(
            commandLine.parsed, kbdedit::DorvantileProgramDescription(), platform::UnknownOptions::Error, stdout, stderr))
        return *status;

    // Keymaps, the reference keymap and the About picture are found beside the program, whatever
    // folder it was started from.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    const std::unique_ptr<platform::QtSettingsStore> store = OpenUserStore();
    platform::QtMessageService messages;
    platform::InstallServices(platform::Services{store.get(), &messages});

    kbdedit::RegistrySettings settings(*store);
    {
        kbdedit::DorvantileDialog window(settings, QDir::currentPath().toStdString());
        if (!commandLine.keymapFile.empty()) {
            // A file that cannot be read at all is named here; one that is no keymap is reported by the load.
            const QString file = QString::fromStdString(commandLine.keymapFile);
            if (!QFileInfo(file).isFile() || !QFileInfo(file).isReadable())
                messages.Show("Cannot open the file\n" + commandLine.keymapFile, "Dorvantile::Error");
            else
                window.OpenKeymap(commandLine.keymapFile);
        }
        window.exec(); // Cancel, Esc and the close box all end the program normally
    }
    settings.Close();
    platform::InstallServices(platform::Services{});
    return 0;
}
