/** @file PoetryPicture.h
 ** The picture of the poetry window (Quvel.bmp), drawn in code: a night garden with moon, cypress and tulip. **/
#pragma once

#include <QImage>

namespace extras {

/// 92 x 336, 24-bit colour, the same on every machine (shapes only, no text).
QImage DrawPoetryPicture();

} // namespace extras
