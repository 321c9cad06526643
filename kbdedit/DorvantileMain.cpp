/** @file DorvantileMain.cpp
 ** The program dorvantil: the keymap editor, run as one modal window. **/
#include "kbdedit/DorvantileDialog.h"
#include "kbdedit/RegistrySettings.h"
#include "platform/QtMessageService.h"
#include "platform/QtSettingsStore.h"
#include "platform/Services.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

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
    int result = 0;
    {
        kbdedit::DorvantileDialog window(settings, QDir::currentPath().toStdString());
        result = window.exec();
    }
    settings.Close();
    platform::InstallServices(platform::Services{});
    (void)result; // Cancel, Esc and the close box all end the program normally
    return 0;
}
