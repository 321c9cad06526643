/** @file KeyEvent.h
 ** A key-down as the key handler sees it: the Windows virtual-key code of the physical key and the
 ** Shift and Control state that came with it. **/
#pragma once

#include "keymap/KeyCodes.h"

namespace editctl {

/// One key press. The modifier state travels with the event so nothing polls the keyboard.
struct KeyEvent {
    int virtualKey = 0;
    bool shift = false;
    bool control = false;
};

/// Key codes as keymaps name them.
namespace vk = keymap::vk;

/// The character a US keyboard types for a key with the given Shift state, or 0 when the key types
/// none (navigation and function keys). Letters ignore Caps Lock, as the handler does.
char UsKeyboardChar(int virtualKey, bool shift);

} // namespace editctl
