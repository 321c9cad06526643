/** @file TableHistory.h
 ** Unlimited undo and redo of the keymap editor's working table, and whether it differs from the
 ** table last saved or loaded. **/
#pragma once

#include "keymap/KeyRecord.h"

#include <cstddef>
#include <vector>

namespace kbdedit {

/// Every state the working table went through, with the position of the current one. A change made
/// after some undos drops the states that could have been redone. A table is 1,872 bytes, so keeping
/// whole states costs little and makes every step exact.
class TableHistory {
public:
    /// Starts over with `table` as the only state, counted as saved.
    void Reset(const keymap::KeyTable& table);
    /// Adds `table` as the state after the current one; a table equal to the current one adds nothing.
    void Record(const keymap::KeyTable& table);

    bool CanUndo() const { return position > 0; }
    bool CanRedo() const { return position + 1 < states.size(); }
    /// Steps back or forward; the table now current. Without a step to take it stays where it is.
    const keymap::KeyTable& Undo();
    const keymap::KeyTable& Redo();
    const keymap::KeyTable& Current() const { return states[position]; }

    /// The current state is what the file now holds.
    void MarkSaved() { saved = static_cast<long>(position); }
    /// Whether the current state is other than the one saved last (or loaded).
    bool IsModified() const { return saved != static_cast<long>(position); }

private:
    std::vector<keymap::KeyTable> states{keymap::KeyTable{}};
    size_t position = 0;
    long saved = 0; // -1 once the saved state was dropped: no position reaches it again
};

} // namespace kbdedit
