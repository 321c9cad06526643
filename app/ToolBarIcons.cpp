/** @file ToolBarIcons.cpp
 ** Button pictures drawn with QPainter at 16 x 16 (and twice that for high-density screens). **/
#include "app/ToolBarIcons.h"

#include "res/ResourceIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace app {
namespace {

using Drawing = std::function<void(QPainter&)>;

const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 250);
const QColor Blue(30, 80, 170);
const QColor Gold(220, 170, 40);

/// Draws on a 16 x 16 logical grid at the given scale, transparent background.
QPixmap Render(const Drawing& draw, int scale)
{
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    draw(painter);
    return pixmap;
}

QIcon Build(const Drawing& draw)
{
    QIcon icon;
    icon.addPixmap(Render(draw, 1));
    icon.addPixmap(Render(draw, 2));
    return icon;
}

void Page(QPainter& p, qreal x, qreal y)
{
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + 7, y);
    path.lineTo(x + 10, y + 3);
    path.lineTo(x + 10, y + 12);
    path.lineTo(x, y + 12);
    path.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawPath(path);
    p.drawLine(QPointF(x + 7, y), QPointF(x + 7, y + 3));
    p.drawLine(QPointF(x + 7, y + 3), QPointF(x + 10, y + 3));
}

void TextLines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal gap, bool ragged)
{
    p.setPen(QPen(Blue, 1));
    for (int i = 0; i < count; ++i) {
        const qreal y = top + i * gap;
        const qreal start = ragged && i % 2 ? left + 3 : left;
        p.drawLine(QPointF(start, y), QPointF(right, y));
    }
}

void DrawNew(QPainter& p)
{
    Page(p, 3, 1.5);
    p.setPen(QPen(Gold, 1.5));
    p.drawLine(QPointF(12, 10), QPointF(12, 15));
    p.drawLine(QPointF(9.5, 12.5), QPointF(14.5, 12.5));
}

void DrawOpen(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Gold.lighter(120));
    p.drawRect(QRectF(1.5, 4.5, 11, 9));
    QPolygonF lid({QPointF(3.5, 7.5), QPointF(15, 7.5), QPointF(12.5, 13.5), QPointF(1.5, 13.5)});
    p.setBrush(Gold);
    p.drawPolygon(lid);
    p.setPen(QPen(Blue, 1.2));
    p.drawArc(QRectF(8, 0.5, 6, 6), 0, 180 * 16);
}

void DrawUndo(QPainter& p)
{
    p.setPen(QPen(Blue, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 4, 10, 9), -90 * 16, 270 * 16);
    p.setBrush(Blue);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(1, 8.5), QPointF(5, 5), QPointF(5.5, 11)}));
}

void DrawCut(QPainter& p)
{
    p.setPen(QPen(Ink, 1.3));
    p.drawLine(QPointF(5, 1), QPointF(10, 10));
    p.drawLine(QPointF(11, 1), QPointF(6, 10));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Blue, 1.5));
    p.drawEllipse(QRectF(2, 10, 4, 4.5));
    p.drawEllipse(QRectF(10, 10, 4, 4.5));
}

void DrawCopy(QPainter& p)
{
    Page(p, 1.5, 1.5);
    Page(p, 5.5, 3.5);
    TextLines(p, 7.5, 13.5, 8, 3, 2, false);
}

void DrawPaste(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Gold);
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(QRectF(4, 1, 5, 3));
    Page(p, 6.5, 4.5);
}

void DrawSettings(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(150, 150, 160));
    QPainterPath gear;
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(8, 8);
        p.rotate(i * 45);
        p.drawRect(QRectF(-1.5, -7.5, 3, 3));
        p.restore();
    }
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    p.setBrush(Paper);
    p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
}

void DrawBatch(QPainter& p)
{
    Page(p, 0.5, 0.5);
    Page(p, 2.5, 2.5);
    Page(p, 4.5, 3.5);
    p.setPen(QPen(Gold.darker(130), 1.8));
    p.drawLine(QPointF(8, 12), QPointF(14, 12));
    p.drawLine(QPointF(12, 9.5), QPointF(14.5, 12));
    p.drawLine(QPointF(12, 14.5), QPointF(14.5, 12));
}

void DrawResemble(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    TextLines(p, 4, 12.5, 4, 5, 2, true);
}

void DrawJustify(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    TextLines(p, 3.5, 12.5, 4, 5, 2, false);
}

void DrawAbout(QPainter& p)
{
    p.setPen(QPen(Blue.darker(120), 1));
    p.setBrush(Blue);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7, 3.5, 2.2, 2.2));
    p.drawRect(QRectF(7, 7, 2.2, 5.5));
}

void DrawKeyboard(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(210, 210, 215));
    p.drawRoundedRect(QRectF(0.5, 3.5, 15, 9), 1.5, 1.5);
    p.setBrush(Paper);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 5; ++col)
            p.drawRect(QRectF(2 + col * 2.6, 5 + row * 2.6, 1.8, 1.8));
    p.drawRect(QRectF(4.5, 10.2, 7, 1.4));
}

void DrawWindowIcon(QPainter& p)
{
    p.setPen(QPen(Blue.darker(130), 1));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    // A stylised kaf stroke: the letter's long diagonal over a flat base.
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11.5, 3), QPointF(5, 9));
    p.drawLine(QPointF(4, 12), QPointF(12.5, 12));
    p.drawLine(QPointF(12.5, 12), QPointF(12.5, 7));
}

} // namespace

QIcon ToolBarIcon(int commandId)
{
    switch (commandId) {
    case res::FileNew: return Build(DrawNew);
    case res::FileOpen: return Build(DrawOpen);
    case res::EditUndo: return Build(DrawUndo);
    case res::EditCut: return Build(DrawCut);
    case res::EditCopy: return Build(DrawCopy);
    case res::EditPaste: return Build(DrawPaste);
    case res::Settings: return Build(DrawSettings);
    case res::BatchConvert: return Build(DrawBatch);
    case res::Resemble: return Build(DrawResemble);
    case res::Justify: return Build(DrawJustify);
    case res::AppAbout: return Build(DrawAbout);
    default: return QIcon();
    }
}

QIcon KeymapEditorIcon() { return Build(DrawKeyboard); }

QIcon WindowIcon() { return Build(DrawWindowIcon); }

} // namespace app
