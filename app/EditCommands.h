/** @file EditCommands.h
 ** The Edit menu's commands. **/
#pragma once

#include "app/CommandGroup.h"

namespace app {

class CommandHost;

/// Undo and the clipboard commands, carried out by the editor's own commands so that a menu
/// item does exactly what its key does in the editor.
///
/// Still to come here: Find, Find Next and Replace, Insert Date and Insert Time, Scratch Select.
/// Each is a Handle line calling a function of tools/ or extras/ with what it needs of the host.
/// Select All stays without a handler: its key is the editor's, and the item stays disabled.
class EditCommands : public CommandGroup {
public:
    explicit EditCommands(CommandHost& host);
};

} // namespace app
