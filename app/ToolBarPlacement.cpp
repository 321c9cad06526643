/** @file ToolBarPlacement.cpp
 ** Start-up placement of the tool bar and its state at exit. **/
#include "app/ToolBarPlacement.h"

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
    } else if (window.toolBarArea(&bar) == area) {
        return; // already there: adding it again would move it behind the bars that follow it
    }
    window.addToolBar(area, &bar);
    bar.setOrientation(area == Qt::LeftToolBarArea || area == Qt::RightToolBarArea ? Qt::Vertical : Qt::Horizontal);
}

} // namespace

ToolBarState ReadToolBarState(const platform::SettingsStore& settings)
{
    ToolBarState state;
    state.visible = settings.ReadInt("Settings", "T1Show", 1) != 0;
    state.floating = settings.ReadInt("Settings", "T1Dock", 1) != 0;
    state.style = settings.ReadInt("Settings", "T1Adjust", -1);
    state.position = QPoint(settings.ReadInt("Settings", "T1PosX", 100), settings.ReadInt("Settings", "T1PosY", 100));
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
