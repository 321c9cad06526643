#include "editctl/UndoSnapshot.h"

namespace editctl {

void UndoSnapshot::Take(EditWindow& window)
{
    changes.clear();
    taken = true;
    window.SetRecorder(this);
}

void UndoSnapshot::Clear()
{
    changes.clear();
    changes.shrink_to_fit();
    taken = false;
}

void UndoSnapshot::Replacing(int position, const std::string& removed, int insertedLength)
{
    if (!taken || restoring)
        return;
    changes.push_back({position, removed, insertedLength});
}

void UndoSnapshot::Restore(EditWindow& window)
{
    if (!taken)
        return;
    restoring = true;
    for (auto it = changes.rbegin(); it != changes.rend(); ++it)
        window.ReplaceExact(it->position, it->position + it->insertedLength, it->removed);
    restoring = false;
    Clear();
}

std::string UndoSnapshot::Text(const EditWindow& window) const
{
    if (!taken)
        return {};
    std::string text = window.GetText();
    for (auto it = changes.rbegin(); it != changes.rend(); ++it)
        text.replace(static_cast<size_t>(it->position), static_cast<size_t>(it->insertedLength), it->removed);
    return text;
}

} // namespace editctl
