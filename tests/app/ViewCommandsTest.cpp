// The Statistics command in the main window: a main.kbd document counted in kolb.kbd, the result
// copied to the desktop's clipboard as Unicode, and the cancel by Shift and Control.
#include "tests/app/MainFrameFixture.h"

#include "app/DialogBar.h"
#include "app/EditorView.h"
#include "editctl/PersianEdit.h"
#include "res/ResourceIds.h"
#include "tests/fakes/ModalAnswer.h"
#include "tests/fakes/ScriptedKeyState.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tools/StatisticsDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QClipboard>
#include <QPushButton>

namespace apptest {
namespace {

class ViewCommandsTest : public MainFrameTest {
protected:
    app::CMainFrame& Open(const char* persian)
    {
        InstallKeymap("main.kbd");
        InstallKeymap("kolb.kbd");
        services.settings.WriteInt("Temp", "FirstTime", 0);
        app::CMainFrame& window = CreateFrame();
        window.show();
        window.setWindowTitle("UnTitled.txf - Kelmora");
        window.View().Editor().Window().SetText(fakes::Glyphs("main.kbd", persian));
        return window;
    }
    /// Runs Statistics; `use` gets the dialog if it is shown. Returns whether it was.
    bool RunStatistics(std::function<void(tools::StatisticsDialog&)> use)
    {
        fakes::ModalAnswer<tools::StatisticsDialog> answer(std::move(use));
        frame->Bar().SizeBox()->setFocus();
        frame->RunCommand(res::Statistics);
        EXPECT_EQ(frame->focusWidget(), frame->View().EditWidget());
        return answer.Shown();
    }
};

TEST_F(ViewCommandsTest, StatisticsOfAMainKbdDocumentCopyAsUnicodeToTheDesktopClipboard)
{
    app::CMainFrame& window = Open("باغ و کتاب و باغ، کتاب باغ");
    const std::string before = window.View().Editor().Window().GetText();
    QApplication::clipboard()->clear();
    std::vector<std::string> lines;
    ASSERT_TRUE(RunStatistics([&lines](tools::StatisticsDialog& dialog) {
        lines = dialog.Lines();
        dialog.CopyButton()->click();
    }));
    EXPECT_EQ(lines.size(), 3u);
    // Equal counts: the text runs in display order, from the line's logical end, so "و" occurs
    // later than "کتاب" and comes first.
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "3\tباغ\t1\n2\tو\t2\n2\tکتاب\t3\n");
    EXPECT_EQ(window.windowTitle(), "UnTitled.txf - Kelmora") << "the cancel caption goes again";
    EXPECT_EQ(window.View().Editor().Window().GetText(), before) << "the document is only read";
}

TEST_F(ViewCommandsTest, ShiftAndControlHeldWhileCollectingCancelWithoutADialog)
{
    app::CMainFrame& window = Open("باغ و کتاب");
    fakes::ScriptedKeyState keys(0);
    window.SetKeyState(keys);
    EXPECT_FALSE(RunStatistics([](tools::StatisticsDialog&) {}));
    EXPECT_GT(keys.Polls(), 0);
    EXPECT_EQ(window.windowTitle(), "UnTitled.txf - Kelmora");
}

} // namespace
} // namespace apptest
