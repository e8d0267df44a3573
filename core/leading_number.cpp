#include "core/leading_number.h"

#include <charconv>
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

    // Collect the longest prefix that is a decimal number.
    std::size_t pos = 0;
    std::string number;
    if (pos < packed.size() && (packed[pos] == '+' || packed[pos] == '-'))
        number += packed[pos++];
    bool anyDigit = false;
    while (pos < packed.size() && isDigit(packed[pos])) {
        number += packed[pos++];
        anyDigit = true;
    }
    if (pos < packed.size() && packed[pos] == '.') {
        number += packed[pos++];
        while (pos < packed.size() && isDigit(packed[pos])) {
            number += packed[pos++];
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    if (pos < packed.size() && (packed[pos] == 'E' || packed[pos] == 'e')) {
        std::string exponent = "e";
        std::size_t e = pos + 1;
        if (e < packed.size() && (packed[e] == '+' || packed[e] == '-'))
            exponent += packed[e++];
        bool expDigit = false;
        while (e < packed.size() && isDigit(packed[e])) {
            exponent += packed[e++];
            expDigit = true;
        }
        if (expDigit)
            number += exponent;
    }
    // from_chars does not take a leading '+' and is locale-free.
    const bool negative = number[0] == '-';
    const std::size_t start = (number[0] == '-' || number[0] == '+') ? 1 : 0;
    double value = 0;
    const auto result = std::from_chars(number.data() + start, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large saturates; too small is zero.
        const bool tiny = number.find("e-") != std::string::npos;
        value = tiny ? 0.0 : DBL_MAX;
    }
    return negative ? -value : value;
}

}  // namespace pyramid
