#pragma once
// The text forms in which the program writes numbers. None depends on the
// desktop's locale (the point is always a full stop) and none can fail.

#include <string>
#include <string_view>

namespace pyramid {

// Decimal, at most 15 significant digits, no trailing zeros, a zero before
// the point below 1, a minus sign for negatives, no blanks ("0.25", "-3").
// Magnitudes from 1E+15 up and below 1E-04 use exponent notation ("1E+15").
// A value no number can show (an infinity, NaN) is kNoNumber.
std::string generalText(double value) noexcept;

// The same digits with a blank before zero and positive values and a minus
// sign before negative ones, and no zero before the point (" 1975", "-10",
// " .5").
std::string signedText(double value) noexcept;

// Where a figure has no value (a zero divisor, a sum beyond the range of
// numbers), the place of its number shows this dash, as a printed table
// leaves such a cell.
inline constexpr std::string_view kNoNumber = "―";

// `value` with exactly `decimals` (at most 20) digits after the point
// ("0.72"); from 1E+15 up as generalText, and kNoNumber for a value no
// number can show.
std::string fixedText(double value, int decimals) noexcept;

// dividend / divisor in the general text form; kNoNumber for a zero divisor
// or a quotient no number can show.
std::string quotientText(double dividend, double divisor) noexcept;

}  // namespace pyramid
