#include "app/window_icon.h"

#include "core/palette.h"

namespace pyramid::ui {

namespace {

constexpr int kSize = 32;
constexpr int kBlack = 0;

void horizontal(QImage& image, int x1, int x2, int y, int colour)
{
    for (int x = x1; x <= x2; ++x)
        image.setPixel(x, y, uint(colour));
}

}  // namespace

QImage pyramidIconImage()
{
    QImage image(kSize, kSize, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int n = 0; n < 16; ++n) {
        const Rgb c = paletteColour(n);
        colours.append(qRgb(c.red, c.green, c.blue));
    }
    image.setColorTable(colours);
    image.fill(uint(kBlack));

    // Twelve rows of bars, widest at the bottom; men left of the centre,
    // women right, every fifth row red, two rows highlighted in yellow as
    // an analysed age range.
    constexpr int centreLeft = 15;
    constexpr int centreRight = 16;
    static constexpr int maleLength[12] = {13, 13, 12, 12, 11, 11, 9, 8, 6, 5, 3, 2};
    static constexpr int femaleLength[12] = {13, 12, 12, 12, 11, 11, 10, 9, 7, 6, 4, 2};
    for (int row = 0; row < 12; ++row) {
        const int y = 26 - 2 * row;
        const bool highlighted = row == 6 || row == 7;
        const int colour = highlighted     ? palette::Yellow
                           : row % 5 == 0 ? palette::LightRed
                                          : palette::BrightWhite;
        horizontal(image, centreLeft - maleLength[row], centreLeft - 1, y, colour);
        horizontal(image, centreRight + 1, centreRight + femaleLength[row], y, colour);
        const int surplus = femaleLength[row] - maleLength[row];
        if (surplus > 0)
            horizontal(image, centreRight + 1, centreRight + surplus, y, palette::LightGreen);
        else if (surplus < 0)
            horizontal(image, centreLeft + surplus, centreLeft - 1, y, palette::LightGreen);
    }
    // Base and centre axes.
    horizontal(image, 1, 30, 28, palette::BrightWhite);
    horizontal(image, 1, 30, 29, palette::BrightWhite);
    for (int y = 3; y <= 29; ++y) {
        image.setPixel(centreLeft, y, uint(palette::BrightWhite));
        image.setPixel(centreRight, y, uint(palette::BrightWhite));
    }
    return image;
}

QIcon pyramidIcon()
{
    return QIcon(QPixmap::fromImage(pyramidIconImage()));
}

}  // namespace pyramid::ui
