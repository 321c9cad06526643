#include "kbdedit/KeyReplay.h"

#include "editctl/PersianEdit.h"

namespace kbdedit {

void KeyReplay::Restart(const FieldState& state)
{
    base = state;
    keys.clear();
}

FieldState KeyReplay::Replay(keymap::KeyMap& map) const
{
    // Digits typed left to right are counted for every control at once; a replay must not move it.
    const int digitRun = editctl::PersianEdit::digitRun;
    editctl::PersianEdit edit(editctl::WindowStyle::SingleLine);
    edit.SetKeyMap(&map);
    edit.Window().SetText(base.text);
    edit.Window().SetSel(base.start, base.end);
    for (const editctl::KeyEvent& key : keys)
        edit.DeliverKey(key);
    editctl::PersianEdit::digitRun = digitRun;
    FieldState state;
    state.text = edit.Window().GetText();
    edit.Window().GetSel(state.start, state.end);
    return state;
}

} // namespace kbdedit
