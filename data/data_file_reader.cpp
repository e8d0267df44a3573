#include "data/data_file_reader.h"

#include "core/failure.h"
#include "data/text_encoding.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <sys/stat.h>

namespace pyramid {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

bool isBlank(int c) { return c == ' ' || c == '\t'; }
bool isLineBreak(int c) { return c == '\n' || c == '\r'; }

}  // namespace

DataFileReader::~DataFileReader() { close(); }

void DataFileReader::open(const std::string& path)
{
    close();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw Failure(FailureKind::FileNotFound, "ファイル: " + path);
        throw Failure(FailureKind::FileAccess, "ファイル: " + path);
    }
    if (S_ISDIR(info.st_mode))
        throw Failure(FailureKind::FileAccess, "フォルダーはデータファイルとして開けません: " + path);
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr)
        throw Failure(FailureKind::FileAccess, "ファイル: " + path);
    buffer_.resize(kBufferSize);
    pos_ = end_ = 0;
    itemsRead_ = 0;
    // A UTF-8 byte-order mark is no part of the first item.
    if (refill() && end_ >= 3 && static_cast<unsigned char>(buffer_[0]) == 0xEF &&
        static_cast<unsigned char>(buffer_[1]) == 0xBB && static_cast<unsigned char>(buffer_[2]) == 0xBF)
        pos_ = 3;
}

void DataFileReader::close()
{
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

bool DataFileReader::refill()
{
    if (file_ == nullptr)
        return false;
    pos_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    return end_ > 0;
}

int DataFileReader::peekByte()
{
    if (pos_ == end_ && !refill())
        return EOF;
    return static_cast<unsigned char>(buffer_[pos_]);
}

int DataFileReader::takeByte()
{
    const int c = peekByte();
    if (c != EOF)
        ++pos_;
    return c;
}

bool DataFileReader::atEnd()
{
    if (file_ == nullptr)
        return true;
    // Look ahead over blanks and line breaks without consuming them: a line
    // break before a further item still separates an empty item.
    for (std::size_t p = pos_; p < end_; ++p) {
        const int c = static_cast<unsigned char>(buffer_[p]);
        if (!isBlank(c) && !isLineBreak(c))
            return false;
    }
    // The buffer holds only blanks; look further in the file, then come back.
    const long resumeAt = std::ftell(file_);
    bool onlyBlanks = true;
    for (int c; (c = std::fgetc(file_)) != EOF;) {
        if (!isBlank(c) && !isLineBreak(c)) {
            onlyBlanks = false;
            break;
        }
    }
    std::clearerr(file_);
    std::fseek(file_, resumeAt, SEEK_SET);
    return onlyBlanks;
}

DataItem DataFileReader::readItem()
{
    if (atEnd())
        throw Failure(FailureKind::InputPastEnd);

    DataItem item;
    item.number = ++itemsRead_;
    while (isBlank(peekByte()))
        takeByte();

    int c = peekByte();
    if (c == '"') {
        takeByte();
        while ((c = takeByte()) != EOF && c != '"')
            item.text += static_cast<char>(c);
        // Anything between the closing mark and the separator is dropped.
        while ((c = peekByte()) != EOF && c != ',' && !isLineBreak(c))
            takeByte();
    } else {
        while ((c = peekByte()) != EOF && c != ',' && !isLineBreak(c))
            item.text += static_cast<char>(takeByte());
        while (!item.text.empty() && isBlank(static_cast<unsigned char>(item.text.back())))
            item.text.pop_back();
    }

    // The separator belongs to the item it ends; CR LF is one line break.
    c = takeByte();
    if (c == '\r' && peekByte() == '\n')
        takeByte();
    return item;
}

double itemValue(const DataItem& item)
{
    const std::string& t = item.text;
    std::size_t p = 0;
    bool negative = false;
    if (p < t.size() && (t[p] == '+' || t[p] == '-'))
        negative = t[p++] == '-';
    const std::size_t start = p;
    bool digits = false;
    while (p < t.size() && t[p] >= '0' && t[p] <= '9')
        ++p, digits = true;
    if (p < t.size() && t[p] == '.') {
        ++p;
        while (p < t.size() && t[p] >= '0' && t[p] <= '9')
            ++p, digits = true;
    }
    if (digits && p < t.size() && (t[p] == 'e' || t[p] == 'E')) {
        std::size_t e = p + 1;
        if (e < t.size() && (t[e] == '+' || t[e] == '-'))
            ++e;
        const std::size_t expStart = e;
        while (e < t.size() && t[e] >= '0' && t[e] <= '9')
            ++e;
        if (e > expStart)
            p = e;
    }
    if (!digits || p != t.size())
        throw Failure(FailureKind::TypeMismatch,
                      std::to_string(item.number) + " 番目の項目「" + itemText(item) + "」は数値ではありません。");

    double value = 0;
    const auto result = std::from_chars(t.data() + start, t.data() + t.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars reports both too large and too small; only the first fails.
        const bool tiny = t.find("e-") != std::string::npos || t.find("E-") != std::string::npos;
        if (!tiny)
            throw Failure(FailureKind::Overflow,
                          std::to_string(item.number) + " 番目の項目「" + item.text + "」は大きすぎます。");
        value = 0;
    }
    return negative ? -value : value;
}

std::string itemText(const DataItem& item) { return decodeDataText(item.text); }

}  // namespace pyramid
