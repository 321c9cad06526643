// kelmora-toolsdemo: a main edit control with the text tools on their keys, for trying them by hand
// before the main window carries them: Ctrl+F, F3, Ctrl+H, Ctrl+D, Ctrl+T, and Ctrl+K for statistics (the editor swallows most other keys).
// Usage: kelmora-toolsdemo [document keymap in KeyMaps, default kolb.kbd] [UTF-8 text file to show]
#include "editctl/PersianEditWidget.h"
#include "editctl/QtClipboard.h"
#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"
#include "platform/Clock.h"
#include "platform/MemorySettingsStore.h"
#include "platform/QtKeyState.h"
#include "platform/QtMessageService.h"
#include "platform/Services.h"
#include "platform/TextMode.h"
#include "tools/DateTimeText.h"
#include "tools/FindDialog.h"
#include "tools/ReplaceDialog.h"
#include "tools/StatisticsDialog.h"

#include <QApplication>
#include <QMainWindow>
#include <QShortcut>


int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::string keymapName = args.value(1, QStringLiteral("kolb.kbd")).toStdString();

    // A scratch settings store: the demo must not touch the editor's real settings.
    platform::MemorySettingsStore settings;
    settings.WriteString("Temp", "KelmDir", app.applicationDirPath().toStdString());
    platform::QtMessageService messages;
    platform::InstallServices({&settings, &messages});
    editctl::InstallClipboard(&editctl::QtClipboard::Shared());

    keymap::KeyMap map;
    map.Load(keymapName);
    QMainWindow window;
    messages.SetOwner(&window);
    auto* editor = new editctl::PersianEditWidget(editctl::WindowStyle::MultiLine, &window);
    editor->SetKeyMap(&map);
    editor->SetEditFont("nasim web homa", 28);
    if (args.size() > 2) {
        std::string utf8;
        platform::ReadTextFile(args[2].toStdString(), utf8);
        editor->Window().SetText(editctl::WithCrLf(keymap::UnicodeBridge(map).ImportUtf8(utf8)));
    }
    window.setCentralWidget(editor);
    window.resize(700, 420);
    window.setWindowTitle(QStringLiteral("UnTitled.txf - Kelmora"));

    keymap::KeymapConverter converter;
    platform::SystemClock clock;
    platform::QtKeyState keys;
    tools::SearchTexts texts;
    const tools::FindTarget target{editor->Edit(), converter, keymapName, messages};
    auto on = [&](QKeySequence keysequence, std::function<void()> command) {
        auto* shortcut = new QShortcut(keysequence, &window);
        QObject::connect(shortcut, &QShortcut::activated, [command, editor] {
            command();
            editor->setFocus();
        });
    };
    on(QKeySequence(Qt::CTRL | Qt::Key_F), [&] { tools::RunFindCommand(target, texts, &window); });
    on(QKeySequence(Qt::Key_F3), [&] { tools::RunFindNextCommand(target, texts, &window); });
    on(QKeySequence(Qt::CTRL | Qt::Key_H), [&] { tools::RunReplaceCommand(target, texts, &window); });
    on(QKeySequence(Qt::CTRL | Qt::Key_D), [&] { tools::InsertDate(editor->Edit(), converter, keymapName, clock); });
    on(QKeySequence(Qt::CTRL | Qt::Key_T), [&] { tools::InsertTime(editor->Edit(), converter, keymapName, clock); });
    on(QKeySequence(Qt::CTRL | Qt::Key_K), [&] {
        tools::RunStatisticsCommand(
            {editor->Edit(), converter, keymapName, keys, nullptr, &window, editctl::QtClipboard::Shared()});
    });
    window.show();
    editor->setFocus();
    return app.exec();
}
