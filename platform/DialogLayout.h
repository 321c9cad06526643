/** @file DialogLayout.h
 ** Windows laid out as dialog templates are: a dialog font, its base units, and controls placed at
 ** dialog-unit rectangles. **/
#pragma once

#include "platform/DialogUnits.h"

#include <QFont>

class QWidget;

namespace platform {

/// MS Sans Serif 8, or what the system substitutes for it.
QFont DialogFont();
/// Base units of a font: its average width of the 52 Latin letters and its height.
DialogUnits DialogUnitsOf(const QFont& font);
/// Gives a control the pixel geometry of a dialog-unit rectangle.
void PlaceAt(QWidget* control, const DialogUnits& units, int x, int y, int width, int height);

} // namespace platform
