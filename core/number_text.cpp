#include "core/number_text.h"

#include <cmath>
#include <charconv>
#include <string_view>

namespace pyramid {

namespace {

// Digits of |value| to 15 significant digits, trimmed of trailing zeros.
std::string magnitudeText(double magnitude)
{
    if (magnitude == 0)
        return "0";
    if (std::isinf(magnitude))
        return "1.79769313486232E+308";  // never reached: arithmetic refuses infinities
    // to_chars is locale-free: the point is a full stop whatever the
    // desktop's locale. General format trims trailing zeros and switches to
    // an exponent from 1e+15 up and below 1e-04, with at least two exponent
    // digits ("1E-05").
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    for (char& c : text)
        if (c == 'e')
            c = 'E';
    return text;
}

}  // namespace

std::string generalText(double value)
{
    if (std::isnan(value))
        return "NaN";
    const std::string digits = magnitudeText(std::fabs(value));
    if (std::signbit(value) && digits != "0")
        return "-" + digits;
    return digits;
}

std::string signedText(double value)
{
    if (std::isnan(value))
        return "NaN";
    std::string digits = magnitudeText(std::fabs(value));
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.')
        digits.erase(0, 1);
    const bool negative = value < 0;
    return (negative ? "-" : " ") + digits;
}

}  // namespace pyramid
