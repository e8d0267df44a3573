#include "data/data_file_reader.h"

#include "core/decimal_scan.h"
#include "core/error_prompt.h"
#include "core/failure.h"
#include "core/utf8_text.h"
#include "data/text_encoding.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pyramid {

namespace {

// ',' '\n' '\r' end an item. A table keeps the scan of a count to one load
// and one test per byte.
constexpr std::array<bool, 256> kSeparator = [] {
    std::array<bool, 256> table{};
    table[static_cast<unsigned char>(',')] = true;
    table[static_cast<unsigned char>('\n')] = true;
    table[static_cast<unsigned char>('\r')] = true;
    return table;
}();

bool isSeparator(char c) { return kSeparator[static_cast<unsigned char>(c)]; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The path as the lists and Label1 show it.
std::string shownPath(const std::string& path) { return pathForPrompt(decodePathText(path)); }

[[noreturn]] void failToOpen(int error, const std::string& path)
{
    if (error == ENOENT || error == ENOTDIR)
        throw Failure(FailureKind::FileNotFound, "ファイル: " + shownPath(path));
    throw Failure(FailureKind::FileAccess, "ファイル: " + shownPath(path));
}

// A short, readable form of an item's text for a failure description.
std::string shownText(const DataItem& item)
{
    return quotedForPrompt(itemText(item), item.truncated);
}

// An item read as a count: a cut item is never one.
CountParse countOf(const DataItem& item, double& value)
{
    return item.truncated ? CountParse::NotANumber : parseCount(item.text, value);
}

// Bytes no text file holds (NUL and the control characters no editor
// writes), or the mark a PDF starts with: the file is no data file, and its
// bytes quoted in a prompt would say nothing.
bool looksNonText(std::string_view head)
{
    if (head.starts_with("%PDF-"))
        return true;
    for (const char c : head) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' && byte != '\v' && byte != 0x1A &&
            byte != 0x1B)
            return true;
    }
    return false;
}

[[noreturn]] void failAsCount(const DataItem& item, CountParse outcome)
{
    if (item.fromNonText)
        throw Failure(FailureKind::TypeMismatch, "選んだファイルはテキストファイルではないため、データファイルとして読めません。");
    // The line is what a text editor shows; the item number counts across lines.
    const std::string line = item.line > 0 ? "ファイルの" + std::to_string(item.line) + "行目、" : "";
    const std::string named = line + std::to_string(item.number) + "番目の項目「" + shownText(item) + "」";
    if (item.truncated)
        throw Failure(FailureKind::TypeMismatch, named + "は長すぎて数値として読めません。");
    if (outcome == CountParse::TooLarge)
        throw Failure(FailureKind::Overflow, named + "は数値として大きすぎます。");
    throw Failure(FailureKind::TypeMismatch, named + "は数値ではありません。");
}

}  // namespace

DataFileReader::DataFileReader(std::size_t bufferSize)
    : buffer_(new char[bufferSize == 0 ? 1 : bufferSize]), capacity_(bufferSize == 0 ? 1 : bufferSize)
{
}

DataFileReader::~DataFileReader() { close(); }

void DataFileReader::open(const std::string& path)
{
    close();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        failToOpen(errno, path);
    if (S_ISDIR(info.st_mode))
        throw Failure(FailureKind::FileAccess, "フォルダはデータファイルとして開けません: " + shownPath(path));
    // A pipe would block the window and a device may never end.
    if (!S_ISREG(info.st_mode))
        throw Failure(FailureKind::FileAccess, "通常のファイルではありません: " + shownPath(path));

    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        failToOpen(errno, path);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw Failure(FailureKind::FileAccess, "通常のファイルではありません: " + shownPath(path));
    }

    fd_ = fd;
    pos_ = end_ = 0;
    bufferOffset_ = 0;
    endedAtEnd_ = failed_ = false;
    itemsRead_ = 0;
    lineBreaks_ = 0;
    pending_.reset();
    solidAt_ = -1;
    solidIsEnd_ = false;

    // A UTF-8 byte-order mark is no part of the first item.
    char head[4096];
    const long headSize = readBytesAt(fd_, head, sizeof head, 0);
    const std::string_view start(head, headSize > 0 ? static_cast<std::size_t>(headSize) : 0);
    nonText_ = looksNonText(start);
    if (start.starts_with("\xEF\xBB\xBF") && ::lseek(fd_, 3, SEEK_SET) == 3)
        bufferOffset_ = 3;
}

