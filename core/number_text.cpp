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

std::string generalText(double value) noexcept
{
    if (!std::isfinite(value))
        return std::string(kNoNumber);
    const std::string digits = magnitudeText(std::fabs(value));
    if (std::signbit(value) && digits != "0")
        return "-" + digits;
    return digits;
}

std::string signedText(double value) noexcept
{
    if (!std::isfinite(value))
        return " " + std::string(kNoNumber);
    std::string digits = magnitudeText(std::fabs(value));
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.')
        digits.erase(0, 1);
    const bool negative = value < 0;
    return (negative ? "-" : " ") + digits;
}

std::string fixedText(double value, int decimals) noexcept
{
    // Fifteen digits are all a double holds: from 1E+15 up the general
    // form's exponent says as much, where fixed digits would run on.
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return generalText(value);
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return std::string(kNoNumber);
    std::string text(buffer, result.ptr);
    // A negative value that rounds to zero is zero ("0.00", not "-0.00").
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-')
        text.erase(0, 1);
    return text;
}

std::string quotientText(double dividend, double divisor) noexcept
{
    return divisor == 0 ? std::string(kNoNumber) : generalText(dividend / divisor);
}

}  // namespace pyramid
