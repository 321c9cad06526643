#include "app/SystemFonts.h"

#include "keymap/DocumentFormat.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QRawFont>

namespace app {

bool SystemHasFontFace(const std::string& fontBytes)
{
    // A raw font reads the names without adding the file to the font database.
    const QRawFont face(QByteArray::fromStdString(fontBytes), 12);
    if (!face.isValid() || face.familyName().isEmpty())
        return false;
    const QString family = face.familyName();
    for (const QString& listed : QFontDatabase::families()) {
        if (QString::fromStdString(keymap::FamilyWithoutFoundry(listed.toStdString())).compare(family, Qt::CaseInsensitive) != 0)
            continue;
        if (QFontDatabase::styles(listed).contains(face.styleName(), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace app
