#include "app/ViewCommands.h"

#include "app/CommandHost.h"
#include "app/EditorView.h"
#include "editctl/QtClipboard.h"
#include "res/ResourceIds.h"
#include "tools/StatisticsDialog.h"

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
    Handle(res::Statistics, [this] { Statistics(); });
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

void ViewCommands::Statistics()
{
    // Copy reaches the desktop's clipboard, the one the editor's own Copy and Paste use.
    tools::RunStatisticsCommand({host.Editor(), host.Converter(), host.View().BoundKeyMap().FileName(), host.Keys(),
                                 &host.Progress(), host.DialogParent(), editctl::QtClipboard::Shared()});
    host.FocusEditor();
}

} // namespace app
