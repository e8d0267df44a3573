#pragma once
// Sequential reading of a regional data file, item by item.
//
// Items are separated by commas or line breaks (LF, CR LF or a lone CR) in
// any mix; each separator ends exactly one item, so two separators in a row
// enclose an empty item. Blanks and tabs before an item are skipped and those
// after an unquoted item dropped. An item in double quotation marks is the
// text between them, commas and line breaks included; anything between the
// closing mark and the next separator is dropped, and a mark that is never
// closed runs to the end of the file. Blanks and line breaks after the last
// item are not items. A UTF-8 byte-order mark at the start is ignored.
//
// The file is read through one fixed buffer and an item keeps at most
// kMaxItemBytes of its text, so memory does not grow with the file.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pyramid {

// No count or year text comes near this; a longer item is kept cut short and
// marked, which bounds memory even for a file without a single separator.
inline constexpr std::size_t kMaxItemBytes = 1024;

// One item as read, before it is taken as a number.
struct DataItem {
    long number = 0;         // 1-based position of the item in the file
    std::string text;        // raw bytes of the item, at most kMaxItemBytes
    bool truncated = false;  // the item went on past kMaxItemBytes
    long line = 0;           // 1-based line of the file it starts on; 0 when not known
    bool fromNonText = false;  // the file is a picture, a PDF, a ZIP, ...: not text at all
};

class DataFileReader {
public:
    static constexpr std::size_t kDefaultBufferSize = 64 * 1024;

    // A small buffer size only serves tests that cross buffer boundaries.
    explicit DataFileReader(std::size_t bufferSize = kDefaultBufferSize);
    virtual ~DataFileReader();
    DataFileReader(const DataFileReader&) = delete;
    DataFileReader& operator=(const DataFileReader&) = delete;

    // Fails with FileNotFound when nothing is at `path`, or FileAccess for a
    // directory, a device or pipe, or a file that cannot be read.
    void open(const std::string& path);
    void close();
    bool isOpen() const { return fd_ >= 0; }

    // True when nothing but blanks, tabs and line breaks is left. Consumes
    // nothing; fails with FileAccess when the file cannot be read. The end is
    // looked for afresh each time, so counts added to the file since the last
    // look are found.
    bool atEnd()
    {
        if (pos_ < end_ && !pending_ && !failed_ && !isSpace(buffer_[pos_]))
            return false;
        return atEndSlow();
    }

    // The next item; fails with InputPastEnd when there is none, and with
    // FileAccess when the file cannot be read. Neither failure is final: the
    // next read looks at the file again, and after a read error it starts the
    // item again from its first byte, with the same number.
    DataItem readItem();
    void readItem(DataItem& item);

    // The next item as a count (see itemValue). When it is not one, the
    // failure leaves the item unread, so that trying again meets the same item.
    double readNumber();

protected:
    // The reader's source of bytes, as read(2) and pread(2) on the open file:
    // a count of bytes, 0 at the end, -1 with errno set. A test stands in a
    // source that fails.
    virtual long readBytes(int fd, char* into, std::size_t size);
    virtual long readBytesAt(int fd, char* into, std::size_t size, std::int64_t offset);

private:
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    bool atEndSlow();
    bool refill();
    [[noreturn]] void readFailed();
    void readItemFromHere(DataItem& item);
    void restartAt(std::int64_t offset);
    void appendToItem(DataItem& item, const char* from, const char* to, bool blanksMayFollow);
    void readPlain(DataItem& item);
    void readQuoted(DataItem& item);
    void skipToSeparatorAndTakeIt();

    int fd_ = -1;
    std::unique_ptr<char[]> buffer_;  // not cleared: only read bytes are looked at
    std::size_t capacity_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::int64_t bufferOffset_ = 0;  // file offset of buffer_[0]
    // The last item was ended by the end of the file, not by a separator: if
    // the file grows, the separator that follows is still that item's.
    bool endedAtEnd_ = false;
    bool failed_ = false;  // the position in the file is lost: nothing more can be read
    bool nonText_ = false;  // see DataItem::fromNonText
    long itemsRead_ = 0;
    long lineBreaks_ = 0;  // line breaks read so far, for the line an item starts on
    std::optional<DataItem> pending_;  // a count that failed, to be read again

    // From the current position up to solidAt_ there are only blanks and line
    // breaks; solidIsEnd_ tells whether the end of the file lies there. Keeps
    // atEnd from scanning one long run of blank lines again for every line.
    std::int64_t solidAt_ = -1;
    bool solidIsEnd_ = false;
};

enum class CountParse { Number, NotANumber, TooLarge };

// A plain decimal number: optional sign, digits, optional point and digits
// (at least one digit in all), optional exponent; blanks and tabs around it
// are allowed (they can only come from a quoted item). Values too small for a
// double give 0. Never throws.
CountParse parseCount(std::string_view text, double& value);

// The item as a count. Fails with TypeMismatch naming the item number and
// its text when it is not a plain decimal number, or with Overflow beyond
// the range of a double.
double itemValue(const DataItem& item);

// The item's text as UTF-8: kept when it is valid UTF-8, otherwise decoded
// as Shift_JIS (CP932).
std::string itemText(const DataItem& item);

}  // namespace pyramid
