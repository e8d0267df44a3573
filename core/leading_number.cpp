#include "core/leading_number.h"

#include "core/decimal_scan.h"

#include <cfloat>
#include <cmath>
#include <string>
#include <string_view>

namespace pyramid {

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// With a Japanese input method on, digits, signs and the point come
// full-width (the minus also as U+2212) and the space as the ideographic
// one: each stands for its ASCII counterpart, the space for a blank (0).
struct FullWidth {
    std::string_view utf8;
    char ascii;
};
constexpr FullWidth kFullWidth[] = {
    {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'},
    {"７", '7'}, {"８", '8'}, {"９", '9'}, {"＋", '+'}, {"－", '-'}, {"\u2212", '-'}, {"．", '.'},
    {"\u3000", 0},
};

// The text with blanks left out and full-width characters folded to ASCII.
std::string packedAscii(std::string_view text)
{
    std::string packed;
    packed.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        const FullWidth* folded = nullptr;
        for (const FullWidth& f : kFullWidth)
            if (rest.starts_with(f.utf8))
                folded = &f;
        if (folded) {
            if (folded->ascii)
                packed += folded->ascii;
            i += folded->utf8.size();
            continue;
        }
        if (!isSkipped(text[i]))
            packed += text[i];
        ++i;
    }
    return packed;
}

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
    const std::string packed = packedAscii(text);
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
