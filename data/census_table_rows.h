#pragma once
// The census table's rows as its two readers (the Excel workbook and the
// CSV of e-Stat's database view) hand them on, one at a time, to the one
// place that understands what they mean.

#include "data/census_table.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pyramid {

struct TableCell {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0;
    std::string text;  // UTF-8
};

// A row's cells by 0-based column; columns past the end are empty.
using TableRow = std::vector<TableCell>;

// No real table comes near these; they keep a damaged or hostile file from
// taking the memory or the time of the machine. e-Stat's largest tables have
// about 160 columns and 2 million cells (every region of Japan).
inline constexpr std::size_t kMaxTableColumns = 1024;
inline constexpr std::size_t kMaxCellBytes = 4096;
inline constexpr std::size_t kMaxTableCells = 16 * 1024 * 1024;  // the rows' widths added up

// Fails with FailureKind::UnusableTable and `detail`.
[[noreturn]] void failUnusableTable(const std::string& detail);

// Takes the rows from the top of the sheet or file: title and notes, the
// headers, then the data rows, and keeps what a pyramid needs of them.
class CensusTableBuilder {
public:
    CensusTableBuilder();
    ~CensusTableBuilder();
    CensusTableBuilder(const CensusTableBuilder&) = delete;
    CensusTableBuilder& operator=(const CensusTableBuilder&) = delete;

    void addRow(const TableRow& row);
    // True once the headers of the age classes have been seen.
    bool foundAgeHeaders() const;
    // The table, or a failure that says what the file lacks.
    CensusTable finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The readers of the two forms; each fails as readCensusTable says.
CensusTable readWorkbookTable(const std::string& path);
CensusTable readCsvTable(const std::string& path);

// Every row of the workbook's first sheet, as the table reader sees them.
void forEachWorkbookRow(const std::string& path, const std::function<void(const TableRow&)>& take);

// A ZIP container with an Excel workbook in it. Never throws.
bool isWorkbook(const std::string& path) noexcept;

// The bytes a file starts with, at most `count`; empty when it cannot be read.
std::string fileHead(const std::string& path, std::size_t count);

}  // namespace pyramid
