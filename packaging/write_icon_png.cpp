// Build-time helper: writes the window's icon as a PNG, optionally enlarged,
// so the installed icons are always the picture the window itself shows.
//
//   write_icon_png <output.png> <size>
//
// <size> must be a whole multiple of 32; every icon pixel becomes a square
// block of pixels (nearest neighbour), so a larger icon stays crisp.

#include "app/window_icon.h"

#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <output.png> <size>\n", argv[0]);
        return 2;
    }
    const QImage icon = pyramid::ui::pyramidIconImage();
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&ok);
    if (!ok || size < icon.width() || size % icon.width() != 0 || icon.width() != icon.height()) {
        std::fprintf(stderr, "%s: size must be a multiple of %d, not '%s'\n", argv[0], icon.width(),
                     argv[2]);
        return 2;
    }
    const int factor = size / icon.width();

    // Copy block by block rather than through QImage::scaled, whose fast path
    // is not promised to keep the colour table or to sample block centres.
    QImage out(size, size, QImage::Format_Indexed8);
    out.setColorTable(icon.colorTable());
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            out.setPixel(x, y, uint(icon.pixelIndex(x / factor, y / factor)));

    if (!out.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
