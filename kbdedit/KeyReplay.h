/** @file KeyReplay.h
 ** The keys typed into the try-it field, kept so that a change of the table can type them again:
 ** the field then shows what the same keys give with the new table, shapes chosen anew. **/
#pragma once

#include "editctl/KeyEvent.h"
#include "keymap/KeyMap.h"

#include <string>
#include <vector>

namespace kbdedit {

/// A text with its selection, as the field holds it.
struct FieldState {
    std::string text;
    int start = 0;
    int end = 0;
    friend bool operator==(const FieldState&, const FieldState&) = default;
};

class KeyReplay {
public:
    /// The keys since `base` was the field's content.
    void Restart(const FieldState& base);
    void Record(const editctl::KeyEvent& key) { keys.push_back(key); }
    const FieldState& Base() const { return base; }
    void SetBaseText(const std::string& text) { base.text = text; }

    /// What a one-line edit control shows after the keys, from the base, with `map`.
    FieldState Replay(keymap::KeyMap& map) const;

private:
    FieldState base;
    std::vector<editctl::KeyEvent> keys;
};

} // namespace kbdedit
