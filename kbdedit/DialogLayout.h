/** @file DialogLayout.h
 ** Helpers that lay out Dorvantile's windows as dialog templates do: a dialog font, its base
 ** units, and controls placed at dialog-unit rectangles and named by their resource ids. **/
#pragma once

#include "kbdedit/DialogUnits.h"

#include <QFont>

class QWidget;

namespace kbdedit {

/// MS Sans Serif 8, or what the system substitutes for it.
QFont DialogFont();
/// Base units of a font: its average width of the 52 Latin letters and its height.
DialogUnits DialogUnitsOf(const QFont& font);
/// Places a control at a dialog-unit rectangle and names it by its id (when the id is not 0).
void Place(QWidget* control, const DialogUnits& units, int id, int x, int y, int width, int height);

} // namespace kbdedit
