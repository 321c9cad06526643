#include "kbdedit/KeyboardPictureWidget.h"

#include "kbdedit/DorvantilePictures.h"

#include <QPainter>

namespace kbdedit {

KeyboardPictureWidget::KeyboardPictureWidget(QWidget* parent) : QWidget(parent), shown(KeyboardPicture())
{
    setFixedSize(PictureWidth + 2 * BorderWidth, PictureHeight + 2 * BorderWidth);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setEnabled(false);
}

void KeyboardPictureWidget::DrawFrame(GridCell cell, FrameStyle style)
{
    const QColor plain(168, 152, 152);
    const QColor topLeft = style == FrameStyle::Plain ? plain : QColor(Qt::black);
    const QColor bottomRight = style == FrameStyle::Plain ? plain : QColor(Qt::white);
    const int left = CellLeft(cell);
    const int top = CellTop(cell);
    const int right = left + CellSize - 1;
    const int bottom = top + CellSize - 1;
    QPainter p(&shown);
    p.setPen(topLeft);
    p.drawLine(left, top, right - 1, top);
    p.drawLine(left, top, left, bottom - 1);
    p.setPen(bottomRight);
    p.drawLine(right, top, right, bottom);
    p.drawLine(left, bottom, right, bottom);
    p.end();
    update(QRect(PictureOrigin() + QPoint(left, top), QSize(CellSize, CellSize)));
}

void KeyboardPictureWidget::SetPicture(const QImage& picture)
{
    shown = picture;
    update();
}

void KeyboardPictureWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(0, 0, width() - 1, height() - 1);
    p.drawImage(PictureOrigin(), shown);
}

} // namespace kbdedit
