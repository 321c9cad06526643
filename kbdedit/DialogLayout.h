/** @file DialogLayout.h
 ** Dorvantile's windows laid out as dialog templates, with controls named by their resource ids. **/
#pragma once

#include "platform/DialogLayout.h"

namespace kbdedit {

using platform::DialogFont;
using platform::DialogUnits;
using platform::DialogUnitsOf;
using platform::UnitRect;

/// Places a control at a dialog-unit rectangle and names it by its id (when the id is not 0).
void Place(QWidget* control, const DialogUnits& units, int id, int x, int y, int width, int height);

} // namespace kbdedit
