#include "core/decimal_scan.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace pyramid {

DecimalScan scanDecimal(std::string_view text)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    const char* const mantissa = p;

    std::uint64_t whole = 0;
    while (p < end && isDigit(*p))
        whole = whole * 10 + static_cast<unsigned>(*p++ - '0');
    const char* const point = p;
    std::size_t fracDigits = 0;
    if (p < end && *p == '.') {
        ++p;
        while (p < end && isDigit(*p))
            ++p, ++fracDigits;
    }
    if (point == mantissa && fracDigits == 0)
        return {};

    const char* numberEnd = p;
    long long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        const bool negativeExponent = q < end && *q == '-';
        if (q < end && (*q == '+' || *q == '-'))
            ++q;
        const char* const digits = q;
        while (q < end && isDigit(*q)) {
            if (exponent < 1'000'000'000)  // far past any double; stop growing
                exponent = exponent * 10 + (*q - '0');
            ++q;
        }
        if (q != digits) {
            numberEnd = q;
            exponent = negativeExponent ? -exponent : exponent;
        }
    }

    DecimalScan scan;
    scan.length = static_cast<std::size_t>(numberEnd - begin);
    // Most counts are short whole numbers, exact in a double: no need for
    // the general conversion.
    if (numberEnd == point && point - mantissa <= 15) {
        scan.value = negative ? -static_cast<double>(whole) : static_cast<double>(whole);
        return scan;
    }
    double magnitude = 0;
    if (std::from_chars(mantissa, numberEnd, magnitude).ec == std::errc::result_out_of_range) {
        // Too large or too small: the decimal exponent of the leading digit
        // tells which, whether the text has an exponent or only many zeros.
        const char* first = mantissa;
        while (first < numberEnd && (*first == '0' || *first == '.'))
            ++first;
        const long long lead = first < point ? point - first - 1 : point - first;
        scan.range = lead + exponent >= 0 ? DecimalRange::TooLarge : DecimalRange::TooSmall;
        magnitude = scan.range == DecimalRange::TooLarge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    scan.value = negative ? -magnitude : magnitude;
    return scan;
}

}  // namespace pyramid
