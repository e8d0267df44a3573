// The census table as e-Stat's database view gives it as CSV: fields in
// double quotation marks (a mark inside doubled), records ended by CR LF or
// LF, in UTF-8 with or without a byte-order mark or in Shift_JIS (CP932).
// The file is read through one buffer, a record at a time.

#include "core/failure.h"
#include "data/census_table_rows.h"
#include "data/data_file_reader.h"
#include "data/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace pyramid {

namespace {

class CsvRecords {
public:
    CsvRecords(CensusTableBuilder& builder) : builder_(builder) {}

    void take(const char* bytes, std::size_t size)
    {
        for (const char* p = bytes; p < bytes + size; ++p) {
            const char c = *p;
            if (state_ == State::AfterCr) {
                // A lone CR ended the record; any other byte starts the next.
                state_ = State::FieldStart;
                if (c == '\n')
                    continue;
            }
            switch (state_) {
            case State::FieldStart:
                if (c == '"') {
                    state_ = State::Quoted;
                    break;
                }
                state_ = State::Plain;
                [[fallthrough]];
            case State::Plain:
                if (c == ',')
                    endField();
                else if (c == '\n' || c == '\r')
                    endRecord(c);
                else
                    append(c);
                break;
            case State::Quoted: {
                // The field's text runs to the next mark, often far.
                const char* mark = static_cast<const char*>(std::memchr(p, '"', static_cast<std::size_t>(bytes + size - p)));
                const char* end = mark != nullptr ? mark : bytes + size;
                append(p, end);
                p = end;
                if (mark != nullptr)
                    state_ = State::QuoteInQuoted;
                else
                    --p;
                break;
            }
            case State::QuoteInQuoted:
                if (c == '"') {
                    append('"');
                    state_ = State::Quoted;
                } else if (c == ',') {
                    endField();
                } else if (c == '\n' || c == '\r') {
                    endRecord(c);
                } else {
                    // Text after the closing mark belongs to the field.
                    append(c);
                    state_ = State::Plain;
                }
                break;
            case State::AfterCr:
                break;  // taken above
            }
        }
    }

    void finish()
    {
        if (state_ != State::FieldStart || fieldCount_ > 0)
            endRecord('\n');
    }

private:
    enum class State { FieldStart, Plain, Quoted, QuoteInQuoted, AfterCr };

    void append(char c)
    {
        if (field_.size() < kMaxCellBytes)
            field_ += c;
    }
    void append(const char* from, const char* to)
    {
        const std::size_t room = kMaxCellBytes - field_.size();
        field_.append(from, std::min(room, static_cast<std::size_t>(to - from)));
    }

    void endField()
    {
        if (fieldCount_ < kMaxTableColumns) {
            if (row_.size() <= fieldCount_)
                row_.resize(fieldCount_ + 1);
            TableCell& cell = row_[fieldCount_];
            cell.kind = field_.empty() ? TableCell::Kind::Empty : TableCell::Kind::Text;
            if (isValidUtf8(field_))
                cell.text.assign(field_);  // keeps the cell's room for the next record
            else
                cell.text = decode_(field_);
        }
        ++fieldCount_;
        field_.clear();
        state_ = State::FieldStart;
    }

    void endRecord(char ending)
    {
        endField();
        if (row_.size() > fieldCount_)
            row_.resize(fieldCount_);
        builder_.addRow(row_);
        fieldCount_ = 0;
        state_ = ending == '\r' ? State::AfterCr : State::FieldStart;
    }

    CensusTableBuilder& builder_;
    DataTextDecoder decode_;
    State state_ = State::FieldStart;
    std::string field_;
    std::size_t fieldCount_ = 0;
    TableRow row_;
};

}  // namespace

CensusTable readCsvTable(const std::string& path)
{
    {
        // The same failures as for a data file that cannot be opened.
        DataFileReader file;
        file.open(path);
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Failure(FailureKind::FileAccess, "国勢調査の表を読み込めません。");
    CensusTableBuilder builder;
    CsvRecords records(builder);
    static constexpr std::size_t kChunk = 64 * 1024;
    std::string buffer(kChunk, '\0');
    bool first = true;
    try {
        for (;;) {
            const ssize_t n = ::read(fd, buffer.data(), kChunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw Failure(FailureKind::FileAccess, "国勢調査の表を読み込めません。");
            if (n == 0)
                break;
            std::string_view bytes(buffer.data(), static_cast<std::size_t>(n));
            if (first && bytes.starts_with("\xEF\xBB\xBF"))
                bytes.remove_prefix(3);
            first = false;
            records.take(bytes.data(), bytes.size());
        }
        records.finish();
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return builder.finish();
}

std::string fileHead(const std::string& path, std::size_t count)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    std::string head(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::read(fd, head.data() + got, count - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    head.resize(got);
    return head;
}

}  // namespace pyramid
