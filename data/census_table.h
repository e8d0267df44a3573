#pragma once
// The census tables as e-Stat gives them: the Excel workbook of single years
// of age by sex (one sheet of rows per nationality, sex and region) and the
// CSV of e-Stat's database view in its table form. A table holds many
// regions; one of them, chosen by the user, is handed on as text in the
// program's own data file format, so the draw reads it as it reads a file
// from the library.
//
// Columns and rows are found by their headers, never by position: the
// census's own tables do not put the region and sex columns in the same
// places.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pyramid {

// By content, never by name: a ZIP container holding a workbook, or text
// whose first item is e-Stat's 統計名： line. Never throws.
bool isCensusTable(const std::string& path) noexcept;

struct CensusRegion {
    std::string code;  // "01101", five digits, leading zero kept
    std::string name;  // "札幌市中央区"
};

// One region as the program's own data file, plus what the chart's
// description needs.
struct CensusRegionFile {
    // UTF-8, LF: the TitleYear line ("札幌市中央区 2020", or
    // "札幌市中央区（日本人） 2020"), the weight (the land area), then 101
    // male counts for ages 0..99 and 100 and over, then 101 female counts.
    std::string text;
    std::string titleYear;
    double unknownAge = 0;  // persons of unknown age, men and women, not counted
    std::string label;      // "01101 札幌市中央区"
};

class CensusTable {
public:
    CensusTable();
    ~CensusTable();
    CensusTable(CensusTable&&) noexcept;
    CensusTable& operator=(CensusTable&&) noexcept;

    const std::vector<CensusRegion>& regions() const;
    // The table has both 国籍総数 and 日本人 rows.
    bool hasJapaneseOnly() const;
    // The survey year, 0 when the table does not say.
    int year() const;

    // Indexes of the regions whose "code name" line contains `typed`
    // (full-width digits and letters count as half-width; empty = all), in
    // table order.
    std::vector<std::size_t> matching(std::string_view typed) const;

    // Fails with a text in the user's words when the region cannot make a
    // pyramid (no male or female rows, ages missing between classes, ...).
    CensusRegionFile regionFile(std::size_t index, bool japaneseOnly) const;

    struct Contents;

private:
    friend class CensusTableBuilder;
    std::unique_ptr<Contents> contents_;
};

// Fails with FailureKind::UnusableTable and a detail in the user's words
// (damaged workbook, no age headers, a table without male and female single
// years, ...), or as the data file reader does when the file cannot be read.
CensusTable readCensusTable(const std::string& path);

// Land area in km² of a five-digit region code, from the 2020 census table
// built into the program; 1 when the code is not there.
double regionArea(std::string_view code) noexcept;

}  // namespace pyramid
