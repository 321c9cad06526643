#include "kbdedit/DialogLayout.h"

#include "res/DorvantileIds.h"

#include <QWidget>

namespace kbdedit {

void Place(QWidget* control, const DialogUnits& units, int id, int x, int y, int width, int height)
{
    platform::PlaceAt(control, units, x, y, width, height);
    if (id != 0)
        control->setObjectName(dorvantile_ids::IdName(id));
}

} // namespace kbdedit
