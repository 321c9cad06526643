// Build tool: draws the two programs' application icons as SVG and as PNG in the usual sizes, both
// from one description, so the scalable and the pixel icons never drift apart.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <vector>

namespace {

/// One stroke or filled shape on a 16 x 16 canvas.
struct Shape {
    enum class Kind { RoundedRect, Line } kind;
    double x1, y1, x2, y2; // rectangle corners or line ends
    double radius;         // corner radius of a rectangle
    QColor fill;           // invalid: no fill
    QColor stroke;
    double width;
};

struct Icon {
    const char* name;
    std::vector<Shape> shapes;
};

const QColor Blue(30, 80, 170);
const QColor CapFace(192, 192, 192);
const QColor CapShadow(120, 120, 120);
const QColor PersianRed(200, 0, 0);

/// The stylised kaf: the letter's long diagonal over a flat base, as the editor's window icon draws it.
std::vector<Shape> Kaf(const QColor& colour)
{
    using K = Shape::Kind;
    return {{K::Line, 11.5, 3, 5, 9, 0, QColor(), colour, 1.8},
            {K::Line, 4, 12, 12.5, 12, 0, QColor(), colour, 1.8},
            {K::Line, 12.5, 12, 12.5, 7, 0, QColor(), colour, 1.8}};
}

std::vector<Icon> Icons()
{
    using K = Shape::Kind;
    std::vector<Shape> editor{{K::RoundedRect, 0.5, 0.5, 15.5, 15.5, 3, Blue, Blue.darker(130), 1}};
    std::vector<Shape> keymapEditor{{K::RoundedRect, 0.5, 0.5, 15.5, 15.5, 2, CapFace, CapShadow, 1}};
    for (const Shape& s : Kaf(Qt::white))
        editor.push_back(s);
    for (const Shape& s : Kaf(PersianRed))
        keymapEditor.push_back(s);
    return {{"org.kelmora.Kelmora", editor}, {"org.kelmora.Dorvantile", keymapEditor}};
}

QString Svg(const Icon& icon)
{
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 16 16\">\n");
    for (const Shape& s : icon.shapes) {
        const QString stroke = QStringLiteral("stroke=\"%1\" stroke-width=\"%2\"").arg(s.stroke.name()).arg(s.width);
        if (s.kind == Shape::Kind::RoundedRect) {
            out += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\" %7/>\n")
                       .arg(s.x1).arg(s.y1).arg(s.x2 - s.x1).arg(s.y2 - s.y1).arg(s.radius)
                       .arg(s.fill.isValid() ? s.fill.name() : QStringLiteral("none"), stroke);
        } else {
            out += QStringLiteral("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke-linecap=\"round\" %5/>\n")
                       .arg(s.x1).arg(s.y1).arg(s.x2).arg(s.y2).arg(stroke);
        }
    }
    return out + QStringLiteral("</svg>\n");
}

QImage Png(const Icon& icon, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    for (const Shape& s : icon.shapes) {
        p.setPen(QPen(s.stroke, s.width, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(s.fill.isValid() ? QBrush(s.fill) : QBrush());
        if (s.kind == Shape::Kind::RoundedRect)
            p.drawRoundedRect(QRectF(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2)), s.radius, s.radius);
        else
            p.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelmora-icons OUTPUT_FOLDER\n");
        return 2;
    }
    // Shapes on an image need no display, so no application object is made.
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const Icon& icon : Icons()) {
        const QString name = QString::fromLatin1(icon.name);
        const QString scalable = QStringLiteral("hicolor/scalable/apps");
        out.mkpath(scalable);
        QFile svg(out.filePath(scalable + QLatin1Char('/') + name + QStringLiteral(".svg")));
        if (!svg.open(QIODevice::WriteOnly) || svg.write(Svg(icon).toUtf8()) < 0) {
            std::fprintf(stderr, "kelmora-icons: cannot write %s\n", qPrintable(svg.fileName()));
            return 1;
        }
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
            out.mkpath(folder);
            const QString file = out.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
            if (!Png(icon, size).save(file)) {
                std::fprintf(stderr, "kelmora-icons: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
