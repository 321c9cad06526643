/** @file FileCommands.h
 ** The File menu's commands and the next/previous-file keys. **/
#pragma once

#include "app/CommandGroup.h"

class QWidget;

namespace app {

class CommandHost;

/// New, Open, Revert, Save, Save As, next and previous file (the document commands), and Exit,
/// which closes `window` (its close handler asks the save-changes question). The recent-file
/// entries are the window's own: their actions come and go with the list.
class FileCommands : public CommandGroup {
public:
    FileCommands(CommandHost& host, QWidget& window);
};

} // namespace app
