/** @file CommandTable.h
 ** The editor's command table: every command id with its menu text and keys, and the menu bar layout. **/
#pragma once

#include <QKeySequence>

#include <vector>

namespace app {

/// One command: its id, the menu item text ("&New\tCtrl+N"; empty for a keys-only command) and
/// every key that fires it.
struct CommandEntry {
    int id;
    const char* menuText;
    std::vector<QKeySequence> keys;
};

/// One pull-down menu: its title and the ids of its items in order; 0 marks a separator.
struct MenuEntry {
    const char* title;
    std::vector<int> items;
};

const std::vector<CommandEntry>& Commands();
const std::vector<MenuEntry>& MenuBarLayout();
/// The tool bar's buttons in order; 0 marks a separator.
const std::vector<int>& ToolBarLayout();
/// Commands that only make sense while the focus is in the dialog bar (Enter, Tab: back to the
/// editor); the editor itself uses those keys for typing.
bool IsDialogBarOnly(int id);
/// Whether `key` is a key of the numeric keypad. The platform's shortcut matching cannot tell these
/// from the main keyboard's twins (X11 drops the keypad modifier), so the window matches them itself.
bool IsKeypadKey(const QKeySequence& key);
/// The command a keypad key with its modifiers fires (Num +, Ctrl+Num −), or 0 for none.
int KeypadCommand(QKeyCombination key);

} // namespace app
