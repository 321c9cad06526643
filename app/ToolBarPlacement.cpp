/** @file ToolBarPlacement.cpp
 ** Start-up placement of the tool bar and its state at exit. **/
#include "app/ToolBarPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QMainWindow>
#include <QToolBar>

namespace app {
namespace {

Qt::ToolBarArea AreaOfStyle(int style)
{
    if (style != -1) {
        if (style & AlignLeft)
            return Qt::LeftToolBarArea;
        if (style & AlignRight)
            return Qt::RightToolBarArea;
        if (style & AlignBottom)
            return Qt::BottomToolBarArea;
    }
    return Qt::TopToolBarArea;
}

int StyleOfArea(Qt::ToolBarArea area)
{
    switch (area) {
    case Qt::LeftToolBarArea: return AlignLeft;
    case Qt::RightToolBarArea: return AlignRight;
    case Qt::BottomToolBarArea: return AlignBottom;
    default: return AlignTop;
    }
}

void DockToolBar(QMainWindow& window, QToolBar& bar, Qt::ToolBarArea area)
{
    if (bar.isWindow()) {
        bar.setWindowFlags(Qt::Widget);
        bar.setAttribute(Qt::WA_DontShowOnScreen, false);
    } else if (window.toolBarArea(&bar) == area) {
        return; // already there: adding it again would move it behind the bars that follow it
    }
    window.addToolBar(area, &bar);
    bar.setOrientation(area == Qt::LeftToolBarArea || area == Qt::RightToolBarArea ? Qt::Vertical : Qt::Horizontal);
}

/// Holds a floating bar off the screen until its main window first shows, then shows it in place,
/// so that at start-up the bar does not stand alone beside start-up messages.
class ShowWithOwner : public QObject {
public:
    static constexpr const char* Name = "showWithOwner";

    ShowWithOwner(QToolBar& bar, QWidget& owner) : QObject(&bar), bar(bar)
    {
        setObjectName(QLatin1String(Name));
        bar.setAttribute(Qt::WA_DontShowOnScreen, true);
        owner.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            // The owner's own window is mapped just after its show event. Shown before it, the bar
            // would be mapped first, and a window manager would not take it for the owner's
            // tool window: it would stay behind the owner.
            QMetaObject::invokeMethod(
                this, [this] {
                    Release();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    void Release()
    {
        if (!bar.testAttribute(Qt::WA_DontShowOnScreen))
            return;
        const bool shown = !bar.isHidden();
        const QPoint at = bar.pos();
        bar.hide();
        bar.setAttribute(Qt::WA_DontShowOnScreen, false);
        bar.move(at);
        if (shown) {
            bar.show();
            // Some platforms activate every window that appears; the keys belong to the owner.
            if (QWidget* owner = bar.parentWidget(); owner != nullptr && owner->isVisible())
                owner->activateWindow();
        }
    }

    QToolBar& bar;
};

/// Raises a floating bar whenever its owner comes to the front (activated, maximized, restored),
/// so the bar never ends up behind its own main window.
class KeepAboveOwner : public QObject {
public:
    static constexpr const char* Name = "keepAboveOwner";

    KeepAboveOwner(QToolBar& bar, QWidget& owner) : QObject(&bar), bar(bar)
    {
        setObjectName(QLatin1String(Name));
        owner.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::WindowStateChange:
        case QEvent::WindowActivate:
        case QEvent::Show:
            if (bar.isWindow() && bar.isVisible())
                QMetaObject::invokeMethod(&bar, &QWidget::raise, Qt::QueuedConnection);
            break;
        default:
            break;
        }
        return false;
    }

private:
    QToolBar& bar;
};

template <typename Helper>
bool HasHelper(const QToolBar& bar)
{
    return bar.findChild<QObject*>(QLatin1String(Helper::Name), Qt::FindDirectChildrenOnly) != nullptr;
}

/// `at` moved so that a bar of `size` there lies on a screen.
QPoint OnScreen(QPoint at, QSize size)
{
    const EditorSettings::WindowRectangle fitted =
        EditorSettings::FitToScreens({at.x(), at.y(), size.width(), size.height()}, AvailableScreens());
    return QPoint(fitted.left, fitted.top);
}

} // namespace

std::vector<EditorSettings::WindowRectangle> AvailableScreens()
{
    std::vector<EditorSettings::WindowRectangle> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->availableGeometry();
        screens.push_back({r.left(), r.top(), r.width(), r.height()});
    }
    return screens;
}

ToolBarState ReadToolBarState(const EditorSettings& settings)
{
    const EditorSettings::ToolBarValues stored = settings.ToolBar();
    ToolBarState state;
    state.visible = stored.visible;
    state.floating = stored.floating;
    state.style = stored.style;
    state.position = QPoint(stored.left, stored.top);
    return state;
}

void FloatToolBar(QToolBar& bar, QPoint at)
{
    // A floating tool bar is a frameless tool window of the main window; the main window's layout
    // then skips it, as it does for a bar the user drags off. It never takes the keyboard focus
    // from the editor.
    const bool wasHidden = bar.isHidden();
    bar.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    bar.setOrientation(Qt::Horizontal);
    bar.adjustSize();
    bar.move(OnScreen(at, bar.size()));
    QWidget* owner = bar.parentWidget();
    if (owner != nullptr && !owner->isVisible() && !HasHelper<ShowWithOwner>(bar))
        new ShowWithOwner(bar, *owner);
    if (owner != nullptr && !HasHelper<KeepAboveOwner>(bar))
        new KeepAboveOwner(bar, *owner);
    if (!wasHidden)
        bar.show();
}

void PlaceToolBar(QMainWindow& window, QToolBar& bar, const ToolBarState& state)
{
    const QPoint at(state.position.x(), state.position.y() - FloatingCaptionHeight);
    if (!state.visible) {
        if (!state.floating)
            DockToolBar(window, bar, AreaOfStyle(state.style));
        bar.hide();
        return;
    }
    bar.show();
    if (state.floating)
        FloatToolBar(bar, at);
    else
        DockToolBar(window, bar, AreaOfStyle(state.style));
}

ToolBarState CurrentToolBarState(const QMainWindow& window, const QToolBar& bar)
{
    ToolBarState state;
    state.visible = !bar.isHidden();
    state.floating = bar.isFloating();
    const Qt::ToolBarArea area = window.toolBarArea(const_cast<QToolBar*>(&bar));
    state.style = StyleOfArea(area);
    const QPoint screen = bar.isWindow() ? bar.pos() : bar.mapToGlobal(QPoint(0, 0));
    state.position = QPoint(screen.x(), screen.y() + (state.floating ? FloatingCaptionHeight : 0));
    return state;
}

} // namespace app
