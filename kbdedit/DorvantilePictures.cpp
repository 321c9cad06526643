#include "kbdedit/DorvantilePictures.h"

#include "kbdedit/KeyboardGrid.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cstring>

namespace kbdedit {

namespace {

const QColor Background(58, 66, 78);
const QColor CapFace(192, 192, 192);
const QColor CapLight(236, 236, 236);
const QColor CapShadow(120, 120, 120);
const QColor PersianRed(200, 0, 0);

const char* const FunctionRow[14] = {"Esc", "", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};
const char* const FourteenthColumn[4] = {"Back", "Enter", "Enter", ""};

QFont LegendFont(const char* legend)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    // Word legends are set smaller so "Capslock" fits a cap.
    font.setPixelSize(std::strlen(legend) > 5 ? 8 : std::strlen(legend) > 1 ? 9 : 13);
    font.setBold(std::strlen(legend) == 1);
    return font;
}

QFont PersianFont()
{
    QFont font(QStringLiteral("Nazli"));
    font.setPixelSize(22);
    return font;
}

/// A grey cap with a raised edge, 44 x 44, centred in the 50 x 50 cell whose corner is (left, top).
void DrawCap(QPainter& p, int left, int top, const char* legend, const char* persian)
{
    const QRect cap(left + 3, top + 3, 44, 44);
    p.setPen(Qt::NoPen);
    p.setBrush(CapFace);
    p.drawRoundedRect(cap, 4, 4);
    p.setPen(CapLight);
    p.drawLine(cap.left() + 2, cap.top() + 1, cap.right() - 2, cap.top() + 1);
    p.drawLine(cap.left() + 1, cap.top() + 2, cap.left() + 1, cap.bottom() - 2);
    p.setPen(CapShadow);
    p.drawLine(cap.left() + 2, cap.bottom() - 1, cap.right() - 2, cap.bottom() - 1);
    p.drawLine(cap.right() - 1, cap.top() + 2, cap.right() - 1, cap.bottom() - 2);

    p.setPen(Qt::black);
    p.setFont(LegendFont(legend));
    p.drawText(QRect(cap.left() + 4, cap.top() + 2, 40, 18), Qt::AlignLeft | Qt::AlignTop, QString::fromUtf8(legend));
    if (persian && *persian) {
        p.setPen(PersianRed);
        p.setFont(PersianFont());
        p.drawText(QRect(cap.left() + 10, cap.top() + 12, 31, 30), Qt::AlignRight | Qt::AlignBottom,
                   QString::fromUtf8(persian));
    }
}

void DrawLowerStrip(QPainter& p)
{
    const int top = CellSize * 5;
    QLinearGradient rule(0, 0, 700, 0);
    rule.setColorAt(0, Background);
    rule.setColorAt(0.5, QColor(212, 175, 55));
    rule.setColorAt(1, Background);
    p.fillRect(QRect(20, top + 6, 660, 2), rule);
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(24);
    title.setItalic(true);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(212, 175, 55));
    p.drawText(QRect(0, top + 10, 700, 30), Qt::AlignCenter, QStringLiteral("Dorvantile"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QColor(190, 190, 200));
    p.drawText(QRect(0, top + 36, 700, 12), Qt::AlignCenter, QStringLiteral("keymap editor for Kelmora"));
}

void DrawOwnLetter(QPainter& p, int left, int top, const QString& text, const QFont& font)
{
    DrawCap(p, left, top, "", "");
    if (text.isEmpty())
        return;
    p.setPen(Qt::black);
    p.setFont(font);
    p.drawText(QRect(left + 3, top + 3, 44, 44), Qt::AlignCenter, text);
}

} // namespace

QImage KeyboardPicture(const CapLetters* letters)
{
    QImage image(PictureWidth, PictureHeight, QImage::Format_RGB888);
    image.fill(Background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (int c = 0; c < 14; ++c)
        DrawCap(p, c * CellSize, 0, FunctionRow[c], "");
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 13; ++c) {
            if (letters)
                DrawOwnLetter(p, c * CellSize, CellSize + r * CellSize,
                              letters->text[static_cast<size_t>(r * keymap::GridColumns + c)], letters->font);
            else
                DrawCap(p, c * CellSize, CellSize + r * CellSize, GridCaps[r][c].legend, GridCaps[r][c].persian);
        }
        DrawCap(p, 13 * CellSize, CellSize + r * CellSize, FourteenthColumn[r], "");
    }
    DrawLowerStrip(p);
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(CapShadow, size / 16.0));
        p.setBrush(CapFace);
        p.drawRoundedRect(QRectF(size * 0.06, size * 0.06, size * 0.88, size * 0.88), size / 8.0, size / 8.0);
        QFont font(QStringLiteral("Nazli"));
        font.setPixelSize(size * 2 / 3);
        p.setFont(font);
        p.setPen(PersianRed);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::fromUtf8("ک"));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QImage FilePanelPicture()
{
    QImage image(100, 78, QImage::Format_RGB888);
    image.fill(Background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawCap(p, 0, 14, "K", "ن");
    DrawCap(p, 50, 14, "B", "ذ");
    return image;
}

} // namespace kbdedit
