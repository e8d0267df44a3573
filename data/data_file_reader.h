#pragma once
// Sequential reading of a regional data file, item by item.
//
// Items are separated by commas or line breaks (LF, CR LF or a lone CR) in
// any mix. Blanks and tabs before an item are skipped and those after an
// unquoted item dropped. An item in double quotation marks is the text
// between them, commas and line breaks included. Blanks and line breaks
// after the last item are not items. A UTF-8 byte-order mark is ignored.
// The file is read through a fixed buffer, so memory does not grow with it.

#include <cstdio>
#include <string>
#include <vector>

namespace pyramid {

// One item as read, before it is taken as a number.
struct DataItem {
    long number = 0;   // 1-based position of the item in the file
    std::string text;  // raw bytes of the item
};

class DataFileReader {
public:
    DataFileReader() = default;
    ~DataFileReader();
    DataFileReader(const DataFileReader&) = delete;
    DataFileReader& operator=(const DataFileReader&) = delete;

    // Fails with FileNotFound, or FileAccess for a directory or a file that
    // cannot be read.
    void open(const std::string& path);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    // True when nothing but blanks, tabs and line breaks is left.
    bool atEnd();

    // The next item; fails with InputPastEnd when there is none.
    DataItem readItem();

private:
    int peekByte();   // next byte or EOF, not consumed
    int takeByte();   // next byte or EOF, consumed
    bool refill();

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    long itemsRead_ = 0;
};

// The item as a count: a plain decimal number (sign, digits, point, digits,
// exponent). Fails with TypeMismatch naming the item, or Overflow beyond a double.
double itemValue(const DataItem& item);

// The item's text as UTF-8: kept when it is valid UTF-8, otherwise decoded
// as Shift_JIS (CP932).
std::string itemText(const DataItem& item);

}  // namespace pyramid
