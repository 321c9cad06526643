/** @file DorvantileMain.cpp
 ** The program dorvantil: the keymap editor, run as one modal window. **/
#include "kbdedit/DorvantileDialog.h"
#include "kbdedit/RegistrySettings.h"
#include "platform/QtMessageService.h"
#include "platform/QtSettingsStore.h"
#include "platform/Services.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Keymaps, the reference keymap and the About picture are found beside the program, whatever
    // folder it was started from.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    platform::QtSettingsStore store("Dorvantile");
    platform::QtMessageService messages;
    platform::InstallServices(platform::Services{&store, &messages});

    kbdedit::RegistrySettings settings(store);
    {
        kbdedit::DorvantileDialog window(settings, QDir::currentPath().toStdString());
        window.exec(); // Cancel, Esc and the close box all end the program normally
    }
    settings.Close();
    platform::InstallServices(platform::Services{});
    return 0;
}
