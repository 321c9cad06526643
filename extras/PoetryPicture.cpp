#include "extras/PoetryPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace extras {

namespace {

void DrawSky(QPainter& p, const QRect& r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0.0, QColor(12, 18, 58));
    sky.setColorAt(0.7, QColor(52, 40, 96));
    sky.setColorAt(1.0, QColor(140, 84, 92));
    p.fillRect(r, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 244, 210));
    const QPoint stars[] = {{12, 20}, {70, 14}, {40, 48}, {82, 70}, {18, 96}, {60, 110}, {30, 150}, {76, 140}};
    for (const QPoint& s : stars)
        p.drawEllipse(s, 1, 1);
    // A crescent: a full disc with a disc of sky cut out of it.
    QPainterPath moon;
    moon.addEllipse(QPointF(58, 40), 15, 15);
    QPainterPath cut;
    cut.addEllipse(QPointF(65, 35), 13, 13);
    p.setBrush(QColor(255, 230, 150));
    p.drawPath(moon.subtracted(cut));
}

void DrawCypress(QPainter& p)
{
    QPainterPath tree;
    tree.moveTo(30, 110);
    tree.cubicTo(46, 170, 50, 240, 40, 290);
    tree.lineTo(20, 290);
    tree.cubicTo(10, 240, 14, 170, 30, 110);
    p.setBrush(QColor(24, 70, 48));
    p.drawPath(tree);
    p.setBrush(QColor(70, 44, 28));
    p.drawRect(27, 290, 6, 14);
}

void DrawTulip(QPainter& p)
{
    p.setPen(QPen(QColor(40, 110, 60), 2));
    p.drawLine(68, 304, 68, 250);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 60));
    QPainterPath leaf;
    leaf.moveTo(68, 296);
    leaf.quadTo(84, 280, 82, 262);
    leaf.quadTo(74, 282, 68, 290);
    p.drawPath(leaf);
    QPainterPath flower;
    flower.moveTo(58, 236);
    flower.lineTo(63, 244);
    flower.lineTo(68, 232);
    flower.lineTo(73, 244);
    flower.lineTo(78, 236);
    flower.cubicTo(80, 252, 74, 256, 68, 256);
    flower.cubicTo(62, 256, 56, 252, 58, 236);
    p.setBrush(QColor(206, 36, 48));
    p.drawPath(flower);
}

} // namespace

QImage DrawPoetryPicture()
{
    QImage image(92, 336, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawSky(p, QRect(0, 0, 92, 304));
    p.fillRect(QRect(0, 304, 92, 32), QColor(60, 46, 34));
    // A border of small lozenges, as on a manuscript page.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(196, 160, 80));
    for (int x = 4; x < 92; x += 12) {
        const QPointF d[] = {{x + 4.0, 310.0}, {x + 8.0, 320.0}, {x + 4.0, 330.0}, {x + 0.0, 320.0}};
        p.drawPolygon(d, 4);
    }
    DrawCypress(p);
    DrawTulip(p);
    p.setPen(QPen(QColor(196, 160, 80), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 90, 334));
    return image;
}

} // namespace extras
