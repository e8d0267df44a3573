#include "core/palette.h"

#include <algorithm>
#include <cmath>

namespace pyramid {

Rgb paletteColour(int number)
{
    static constexpr Rgb table[16] = {
        {0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128},
        {128, 0, 0},     {128, 0, 128},   {128, 128, 0}, {192, 192, 192},
        {128, 128, 128}, {0, 0, 255},     {0, 255, 0},   {0, 255, 255},
        {255, 0, 0},     {255, 0, 255},   {255, 255, 0}, {255, 255, 255},
    };
    if (number == palette::Outline)
        return {255, 128, 0};
    return table[((number % 16) + 16) % 16];
}

Rgb inkColour(int number, ChartInk ink)
{
    if (ink == ChartInk::Screen)
        return paletteColour(number);
    switch (number) {
    case palette::LightGreen:
        return {0, 102, 0};  // the surplus: dark green, apart from both bars in grey too
    case palette::LightCyan:
        return {102, 102, 102};  // the grid: grey
    case palette::LightRed:
        return {204, 0, 0};  // decade rows: red, darker than the ordinary rows in grey
    case palette::LightMagenta:
        return {51, 0, 0};  // highlighted decade rows and the tenth grid line: near black, reddish
    case palette::Yellow:
        return {0, 0, 0};  // highlighted rows: black
    case palette::BrightWhite:
        return {51, 153, 204};  // axes and ordinary rows: a middle blue, a middle grey in grey
    case palette::Outline:
        return {153, 0, 153};  // a compared file: purple, none of the bars' colours
    default:
        return textColour(ink);
    }
}

Rgb groundColour(ChartInk ink) { return ink == ChartInk::Screen ? design::Black : design::White; }

Rgb textColour(ChartInk ink) { return ink == ChartInk::Screen ? design::White : design::Black; }

double contrastRatio(Rgb a, Rgb b)
{
    const auto luminance = [](Rgb c) {
        const auto linear = [](std::uint8_t v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace pyramid
