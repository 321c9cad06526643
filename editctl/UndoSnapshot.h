/** @file UndoSnapshot.h
 ** The one-level undo snapshot of the whole text, kept as the changes made since it was taken. **/
#pragma once

#include "editctl/EditWindow.h"

#include <string>
#include <vector>

namespace editctl {

/// Behaves as a copy of the whole text taken by Take, but costs only the changes made after it:
/// the window reports each change (with the bytes it removes) while the snapshot records, and
/// Restore undoes them newest first. An empty text taken is still a snapshot.
class UndoSnapshot : public EditRecorder {
public:
    /// Starts a snapshot of the window's current text and records its changes from now on.
    void Take(EditWindow& window);
    /// Puts the snapshot's text back into the window and empties the snapshot.
    void Restore(EditWindow& window);
    void Clear();
    bool Empty() const { return !taken; }
    /// The snapshot's text, rebuilt from the window's current text.
    std::string Text(const EditWindow& window) const;

    void Replacing(int position, const std::string& removed, int insertedLength) override;

private:
    struct Change {
        int position;
        std::string removed;
        int insertedLength;
    };
    std::vector<Change> changes;
    bool taken = false;
    bool restoring = false;
};

} // namespace editctl
