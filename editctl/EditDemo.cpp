// kelmora-editdemo: one Persian edit control in a window, for trying the control by hand.
// Usage: kelmora-editdemo [keymap file name in KeyMaps, default main.kbd] [face] [height]
#include "editctl/PersianEditWidget.h"
#include "keymap/KeyMap.h"
#include "platform/MemorySettingsStore.h"
#include "platform/QtMessageService.h"
#include "platform/Services.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString keymapName = args.value(1, QStringLiteral("main.kbd"));
    const QString face = args.value(2, QStringLiteral("nasim web homa"));
    const int height = args.value(3, QStringLiteral("24")).toInt();

    // A scratch settings store: the demo must not touch the editor's real settings.
    platform::MemorySettingsStore settings;
    platform::QtMessageService messages;
    platform::InstallServices({&settings, &messages});

    keymap::KeyMap map;
    map.LoadFromPath((app.applicationDirPath() + "/KeyMaps/" + keymapName).toStdString());

    QMainWindow window;
    auto* editor = new editctl::PersianEditWidget(editctl::WindowStyle::MultiLine, &window);
    editor->SetKeyMap(&map);
    editor->SetEditFont(face.toStdString(), height);
    window.setCentralWidget(editor);
    window.statusBar()->showMessage(QStringLiteral("%1 — %2 (%3)").arg(keymapName, editor->Font().PrimaryFamily(),
        editor->Font().DrawsCodesDirectly() ? QStringLiteral("codes drawn directly") : QStringLiteral("display forms")));
    window.resize(500, 300);
    window.setWindowTitle(QStringLiteral("Kelmora edit control"));
    window.show();
    editor->setFocus();
    return app.exec();
}
