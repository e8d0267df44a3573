#include "core/leading_number.h"

#include "core/decimal_scan.h"

#include <cfloat>
#include <cmath>
#include <string>

namespace pyramid {

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigit(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

double radixValue(const std::string& digits, int radix)
{
    double value = 0;
    for (char c : digits) {
        const int d = hexDigit(c);
        if (d < 0 || d >= radix)
            break;
        value = value * radix + d;
    }
    return std::isinf(value) ? DBL_MAX : value;
}

}  // namespace

double leadingNumber(std::string_view text)
{
    std::string packed;
    packed.reserve(text.size());
    for (char c : text)
        if (!isSkipped(c))
            packed += c;

    if (packed.size() >= 2 && packed[0] == '&') {
        const char r = packed[1];
        if (r == 'H' || r == 'h')
            return radixValue(packed.substr(2), 16);
        if (r == 'O' || r == 'o')
            return radixValue(packed.substr(2), 8);
        return radixValue(packed.substr(1), 8);
    }

    const DecimalScan number = scanDecimal(packed);
    // Too large saturates; too small is already zero.
    if (number.range == DecimalRange::TooLarge)
        return std::copysign(DBL_MAX, number.value);
    return number.value;
}

}  // namespace pyramid
