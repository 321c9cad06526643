/** @file ScratchTiles.h
 ** The pictures of the Scratch Select dialog, drawn in code: the selected tile (178), the other
 ** tiles (179) and the dialog's icon (180). **/
#pragma once

#include <QImage>

namespace extras {

inline constexpr int SelectedTilePicture = 178;
inline constexpr int TilePicture = 179;
inline constexpr int SelectorIcon = 180;

/// A 160 × 20 tile (178 or 179), or the 32 × 32 icon (180); a null image for any other id.
QImage ScratchPicture(int id);

} // namespace extras
