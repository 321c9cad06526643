/** @file ToolBarPlacement.cpp
 ** Start-up placement of the tool bar and its state at exit. **/
#include "app/ToolBarPlacement.h"

#include <QEvent>
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
            Release();
            deleteLater();
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
        if (shown)
            bar.show();
    }

    QToolBar& bar;
};

} // namespace

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
    // then skips it, as it does for a bar the user drags off.
    const bool wasHidden = bar.isHidden();
    bar.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    bar.setOrientation(Qt::Horizontal);
    bar.adjustSize();
    bar.move(at);
    QWidget* owner = bar.parentWidget();
    if (owner != nullptr && !owner->isVisible()
        && !bar.findChild<QObject*>(QLatin1String(ShowWithOwner::Name), Qt::FindDirectChildrenOnly))
        new ShowWithOwner(bar, *owner);
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
