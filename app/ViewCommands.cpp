#include "app/ViewCommands.h"

#include "app/CommandHost.h"
#include "res/ResourceIds.h"

#include <QMainWindow>
#include <QStatusBar>

namespace app {

ViewCommands::ViewCommands(CommandHost& host, QMainWindow& window, QStatusBar& statusBar)
    : host(host), window(window)
{
    // The tool bar item's action toggles the bar itself; the command only gives the focus back.
    Handle(res::ViewToolbar, [&host] { host.FocusEditor(); });
    Handle(res::ViewStatusBar, [&host, &statusBar] {
        statusBar.setVisible(!statusBar.isVisible());
        host.FocusEditor();
    });
    Handle(res::MaximizeRestore, [this] { MaximizeRestore(); });
    Handle(res::MinimizeWindow, [&window] { window.showMinimized(); });
    Handle(res::BackToEditor, [this] { BackToEditor(); });
}

void ViewCommands::MaximizeRestore()
{
    if (!maximised)
        window.showMaximized();
    else
        window.showNormal();
    maximised = !maximised;
    host.FocusEditor();
}

void ViewCommands::BackToEditor()
{
    if (maximised)
        window.showMaximized();
    else
        window.showNormal();
    host.FocusEditor();
}

} // namespace app
