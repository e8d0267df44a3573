#pragma once
// The two text forms in which the program writes numbers.

#include <string>

namespace pyramid {

// Decimal, at most 15 significant digits, no trailing zeros, a zero before
// the point below 1, a minus sign for negatives, no blanks ("0.25", "-3").
// Magnitudes from 1E+15 up and below 1E-04 use exponent notation ("1E+15").
std::string generalText(double value);

// The same digits with a blank before zero and positive values and a minus
// sign before negative ones, and no zero before the point (" 1975", "-10",
// " .5").
std::string signedText(double value);

}  // namespace pyramid
