#include "kbdedit/TableHistory.h"

namespace kbdedit {

void TableHistory::Reset(const keymap::KeyTable& table)
{
    states.assign(1, table);
    position = 0;
    saved = 0;
}

void TableHistory::Record(const keymap::KeyTable& table)
{
    if (table == states[position])
        return;
    states.resize(position + 1);
    if (saved > static_cast<long>(position))
        saved = -1;
    states.push_back(table);
    ++position;
}

const keymap::KeyTable& TableHistory::Undo()
{
    if (CanUndo())
        --position;
    return states[position];
}

const keymap::KeyTable& TableHistory::Redo()
{
    if (CanRedo())
        ++position;
    return states[position];
}

} // namespace kbdedit
