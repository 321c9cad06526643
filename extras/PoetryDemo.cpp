// kelmora-poetrydemo: an edit control in main.kbd with the poetry window (Ctrl+1), the random poem
// (Ctrl+Q), About (Ctrl+2) and Help (Ctrl+3), for trying them by hand before the editor has them.
#include "editctl/PersianEditWidget.h"
#include "extras/AboutKelmoraDialog.h"
#include "extras/HelpPageDialog.h"
#include "extras/PoetryDialog.h"
#include "extras/QuvelSettings.h"
#include "keymap/KeymapConverter.h"
#include "platform/Clock.h"
#include "platform/MemorySettingsStore.h"
#include "platform/QtMessageService.h"
#include "platform/Services.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>

#include <ctime>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::string folder = app.applicationDirPath().toStdString();
    // A scratch settings store: the demo must not touch the editor's real settings.
    platform::MemorySettingsStore settings;
    settings.WriteString("Temp", "KelmDir", folder);
    platform::QtMessageService messages;
    platform::InstallServices({&settings, &messages});
    platform::LcgRandom random;
    random.Seed(static_cast<std::uint32_t>(std::time(nullptr)));
    keymap::KeymapConverter converter;
    extras::QuvelSettings quvel; // what "Save'n Go" keeps, for this run only

    keymap::KeyMap map;
    map.Load("main.kbd");
    QMainWindow window;
    auto* editor = new editctl::PersianEditWidget(editctl::WindowStyle::MultiLine, &window);
    editor->SetKeyMap(&map);
    editor->SetEditFont("nasim web homa", 24);
    window.setCentralWidget(editor);
    const auto add = [&](const QKeySequence& keys, auto run) {
        auto* action = new QAction(&window);
        action->setShortcut(keys);
        QObject::connect(action, &QAction::triggered, &window, [=] {
            run();
            editor->setFocus();
        });
        window.addAction(action);
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_1), [&] {
        const extras::PoetryOutcome outcome =
            extras::RunPoetryDialog(&window, editor->Edit(), converter, quvel, random, messages, folder, {});
        if (outcome.saved)
            quvel = *outcome.saved;
    });
    add(QKeySequence(Qt::CTRL | Qt::Key_Q), [&] {
        extras::InsertRandomPoem(editor->Edit(), converter, quvel, random, messages, folder, {});
    });
    add(QKeySequence(Qt::CTRL | Qt::Key_2), [&] { extras::RunAboutBox(folder); });
    add(QKeySequence(Qt::CTRL | Qt::Key_3), [] { extras::RunHelpPage(); });
    window.resize(700, 500);
    window.setWindowTitle(QStringLiteral("Kelmora poetry"));
    window.show();
    editor->setFocus();
    return app.exec();
}
