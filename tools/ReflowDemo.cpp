// kelmora-reflowdemo: a Persian document in one edit control with Resemble (Ctrl+B), Justify
// (Ctrl+J), Undo (Ctrl+Z) and the configuration dialog (Ctrl+0), for trying the tools by hand.
// Usage: kelmora-reflowdemo <UTF-8 Persian text file> [face] [height]
#include "editctl/PersianEditWidget.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"
#include "platform/Clock.h"
#include "platform/MemorySettingsStore.h"
#include "platform/QtMessageService.h"
#include "platform/Services.h"
#include "tools/ConfigurationDialog.h"
#include "tools/Justify.h"
#include "tools/MeasuringMetrics.h"
#include "tools/Resemble.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QShortcut>
#include <QStatusBar>

#include <ctime>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString face = args.value(2, QStringLiteral("nasim web homa"));
    const int height = args.value(3, QStringLiteral("24")).toInt();

    // A scratch settings store: the demo must not touch the editor's real settings.
    platform::MemorySettingsStore settings;
    platform::QtMessageService messages;
    platform::InstallServices({&settings, &messages});
    settings.WriteString("Temp", "KelmDir", app.applicationDirPath().toStdString());

    keymap::KeyMap map;
    map.Load("main.kbd");
    QFile file(args.value(1));
    std::string glyphs;
    if (file.open(QIODevice::ReadOnly))
        glyphs = keymap::UnicodeBridge(map).ImportUtf8(file.readAll().replace("\n", "\r\n").toStdString());

    QMainWindow window;
    auto* editor = new editctl::PersianEditWidget(editctl::WindowStyle::MultiLine, &window);
    editor->SetKeyMap(&map);
    editor->SetEditFont(face.toStdString(), height);
    editor->Edit().multiLine = true;
    editor->Window().SetText(glyphs);
    window.setCentralWidget(editor);
    window.resize(700, 500);
    window.setWindowTitle(QStringLiteral("Kelmora re-flow tools"));

    keymap::KeymapConverter converter;
    platform::LcgRandom random;
    random.Seed(static_cast<std::uint32_t>(std::time(nullptr)));
    const std::unique_ptr<editctl::GlyphMetrics> measure = tools::MeasuringMetrics(&map);
    auto status = [&] {
        const tools::ReflowSettings s = tools::ReadReflowSettings(settings);
        window.statusBar()->showMessage(QStringLiteral("%1 mode, right %2, tab %3, indent %4, justify after %5")
                                            .arg(s.enableDos ? "DOS" : "window").arg(s.right).arg(s.tab)
                                            .arg(s.identOnResemble).arg(settings.ReadInt("Settings", "JustifyOnResemble", 1)));
    };
    auto resemble = [&] {
        const bool justify = settings.ReadInt("Settings", "JustifyOnResemble", 1) != 0;
        tools::RunResemble(editor->Edit(), converter, *measure, tools::ReadReflowSettings(settings), "main.kbd",
                           justify ? tools::JustifyAfter::Yes : tools::JustifyAfter::No, random);
        editor->setFocus();
    };
    auto justify = [&] {
        tools::RunJustify(editor->Edit(), converter, tools::ReadReflowSettings(settings), "main.kbd", random);
        editor->setFocus();
    };
    QObject::connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+B")), &window), &QShortcut::activated, resemble);
    QObject::connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+J")), &window), &QShortcut::activated, justify);
    QObject::connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+Z")), &window), &QShortcut::activated,
                     [&] { editor->Edit().Undo(); });
    QObject::connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+0")), &window), &QShortcut::activated, [&] {
        tools::ConfigurationDialog dialog(settings, &window);
        dialog.Run();
        status();
        editor->setFocus();
    });
    status();
    window.show();
    editor->setFocus();
    return app.exec();
}
