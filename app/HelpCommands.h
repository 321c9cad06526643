/** @file HelpCommands.h
 ** The Help menu's commands. **/
#pragma once

#include "app/CommandGroup.h"

namespace app {

class CommandHost;

/// About (the box reads its picture from the program folder) and Shortcut Keys; each window has
/// no parent and is shown modally, and the editor gets the focus back when it closes.
class HelpCommands : public CommandGroup {
public:
    explicit HelpCommands(CommandHost& host);

private:
    void About();
    void ShortcutKeys();

    CommandHost& host;
};

} // namespace app
