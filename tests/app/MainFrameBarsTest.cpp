/** Main window: the dialog bar's controls at the default size and when the floating tool bar appears. **/
#include "tests/app/MainFrameFixture.h"

#include "app/DialogBar.h"
#include "app/EditorView.h"
#include "app/ToolBarPlacement.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QComboBox>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <QtTest/QTest>

namespace apptest {
namespace {

using app::CMainFrame;

bool ShownOnScreen(const QWidget& widget)
{
    return widget.windowHandle() != nullptr && widget.windowHandle()->isVisible();
}

TEST_F(MainFrameTest, EveryDialogBarControlIsReachableAtTheDefaultSize)
{
    InstallKeymap("main.kbd");
    struct Case {
        const char* name;
        int docked; // "T1Dock": 1 floats the tool bar, 0 docks it
        int style;  // "T1Adjust"
    };
    for (const Case c : {Case{"floating", 1, -1}, Case{"docked top", 0, app::AlignTop},
                         Case{"docked left", 0, app::AlignLeft}}) {
        SCOPED_TRACE(c.name);
        services.settings.WriteInt("Temp", "FirstTime", 0);
        services.settings.WriteInt("Settings", "T1Dock", c.docked);
        services.settings.WriteInt("Settings", "T1Adjust", c.style);
        CMainFrame& window = CreateFrame();
        ASSERT_EQ(window.size(), QSize(500, 300));
        window.show();
        QApplication::setActiveWindow(&window);
        window.FocusEditor();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_EQ(window.width(), 500) << "the bar does not widen the window";

        for (int id : {res::KeymapBox, res::FaceNameBox, res::SetFont, res::SizeBox, res::ScratchBox,
                       res::ScratchAdd, res::ScratchDelete, res::LaunchKeymapEditor}) {
            const auto* control = window.Bar().findChild<QWidget*>(res::ObjectName(id));
            ASSERT_NE(control, nullptr) << id;
            EXPECT_TRUE(control->isVisible()) << id << " is folded behind the extension button";
            const QRect inWindow(control->mapTo(&window, QPoint(0, 0)), control->size());
            EXPECT_TRUE(window.rect().contains(inWindow)) << id << " lies outside the window";
        }
        for (const QToolButton* button : window.Bar().findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
            EXPECT_FALSE(button->isVisible()) << "nothing left for the extension menu";

        QTest::keyClick(window.View().EditWidget(), Qt::Key_F3, Qt::AltModifier);
        EXPECT_EQ(window.focusWidget(), window.Bar().SizeBox()) << "Alt+F3";
        QTest::keyClick(window.Bar().SizeBox(), Qt::Key_Return);
        QTest::keyClick(window.View().EditWidget(), Qt::Key_F2, Qt::AltModifier);
        EXPECT_EQ(window.focusWidget(), window.Bar().ScratchBox()) << "Alt+F2";
        frame.reset();
    }
}

TEST_F(MainFrameTest, DialogBarWrapsOnlyWhenTheWindowIsTooNarrow)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    window.show();
    QApplication::processEvents();
    // Controls of one row are centred on it.
    const auto rowOf = [&](int id) {
        return window.Bar().findChild<QWidget*>(res::ObjectName(id))->geometry().center().y();
    };
    const int narrowHeight = window.Bar().height();
    EXPECT_LT(rowOf(res::KeymapBox), rowOf(res::LaunchKeymapEditor)) << "two rows at 500 pixels";

    window.resize(1600, 300);
    QApplication::processEvents();
    EXPECT_NEAR(rowOf(res::KeymapBox), rowOf(res::SizeBox), 1);
    EXPECT_NEAR(rowOf(res::KeymapBox), rowOf(res::LaunchKeymapEditor), 1) << "one row when there is room";
    EXPECT_LT(window.Bar().height(), narrowHeight) << "the bar gives the spare row back";
}

TEST_F(MainFrameTest, FloatingToolBarAppearsWithTheMainWindow)
{
    InstallMainKeymapAfterFirstRun();
    services.settings.WriteInt("Settings", "T1PosX", 160);
    services.settings.WriteInt("Settings", "T1PosY", 70);
    CMainFrame& window = CreateFrame();
    QApplication::processEvents();

    // Before the window shows (while start-up messages may still be up) the bar is placed and
    // meant to be shown, but nothing of it is on the screen.
    const QToolBar& bar = window.ToolBar();
    EXPECT_TRUE(bar.isFloating());
    EXPECT_FALSE(bar.isHidden());
    EXPECT_FALSE(ShownOnScreen(bar));

    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(ShownOnScreen(window));
    EXPECT_TRUE(ShownOnScreen(bar));
    EXPECT_TRUE(bar.isFloating());
    EXPECT_EQ(bar.pos(), QPoint(160, 70 - app::FloatingCaptionHeight));
    EXPECT_TRUE(window.Action(res::ViewToolbar)->isChecked());

    // Hidden and shown again through its menu item, it comes and goes at once.
    window.Action(res::ViewToolbar)->trigger();
    EXPECT_FALSE(ShownOnScreen(bar));
    window.Action(res::ViewToolbar)->trigger();
    EXPECT_TRUE(ShownOnScreen(bar));
}

TEST_F(MainFrameTest, ToolBarHiddenBeforeTheWindowShowsStaysHidden)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    window.Action(res::ViewToolbar)->trigger();
    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(window.ToolBar().isHidden());
    EXPECT_FALSE(ShownOnScreen(window.ToolBar()));
}

} // namespace
} // namespace apptest
