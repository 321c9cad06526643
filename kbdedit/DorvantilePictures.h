/** @file DorvantilePictures.h
 ** The pictures Dorvantile draws itself: the keyboard (711 x 300), the program icon and the file
 ** chooser's decorative picture. **/
#pragma once

#include "kbdedit/KeyboardGrid.h"

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QString>

#include <array>

namespace kbdedit {

/// What the grid's caps show instead of their fixed legends: one text a record, in one font.
struct CapLetters {
    std::array<QString, keymap::RecordCount> text;
    QFont font;
};

/// The keyboard picture: grey caps centred in 50-pixel cells, the function-key row on top, the
/// fourteenth column on the right and decorative lettering in the lower strip. 24-bit colour. With
/// `letters` the grid's caps carry those texts, centred, and nothing else.
QImage KeyboardPicture(const CapLetters* letters = nullptr);
/// The program icon, drawn at the usual sizes.
QIcon ProgramIcon();
/// The decorative picture of the file chooser's panel, 100 x 78.
QImage FilePanelPicture();

} // namespace kbdedit
