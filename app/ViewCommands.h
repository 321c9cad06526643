/** @file ViewCommands.h
 ** The View menu's commands and the window-state keys. **/
#pragma once

#include "app/CommandGroup.h"

class QMainWindow;
class QStatusBar;

namespace app {

class CommandHost;

/// Tool bar and status bar, Maximize/Restore, Minimize, back to the editor (Enter, Tab, Alt+`
/// in the dialog bar), which restores the window state the Maximize/Restore flag names, and the
/// word statistics of the document.
class ViewCommands : public CommandGroup {
public:
    ViewCommands(CommandHost& host, QMainWindow& window, QStatusBar& statusBar);
    /// The flag Maximize/Restore toggles; other ways of maximising do not change it.
    bool Maximised() const { return maximised; }

private:
    void MaximizeRestore();
    void BackToEditor();
    void Statistics();

    CommandHost& host;
    QMainWindow& window;
    bool maximised = false;
};

} // namespace app
