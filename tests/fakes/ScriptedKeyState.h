/** @file ScriptedKeyState.h
 ** Test fake: a keyboard on which Shift and Control go down at a chosen poll. **/
#pragma once

#include "platform/KeyState.h"

namespace fakes {

/// Counts the polls of ShiftAndControlHeld (each asks ShiftHeld once); both keys read as held from
/// poll number `heldFromPoll` on (0 is the first poll). Negative: never held.
class ScriptedKeyState : public platform::KeyState {
public:
    explicit ScriptedKeyState(long heldFromPoll = -1) : heldFrom(heldFromPoll) {}
    bool ShiftHeld() const override { return heldFrom >= 0 && polls++ >= heldFrom; }
    bool ControlHeld() const override { return heldFrom >= 0 && polls > heldFrom; }

    long Polls() const { return polls; }

private:
    long heldFrom;
    mutable long polls = 0;
};

} // namespace fakes
