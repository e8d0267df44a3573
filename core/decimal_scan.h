#pragma once
// The one reader of decimal numbers. The leading-number value and the data
// file's counts both scan with it; each decides for itself what may follow
// the number and what a value beyond a double's range becomes.

#include <cstddef>
#include <string_view>

namespace pyramid {

// An ASCII digit: no other digits are read, whatever the locale.
inline constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

enum class DecimalRange { InRange, TooLarge, TooSmall };

struct DecimalScan {
    std::size_t length = 0;  // bytes of the text the number takes; 0 when it begins with none
    double value = 0;        // with its sign; an infinity when too large, a zero when too small
    DecimalRange range = DecimalRange::InRange;
};

// Reads from the start of `text`: an optional sign, digits, an optional point
// and digits (at least one digit in all), and an optional exponent (E or e,
// an optional sign and at least one digit), up to the first byte that cannot
// continue the number; an exponent without digits is no part of it. The
// point is a full stop whatever the locale.
DecimalScan scanDecimal(std::string_view text);

}  // namespace pyramid
