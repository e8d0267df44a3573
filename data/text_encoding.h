#pragma once
// Texts from data files, which Japanese users save in UTF-8 or Shift_JIS.

#include "core/utf8_text.h"  // isValidUtf8, which says what is kept as it is

#include <string>
#include <string_view>

namespace pyramid {

// UTF-8 bytes are kept; anything else is decoded as CP932 (Shift_JIS).
// Bytes that are neither become U+FFFD.
std::string decodeDataText(std::string_view bytes);

// decodeDataText for the many texts of one file: the CP932 converter is
// made once, not for each text.
class DataTextDecoder {
public:
    DataTextDecoder();
    ~DataTextDecoder();
    DataTextDecoder(const DataTextDecoder&) = delete;
    DataTextDecoder& operator=(const DataTextDecoder&) = delete;

    std::string operator()(std::string_view bytes);

private:
    void* converter_;  // iconv_t
};

// A file name or path as the user reads it. Names copied from Windows are
// often CP932, inside folders that are UTF-8: each part between "/"
// separators is decoded on its own as above ("/" is never part of a CP932
// character).
std::string decodePathText(std::string_view path);

}  // namespace pyramid
