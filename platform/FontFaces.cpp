#include "platform/FontFaces.h"

#include <QFontDatabase>

#include <algorithm>

namespace platform {

bool FaceInstalled(const QString& face)
{
    if (face.isEmpty())
        return false;
    const QStringList families = QFontDatabase::families();
    return std::any_of(families.begin(), families.end(),
        [&](const QString& family) { return family.compare(face, Qt::CaseInsensitive) == 0; });
}

QStringList InstalledPersianFaces()
{
    // Nazli first: with Homa's tall ascent and descent a cell of the same height shows much
    // smaller letters. Nazli and FreeFarsi also carry the Latin letters Homa lacks.
    const QStringList order{QStringLiteral("Nazli"), QStringLiteral("Homa"), QStringLiteral("FreeFarsi")};
    QStringList installed;
    for (const QString& family : order) {
        if (FaceInstalled(family))
            installed << family;
    }
    return installed;
}

} // namespace platform
