#include "core/palette.h"

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

}  // namespace pyramid