void DataFileReader::close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    // Nothing of the closed file may be handed out by a later read.
    pos_ = end_ = 0;
    pending_.reset();
}

long DataFileReader::readBytes(int fd, char* into, std::size_t size)
{
    return static_cast<long>(::read(fd, into, size));
}

long DataFileReader::readBytesAt(int fd, char* into, std::size_t size, std::int64_t offset)
{
    return static_cast<long>(::pread(fd, into, size, static_cast<off_t>(offset)));
}

void DataFileReader::readFailed()
{
    throw Failure(FailureKind::FileAccess, "データファイルを読み込めません。");
}

// After a read error inside an item: the next read takes the item again
// from its first byte, so no part of it is lost or counted twice.
void DataFileReader::restartAt(std::int64_t offset)
{
    pos_ = end_ = 0;
    bufferOffset_ = offset;
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) != static_cast<off_t>(offset))
        failed_ = true;
}

bool DataFileReader::refill()
{
    bufferOffset_ += static_cast<std::int64_t>(end_);
    pos_ = end_ = 0;
    if (fd_ < 0)
        return false;
    // No end is final: a file that grows is read on.
    for (;;) {
        const long n = readBytes(fd_, buffer_.get(), capacity_);
        if (n > 0) {
            end_ = static_cast<std::size_t>(n);
            return true;
        }
        if (n == 0)
            return false;
        if (errno != EINTR)
            readFailed();
    }
}

bool DataFileReader::atEndSlow()
{
    if (fd_ < 0)
        return true;
    if (failed_)
        readFailed();
    if (pending_)
        return false;
    std::int64_t offset = bufferOffset_ + static_cast<std::int64_t>(end_);
    if (solidAt_ >= bufferOffset_ + static_cast<std::int64_t>(pos_)) {
        if (!solidIsEnd_)
            return false;
        // Blank up to where the file ended last time: only what was added
        // since then is new.
        offset = solidAt_;
    } else {
        for (std::size_t p = pos_; p < end_; ++p) {
            if (!isSpace(buffer_[p])) {
                solidAt_ = bufferOffset_ + static_cast<std::int64_t>(p);
                solidIsEnd_ = false;
                return false;
            }
        }
    }
    // The rest of the buffer is blank: look on in the file without moving,
    // because line breaks before a further item still end empty items.
    char look[4096];
    for (;;) {
        const long n = readBytesAt(fd_, look, sizeof look, offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            readFailed();
        }
        if (n == 0)
            break;
        for (long i = 0; i < n; ++i) {
            if (!isSpace(look[i])) {
                solidAt_ = offset + i;
                solidIsEnd_ = false;
                return false;
            }
        }
        offset += n;
    }
    solidAt_ = offset;
    solidIsEnd_ = true;
    return true;
}

void DataFileReader::appendToItem(DataItem& item, const char* from, const char* to, bool blanksMayFollow)
{
    const std::size_t length = static_cast<std::size_t>(to - from);
    const std::size_t room = kMaxItemBytes - item.text.size();
    if (length <= room) {
        item.text.append(from, length);
        return;
    }
    item.text.append(from, room);
    // Blanks past the limit are harmless when they turn out to trail the
    // item; anything else means the item really is longer.
    for (const char* p = from + room; p < to && !item.truncated; ++p)
        if (!blanksMayFollow || !isBlank(*p))
            item.truncated = true;
}

void DataFileReader::readPlain(DataItem& item)
{
    for (;;) {
        const char* begin = buffer_.get() + pos_;
        const char* end = buffer_.get() + end_;
        const char* p = begin;
        while (p < end && !isSeparator(*p))
            ++p;
        appendToItem(item, begin, p, true);
        pos_ = static_cast<std::size_t>(p - buffer_.get());
        if (p < end || !refill())
            break;
    }
    while (!item.text.empty() && isBlank(item.text.back()))
        item.text.pop_back();
}

