/** @file EditCommands.h
 ** The Edit menu's commands. **/
#pragma once

#include "app/CommandGroup.h"
#include "tools/FindReplace.h"

namespace app {

class CommandHost;

/// Undo and the clipboard commands, carried out by the editor's own commands so that a menu
/// item does exactly what its key does in the editor; Find, Find Next and Replace with the last
/// search and replacement texts, kept here from one command to the next; Insert Date and Insert
/// Time from the host's clock.
///
/// Still to come here: Scratch Select.
/// Select All stays without a handler: its key is the editor's, and the item stays disabled.
class EditCommands : public CommandGroup {
public:
    explicit EditCommands(CommandHost& host);

    /// The texts the next Find, Find Next or Replace starts with, as typed (main.kbd glyphs).
    const tools::SearchTexts& LastSearch() const { return searchTexts; }

private:
    /// The editor, its keymap and the services as they are now: the keymap changes with the document.
    tools::FindTarget Target() const;
    void Find();
    void FindNext();
    void Replace();

    CommandHost& host;
    tools::SearchTexts searchTexts;
};

} // namespace app
