/** The floating tool bar: shown after its main window, kept on a screen and as its tool window. **/
#include "tests/app/MainFrameFixture.h"

#include "app/ToolBarPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>
#include <QWindow>

namespace apptest {
namespace {

using app::CMainFrame;

/// Notes whether the main window was already on the screen when the bar came up.
class ShowOrder : public QObject {
public:
    ShowOrder(QWidget& bar, QWidget& owner) : owner(owner) { bar.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* bar = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && !bar->testAttribute(Qt::WA_DontShowOnScreen) && !seen) {
            seen = true;
            ownerWasMapped = owner.windowHandle() != nullptr && owner.windowHandle()->isVisible();
        }
        return false;
    }

    QWidget& owner;
    bool seen = false;
    bool ownerWasMapped = false;
};

TEST_F(MainFrameTest, FloatingToolBarComesUpAfterItsWindowAsItsToolWindow)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    QToolBar& bar = window.ToolBar();
    ShowOrder order(bar, window);
    window.show();
    QApplication::processEvents();

    ASSERT_TRUE(order.seen);
    EXPECT_TRUE(order.ownerWasMapped) << "a bar mapped before its owner is not kept above it";
    ASSERT_NE(bar.windowHandle(), nullptr);
    EXPECT_EQ(bar.windowHandle()->transientParent(), window.windowHandle());
    EXPECT_TRUE(bar.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus)) << "the editor keeps the keys";
}

TEST_F(MainFrameTest, FloatingToolBarStoredOffEveryScreenComesBackOnOne)
{
    InstallMainKeymapAfterFirstRun();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case { int x, y; };
    for (const Case c : {Case{-40000, 100}, Case{100, 90000}, Case{screen.right() + 500, screen.bottom() + 500}}) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        services.settings.WriteInt("Settings", "T1PosX", c.x);
        services.settings.WriteInt("Settings", "T1PosY", c.y);
        CMainFrame& window = CreateFrame();
        window.show();
        QApplication::processEvents();
        const QRect bar = window.ToolBar().frameGeometry();
        EXPECT_TRUE(screen.contains(bar)) << bar.x() << "," << bar.y() << " " << bar.width() << "x" << bar.height();
        ASSERT_TRUE(CloseFrame());
    }
}

} // namespace
} // namespace apptest
