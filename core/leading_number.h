#pragma once
// The value of the number a text begins with, as the age boxes are read.

#include <string_view>

namespace pyramid {

// Blanks, tabs, line feeds and ideographic spaces are skipped anywhere in
// the text, and full-width digits, signs (and U+2212) and full stops count
// as their ASCII counterparts. Then an optional sign, digits, an optional
// point with digits and an optional exponent are read up to the first
// character that cannot continue the number; "&H" and "&O" introduce hexadecimal and octal digits. A text that
// does not begin with a number gives 0. It never fails: a value too large
// for a double saturates to the largest finite one of its sign.
double leadingNumber(std::string_view text);

}  // namespace pyramid
