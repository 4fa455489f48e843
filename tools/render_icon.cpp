// Writes the stopwatch the program paints as its window icon into PNG files
// for the desktop's icon theme, so the menu shows the same picture.
// Usage: veltrasa_render_icon SIZE FILE [SIZE FILE]...
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "ui/look/Images.h"

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: %s SIZE FILE [SIZE FILE]...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        const int size = QByteArray(argv[i]).toInt();
        const QImage image = veltrasa::images::stopwatch(size);
        if (image.isNull() || image.width() != size || !image.save(QString::fromLocal8Bit(argv[i + 1]), "PNG")) {
            std::fprintf(stderr, "%s: could not write the %d-pixel icon to %s\n", argv[0], size, argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