void DataFileReader::readQuoted(DataItem& item)
{
    ++pos_;  // the opening mark
    bool afterCr = false;  // CR LF is one line break, even split between two reads
    for (;;) {
        const char* begin = buffer_.get() + pos_;
        const char* end = buffer_.get() + end_;
        const auto* mark = static_cast<const char*>(std::memchr(begin, '"', static_cast<std::size_t>(end - begin)));
        appendToItem(item, begin, mark != nullptr ? mark : end, false);
        for (const char* p = begin; p < (mark != nullptr ? mark : end); ++p) {
            if (*p == '\r' || (*p == '\n' && !afterCr))
                ++lineBreaks_;
            afterCr = *p == '\r';
        }
        if (mark != nullptr) {
            pos_ = static_cast<std::size_t>(mark - buffer_.get()) + 1;
            break;
        }
        pos_ = end_;
        if (!refill())
            return;  // never closed: the item runs to the end of the file
    }
    // Anything between the closing mark and the separator is dropped.
    for (;;) {
        while (pos_ < end_ && !isSeparator(buffer_[pos_]))
            ++pos_;
        if (pos_ < end_ || !refill())
            break;
    }
}

void DataFileReader::readItem(DataItem& item)
{
    if (pending_) {
        item = std::move(*pending_);
        pending_.reset();
        return;
    }
    if (atEnd())
        throw Failure(FailureKind::InputPastEnd);

    const std::int64_t start = bufferOffset_ + static_cast<std::int64_t>(pos_);
    const long linesAtStart = lineBreaks_;
    try {
        readItemFromHere(item);
    } catch (const Failure&) {
        lineBreaks_ = linesAtStart;
        restartAt(start);
        throw;
    }
}

void DataFileReader::readItemFromHere(DataItem& item)
{
    const auto skipBlanks = [this] {
        for (;;) {
            while (pos_ < end_ && isBlank(buffer_[pos_]))
                ++pos_;
            if (pos_ < end_ || !refill())
                break;
        }
    };
    // The separator belongs to the item it ends; CR LF is one line break.
    const auto takeSeparator = [this] {
        const char separator = buffer_[pos_++];
        if (separator != ',')
            ++lineBreaks_;
        if (separator == '\r' && (pos_ < end_ || refill()) && buffer_[pos_] == '\n')
            ++pos_;
    };

    if (endedAtEnd_) {
        // The file grew after an item that its end had ended.
        skipBlanks();
        if (pos_ < end_ && isSeparator(buffer_[pos_]))
            takeSeparator();
    }

    item.number = itemsRead_ + 1;
    item.text.clear();
    item.truncated = false;
    item.fromNonText = nonText_;
    skipBlanks();
    item.line = lineBreaks_ + 1;
    if (pos_ < end_ && buffer_[pos_] == '"')
        readQuoted(item);
    else
        readPlain(item);

    const bool separated = pos_ < end_;
    if (separated)
        takeSeparator();
    endedAtEnd_ = !separated;
    itemsRead_ = item.number;
}

DataItem DataFileReader::readItem()
{
    DataItem item;
    readItem(item);
    return item;
}

double DataFileReader::readNumber()
{
    DataItem item;
    readItem(item);
    double value = 0;
    const CountParse outcome = countOf(item, value);
    if (outcome == CountParse::Number)
        return value;
    pending_ = std::move(item);
    failAsCount(*pending_, outcome);
}

CountParse parseCount(std::string_view text, double& value)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    const DecimalScan number = scanDecimal(text);
    if (number.length == 0 || number.length != text.size())
        return CountParse::NotANumber;
    if (number.range == DecimalRange::TooLarge)
        return CountParse::TooLarge;
    value = number.value;  // too small a count is 0 persons
    return CountParse::Number;
}

double itemValue(const DataItem& item)
{
    double value = 0;
    const CountParse outcome = countOf(item, value);
    if (outcome != CountParse::Number)
        failAsCount(item, outcome);
    return value;
}

std::string itemText(const DataItem& item)
{
    std::string_view bytes = item.text;
    if (item.truncated) {
        // The cut may have split a UTF-8 character; drop its first bytes
        // rather than take the whole text for Shift_JIS.
        for (std::size_t drop = 1; drop <= 3 && drop <= bytes.size() && !isValidUtf8(bytes); ++drop)
            if (isValidUtf8(bytes.substr(0, bytes.size() - drop)))
                bytes = bytes.substr(0, bytes.size() - drop);
    }
    return decodeDataText(bytes);
}

}  // namespace pyramid
