#include "tools/StatisticsDialog.h"

#include "editctl/Clipboard.h"
#include "tests/fakes/RecordingProgress.h"
#include "tests/fakes/ScriptedKeyState.h"
#include "tests/tools/ToolsFixture.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

struct StatisticsDialogTest : ToolsFixture {
    editctl::MemoryClipboard clipboard;
    fakes::RecordingProgress progress;
    QWidget mainWindow;
    keymap::KeyMap kolb = fakes::ShippedKeymap("kolb.kbd");

    StatisticsDialogTest() { mainWindow.setWindowTitle("UnTitled.txf - Kelmora"); }

    std::vector<tools::RankedWord> WordsOf(const char* utf8)
    {
        const fakes::ScriptedKeyState keys;
        return tools::CollectWordStatistics(fakes::Glyphs("kolb.kbd", utf8), keys, nullptr, nullptr).words;
    }
};

} // namespace

TEST_F(StatisticsDialogTest, ListsTheLinesAndCopiesThemAsUnicode)
{
    tools::StatisticsDialog dialog(WordsOf("کتاب دفتر کتاب"), kolb, clipboard);
    EXPECT_EQ(dialog.windowTitle(), "Statics");
    auto* list = dialog.findChild<QListView*>("id1049");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->model()->rowCount(), 2);
    for (const char* id : {"id1056", "id1052", "id1053"})
        EXPECT_NE(dialog.findChild<QWidget*>(id), nullptr) << id;
    EXPECT_EQ(dialog.findChild<QPushButton*>("id1")->text(), "OK");
    ASSERT_EQ(dialog.Lines().size(), 2u);
    EXPECT_EQ(dialog.Lines()[0].substr(0, 4), "   2");

    dialog.CopyButton()->click();
    EXPECT_EQ(clipboard.data.unicodeText, "2\tکتاب\t1\n1\tدفتر\t2\n");

    clipboard.data = {};
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard.data.unicodeText, "2\tکتاب\t1\n1\tدفتر\t2\n");
}

TEST_F(StatisticsDialogTest, CommandCancelledAtTheStartShowsNothingAndRestoresTheCaption)
{
    Document({"کتاب دفتر"});
    const fakes::ScriptedKeyState keys(0);
    bool dialogShown = false;
    QTimer::singleShot(0, [&dialogShown] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            dialogShown = true;
            modal->close();
        }
    });
    tools::RunStatisticsCommand({edit, converter, "kolb.kbd", keys, &progress, &mainWindow, clipboard});
    QApplication::processEvents(); // let the check above run if no dialog held the loop
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(mainWindow.windowTitle(), "UnTitled.txf - Kelmora");
    EXPECT_FALSE(progress.visible);
}

TEST_F(StatisticsDialogTest, CommandCountsTheDocumentConvertedToKolb)
{
    // A document in main.kbd: the counting happens in kolb.kbd whatever the document's font.
    edit.Window().SetText(fakes::Glyphs("main.kbd", "قلم و قلم"));
    const fakes::ScriptedKeyState keys;
    converter.SetProgressDisplay(&progress);
    std::vector<std::string> lines;
    QString captionWhileShown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<tools::StatisticsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        lines = dialog->Lines();
        captionWhileShown = mainWindow.windowTitle();
        dialog->OkButton()->click();
    });
    tools::RunStatisticsCommand({edit, converter, "main.kbd", keys, &progress, &mainWindow, clipboard});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], tools::StatisticsLine({fakes::Glyphs("kolb.kbd", "قلم"), 2, 1}));
    EXPECT_EQ(lines[1], tools::StatisticsLine({fakes::Glyphs("kolb.kbd", "و"), 1, 2}));
    EXPECT_EQ(captionWhileShown, "UnTitled.txf - Kelmora");
}
