#pragma once
// The standard 16-colour palette, addressed by number, and the few fixed
// colours of the form's design.

#include <cstdint>

namespace pyramid {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Palette entry n (0..15) and the comparison's own colour; other numbers
// wrap into the palette.
Rgb paletteColour(int number);

namespace palette {
inline constexpr int LightGreen = 10;    // difference lines
inline constexpr int LightCyan = 11;     // grid
inline constexpr int LightRed = 12;      // decade rows
inline constexpr int LightMagenta = 13;  // tenth grid line, highlighted decade rows
inline constexpr int Yellow = 14;        // highlighted rows
inline constexpr int BrightWhite = 15;   // axes, ordinary rows
// The outline of a compared file: orange, none of the chart's colours, and a
// middle grey in grey print, apart from the white bars it borders, the black
// ground beside them and the red decade rows.
inline constexpr int Outline = 16;
}  // namespace palette

// Where the chart is shown: the window's own colours on black, or paper's on
// white. Paper's are for a printer and a greyscale photocopier: every line
// at least 3:1 against white, the highlighted rows at least 3:1 against the
// ordinary ones, all from the 6 x 6 x 6 cube of levels 0, 51, ..., 255, so
// a picture reduced to 256 colours keeps them exactly.
enum class ChartInk { Screen, Paper };

// The colour of line colour `number` in `ink`; the screen's is paletteColour.
Rgb inkColour(int number, ChartInk ink);
// The ground of the chart and the colour of its texts in `ink`.
Rgb groundColour(ChartInk ink);
Rgb textColour(ChartInk ink);

// Contrast of two colours as the ratio of their relative luminances plus
// 0.05, the larger first: 1 for equal colours, 21 for black on white.
double contrastRatio(Rgb a, Rgb b);

namespace design {
inline constexpr Rgb LightYellow{255, 255, 128};
inline constexpr Rgb LightGreen{128, 255, 128};
inline constexpr Rgb Cyan{0, 255, 255};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Black{0, 0, 0};
}  // namespace design

}  // namespace pyramid
