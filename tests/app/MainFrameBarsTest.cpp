/** Main window: the dialog bar's controls at the default size. **/
#include "tests/app/MainFrameFixture.h"

#include "app/DialogBar.h"
#include "app/EditorView.h"
#include "app/ToolBarPlacement.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QComboBox>
#include <QToolBar>
#include <QToolButton>
#include <QtTest/QTest>

namespace apptest {
namespace {

using app::CMainFrame;

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

} // namespace
} // namespace apptest
