#include "extras/ScratchTiles.h"

#include "extras/ScratchSelector.h"

#include <QLinearGradient>
#include <QPainter>

namespace extras {

namespace {

/// A bevelled tile: a vertical gradient between two shades with a light top-left edge and a dark
/// bottom-right one, so the white or yellow name on it stands out.
QImage Tile(QColor top, QColor bottom)
{
    QImage image(ScratchSelector::TileWidth, ScratchSelector::TileHeight, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient fill(0, 0, 0, image.height());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.fillRect(image.rect(), fill);
    const int w = image.width() - 1;
    const int h = image.height() - 1;
    p.setPen(top.lighter(160));
    p.drawLine(0, 0, w, 0);
    p.drawLine(0, 0, 0, h);
    p.setPen(bottom.darker(170));
    p.drawLine(0, h, w, h);
    p.drawLine(w, 0, w, h);
    return image;
}

QImage Icon()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const QImage tile = Tile(QColor(0x3a, 0x5c, 0x94), QColor(0x14, 0x26, 0x40));
    const QImage selected = Tile(QColor(0xa8, 0x3a, 0x2a), QColor(0x48, 0x10, 0x0c));
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 2; ++column)
            p.drawImage(QRect(column * 16, row * 8, 15, 7), row == 1 && column == 1 ? selected : tile);
    return image;
}

} // namespace

QImage ScratchPicture(int id)
{
    switch (id) {
    case SelectedTilePicture: return Tile(QColor(0xa8, 0x3a, 0x2a), QColor(0x48, 0x10, 0x0c));
    case TilePicture: return Tile(QColor(0x3a, 0x5c, 0x94), QColor(0x14, 0x26, 0x40));
    case SelectorIcon: return Icon();
    default: return {};
    }
}

} // namespace extras
