// kelmora-pictures: draws the poetry window's picture into the program folder at build time.
#include "extras/PoetryPicture.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    // Drawing needs no screen; the build may run without one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/Quvel.bmp");
    if (!extras::DrawPoetryPicture().save(path, "BMP")) {
        std::fprintf(stderr, "%s: cannot write\n", qPrintable(path));
        return 1;
    }
    return 0;
}
