/** @file DorvantileMain.cpp
 ** The program dorvantil: the keymap editor, run as one modal window. **/
#include "kbdedit/DorvantileDialog.h"
#include "kbdedit/RegistrySettings.h"
#include "platform/QtMessageService.h"
#include "platform/QtSettingsStore.h"
#include "platform/Services.h"

#include <QApplication>
#include <QDir>

#include <memory>

namespace {

/// The user's own settings store of application "Dorvantile".
std::unique_ptr<platform::QtSettingsStore> OpenUserStore()
{
    return std::make_unique<platform::QtSettingsStore>("Dorvantile");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Keymaps, the reference keymap and the About picture are found beside the program, whatever
    // folder it was started from.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    const std::unique_ptr<platform::QtSettingsStore> store = OpenUserStore();
    platform::QtMessageService messages;
    platform::InstallServices(platform::Services{store.get(), &messages});

    kbdedit::RegistrySettings settings(*store);
    {
        kbdedit::DorvantileDialog window(settings, QDir::currentPath().toStdString());
        window.exec(); // Cancel, Esc and the close box all end the program normally
    }
    settings.Close();
    platform::InstallServices(platform::Services{});
    return 0;
}
