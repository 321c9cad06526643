/** @file QtKeyState.h
 ** The modifier state of the real keyboard, through Qt's query of the window system. **/
#pragma once

#include "platform/KeyState.h"

namespace platform {

/// Asks the window system on every call, so a loop that processes no events still sees the keys.
class QtKeyState : public KeyState {
public:
    bool ShiftHeld() const override;
    bool ControlHeld() const override;
};

} // namespace platform
