/** @file KeyState.h
 ** The keyboard's modifier state, polled by long operations that the user cancels by holding keys. **/
#pragma once

namespace platform {

/// Which modifiers are held down right now, asked of the keyboard rather than taken from an event.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool ShiftHeld() const = 0;
    virtual bool ControlHeld() const = 0;

    bool ShiftAndControlHeld() const { return ShiftHeld() && ControlHeld(); }
};

/// A keyboard nobody touches: for programs and tools without a display.
class NoKeysHeld : public KeyState {
public:
    bool ShiftHeld() const override { return false; }
    bool ControlHeld() const override { return false; }
};

} // namespace platform
