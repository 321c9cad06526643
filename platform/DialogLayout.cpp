#include "platform/DialogLayout.h"

#include <QFontMetrics>
#include <QWidget>

#include <cmath>

namespace platform {

QFont DialogFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits DialogUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int baseX = static_cast<int>(std::lround(metrics.horizontalAdvance(letters) / 52.0));
    return DialogUnits(baseX, metrics.height());
}

void PlaceAt(QWidget* control, const DialogUnits& units, int x, int y, int width, int height)
{
    const UnitRect r = units.Rect(x, y, width, height);
    control->setGeometry(r.x, r.y, r.width, r.height);
}

} // namespace platform
