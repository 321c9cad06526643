/** File commands reached from the keyboard and the File menu: next and previous file, the export dialog's offer. **/
#include "tests/app/MainFrameFixture.h"

#include "app/EditorView.h"
#include "app/DocumentCommands.h"
#include "app/UnicodeFileDialog.h"
#include "editctl/PersianEdit.h"
#include "keymap/UnicodeBridge.h"
#include "res/ResourceIds.h"
#include "tests/fakes/ModalAnswer.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QtTest/QSpontaneKeyEvent>
#include <QtTest/QTest>

namespace apptest {
namespace {

using app::CMainFrame;

constexpr int EvdevKeypadMinus = 74;
constexpr int EvdevKeypadPlus = 78;

class FileKeysTest : public MainFrameTest {
protected:
    /// Three documents in one folder, the middle one open, the focus in the editor.
    CMainFrame& OpenMiddleOfThree()
    {
        InstallMainKeymapAfterFirstRun();
        keymap::KeyMap map;
        EXPECT_TRUE(map.Load("main.kbd"));
        for (const auto& [name, word] : {std::pair{"a.txf", "آب"}, {"b.txf", "باد"}, {"c.txf", "کوه"}})
            paths.push_back(folder.Write(std::string("docs/") + name, keymap::GlyphTextOf(map, word) + "\r\n"));
        CMainFrame& window = CreateFrame();
        window.resize(900, 400);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(window.OpenFromPath(paths[1]));
        window.FocusEditor();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return window;
    }

    /// A keypad key as X11 hands it over: Qt's key with the keypad modifier and the native scan
    /// code (evdev code + 8). X11's key mapper drops the keypad modifier when it matches shortcuts,
    /// so no keypad shortcut fires there: the platform sends the shortcut override to the focus
    /// widget and then the press itself, both spontaneous (the shortcut map is not run again).
    static void PressKeypad(QWidget* target, int evdev, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        static ulong timestamp = 5000;
        ++timestamp;
        const QString text = key == Qt::Key_Plus ? QStringLiteral("+") : QStringLiteral("-");
        const Qt::KeyboardModifiers all = modifiers | Qt::KeypadModifier;
        const auto scanCode = static_cast<quint32>(evdev + 8);
        for (const QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, all, scanCode, 0, 0, text);
            event.setTimestamp(timestamp);
            QSpontaneKeyEvent::setSpontaneous(&event);
            QApplication::sendEvent(target, &event);
            if (type == QEvent::ShortcutOverride && event.isAccepted())
                return; // the focus widget claimed the key
        }
    }

    std::string Current() { return frame->Documents().CurrentPath(); }

    std::vector<std::string> paths;
};

TEST_F(FileKeysTest, KeypadPlusAndMinusStepThroughTheFolderWithTheirScanCodes)
{
    CMainFrame& window = OpenMiddleOfThree();
    QWidget* editor = window.View().EditWidget();
    struct Case {
        int evdev;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        size_t expected;
    };
    const Case cases[] = {
        {EvdevKeypadPlus, Qt::Key_Plus, {}, 2},
        {EvdevKeypadMinus, Qt::Key_Minus, {}, 1},
        {EvdevKeypadMinus, Qt::Key_Minus, Qt::ControlModifier, 0},
        {EvdevKeypadPlus, Qt::Key_Plus, Qt::ControlModifier, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.evdev);
        PressKeypad(editor, c.evdev, c.key, c.modifiers);
        EXPECT_EQ(Current(), paths[c.expected]);
        EXPECT_FALSE(window.View().Editor().modified) << "nothing was typed";
    }
    EXPECT_EQ(window.View().Text().find_first_of("+-"), std::string::npos);
}

TEST_F(FileKeysTest, KeypadKeysMatchedByTheShortcutMapStepOnce)
{
    CMainFrame& window = OpenMiddleOfThree();
    QWidget* editor = window.View().EditWidget();
    QTest::keyClick(editor, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(Current(), paths[2]);
    QTest::keyClick(editor, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(Current(), paths[1]);
    EXPECT_FALSE(window.View().Editor().modified);
}

TEST_F(FileKeysTest, TheMainKeyboardsPlusInEnglishModeTypesAndStaysInTheFile)
{
    CMainFrame& window = OpenMiddleOfThree();
    QWidget* editor = window.View().EditWidget();
    window.View().Editor().englishMode = true;
    QTest::keyClick(editor, Qt::Key_Plus, Qt::ShiftModifier);
    EXPECT_EQ(Current(), paths[1]);
    EXPECT_NE(window.View().Text().find('+'), std::string::npos);
}

TEST_F(FileKeysTest, TheFileMenuOffersNextAndPreviousFile)
{
    CMainFrame& window = OpenMiddleOfThree();
    QMenu* file = window.menuBar()->actions().front()->menu();
    QAction* next = nullptr;
    QAction* previous = nullptr;
    for (QAction* item : file->actions()) {
        if (item->data().toInt() == res::NextFile)
            next = item;
        if (item->data().toInt() == res::PreviousFile)
            previous = item;
    }
    ASSERT_NE(next, nullptr);
    ASSERT_NE(previous, nullptr);
    EXPECT_FALSE(next->text().isEmpty());
    next->trigger();
    EXPECT_EQ(Current(), paths[2]);
    previous->trigger();
    previous->trigger();
    EXPECT_EQ(Current(), paths[0]);
}

TEST_F(FileKeysTest, ExportOffersTheDocumentsFolderAndNameAsText)
{
    CMainFrame& window = OpenMiddleOfThree();
    QString shownFolder;
    QStringList offered;
    fakes::ModalAnswer<app::UnicodeFileDialog> answer([&](app::UnicodeFileDialog& dialog) {
        shownFolder = dialog.directory().absolutePath();
        offered = dialog.selectedFiles();
        dialog.reject();
    });
    window.RunCommand(res::FileExportUnicode);
    ASSERT_TRUE(answer.Shown()) << answer.Other();
    EXPECT_EQ(shownFolder.toStdString(), QFileInfo(QString::fromStdString(paths[1])).absolutePath().toStdString());
    ASSERT_EQ(offered.size(), 1);
    EXPECT_EQ(QFileInfo(offered.front()).fileName().toStdString(), "b.txt");
}

} // namespace
} // namespace apptest
