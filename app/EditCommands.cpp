#include "app/EditCommands.h"

#include "app/CommandHost.h"
#include "app/EditorView.h"
#include "editctl/PersianEdit.h"
#include "res/ResourceIds.h"
#include "tools/DateTimeText.h"
#include "tools/FindDialog.h"
#include "tools/ReplaceDialog.h"

namespace app {

EditCommands::EditCommands(CommandHost& host) : host(host)
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
    Handle(res::EditSelectAll, thenFocus([&editor] { editor.SelectAll(); }));
    Handle(res::EditFind, thenFocus([this] { Find(); }));
    Handle(res::EditFindNext, thenFocus([this] { FindNext(); }));
    Handle(res::EditReplace, thenFocus([this] { Replace(); }));
    Handle(res::InsertDate, thenFocus([&host] {
        tools::InsertDate(host.Editor(), host.Converter(), host.View().BoundKeyMap().FileName(), host.Clock());
    }));
    Handle(res::InsertTime, thenFocus([&host] {
        tools::InsertTime(host.Editor(), host.Converter(), host.View().BoundKeyMap().FileName(), host.Clock());
    }));
}

tools::FindTarget EditCommands::Target() const
{
    return {host.Editor(), host.Converter(), host.View().BoundKeyMap().FileName(), host.Messages()};
}

void EditCommands::Find() { tools::RunFindCommand(Target(), searchTexts, host.DialogParent()); }

void EditCommands::FindNext() { tools::RunFindNextCommand(Target(), searchTexts, host.DialogParent()); }

void EditCommands::Replace() { tools::RunReplaceCommand(Target(), searchTexts, host.DialogParent()); }

} // namespace app
