#include "data/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace pyramid {

DataTextDecoder::DataTextDecoder() : converter_(iconv_open("UTF-8", "CP932")) {}

DataTextDecoder::~DataTextDecoder()
{
    if (converter_ != reinterpret_cast<void*>(-1))
        iconv_close(static_cast<iconv_t>(converter_));
}

std::string DataTextDecoder::operator()(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    if (converter_ == reinterpret_cast<void*>(-1))
        return std::string(bytes.size(), '?');
    const auto converter = static_cast<iconv_t>(converter_);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);

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
    return out;
}

std::string decodeDataText(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    DataTextDecoder decode;
    return decode(bytes);
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
