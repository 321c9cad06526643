/** @file FontFaces.h
 ** Which font faces the machine has: what both programs ask before choosing a face to draw with. **/
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

/// True when a font family of this name (compared without case) is installed.
bool FaceInstalled(const QString& face);

/// The Persian Unicode faces the project installs that are installed here, in order of preference:
/// the stand-ins for a legacy face the machine lacks.
QStringList InstalledPersianFaces();

} // namespace platform
