#include "platform/QtKeyState.h"

#include <QGuiApplication>

namespace platform {

bool QtKeyState::ShiftHeld() const
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool QtKeyState::ControlHeld() const
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

} // namespace platform
