#include "data/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace pyramid {

bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        int follow = 0;
        unsigned int codePoint = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            follow = 1, codePoint = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2, codePoint = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3, codePoint = c & 0x07;
        } else {
            return false;
        }
        if (i + follow >= bytes.size())
            return false;
        for (int k = 1; k <= follow; ++k) {
            const auto d = static_cast<unsigned char>(bytes[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        static constexpr unsigned int kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (codePoint < kSmallest[follow] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += follow + 1;
    }
    return true;
}

std::string decodeDataText(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);

    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::string(bytes.size(), '?');

    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte that is not CP932 either: mark it and go on after it.
            out += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
        }
    }
    iconv_close(converter);
    return out;
}

std::string decodePathText(std::string_view path)
{
    if (isValidUtf8(path))
        return std::string(path);
    std::string out;
    for (std::size_t start = 0;;) {
        const std::size_t slash = path.find('/', start);
        out += decodeDataText(path.substr(start, slash - start));
        if (slash == std::string_view::npos)
            return out;
        out += '/';
        start = slash + 1;
    }
}

}  // namespace pyramid
