/** @file VirtualKeyMap.h
 ** Turns Qt key events into the Windows virtual-key codes of the physical keys pressed. **/
#pragma once

class QKeyEvent;

namespace editctl {

/// The keymaps name keys by their Windows virtual-key codes, which follow the physical key and not
/// the desktop's layout: a Persian layout must still give 0x41 for the A key. On X11 and Wayland the
/// event's native scan code is the evdev code plus 8, which a fixed table turns into the VK code;
/// Windows hands out the VK code itself. Events without native codes (synthesised ones) fall back
/// on the Qt key, read as a US keyboard.
class VirtualKeyMap {
public:
    /// The VK code of a Linux evdev key code; 0 for keys the editor has no code for.
    static int FromEvdev(int evdevCode);
    /// The VK code of a Qt::Key as it would come from a US keyboard; 0 for unknown keys. `keypad`
    /// says the key came from the numeric keypad (Qt::KeypadModifier).
    static int FromQtKey(int qtKey, bool keypad);
    /// The VK code of the physical key of an event; 0 when it has none.
    static int FromEvent(const QKeyEvent& event);
};

} // namespace editctl
