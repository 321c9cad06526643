#include "app/EditCommands.h"

#include "app/CommandHost.h"
#include "editctl/PersianEdit.h"
#include "res/ResourceIds.h"

namespace app {

EditCommands::EditCommands(CommandHost& host)
{
    editctl::PersianEdit& editor = host.Editor();
    auto thenFocus = [&host](auto command) {
        return [&host, command] {
            command();
            host.FocusEditor();
        };
    };
    Handle(res::EditUndo, thenFocus([&editor] { editor.Undo(); }));
    Handle(res::EditCopy, thenFocus([&editor] { editor.CopyCommand(); }));
    Handle(res::EditCut, thenFocus([&editor] {
        editor.CutCommand(editctl::DigitRun::End);
        // The menu's Cut marks the document even with nothing selected, as its Paste does.
        editor.modified = true;
    }));
    Handle(res::EditPaste, thenFocus([&editor] { editor.PasteCommand(editctl::DigitRun::End); }));
}

} // namespace app
