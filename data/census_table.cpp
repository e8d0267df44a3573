#include "data/census_table.h"

#include "core/failure.h"
#include "core/utf8_text.h"
#include "data/census_table_rows.h"
#include "data/data_file_reader.h"
#include "data/text_encoding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <unordered_map>

namespace pyramid {

namespace {

constexpr std::string_view kChooseEveryAge =
    "e-Stat でダウンロードするときは、男女の「男」と「女」、年齢のすべての各歳を選んでください。";
constexpr std::string_view kNoSexesAndAges = "この表には男女別・各歳の人口がありません。";

// A table of every municipality has about 3,500 regions with those of 2000;
// far more is no census table.
constexpr std::size_t kMaxRegions = 20000;
// Ages past this are no class of a pyramid (the library's files stop at 199).
constexpr int kMaxAge = 199;
// The program's classes: 0..99 and one class 100 and over.
constexpr int kOpenClassAge = 100;

enum Sex { Male = 0, Female = 1 };
enum Nationality { AllNationalities = 0, JapaneseOnly = 1 };

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

// The label of a category cell without its code: "1_男" -> "男",
// "001_0歳" -> "0歳", "R6_（再掲）100歳以上" -> "（再掲）100歳以上".
std::string_view withoutCode(std::string_view text)
{
    const std::size_t bar = text.find('_');
    if (bar == std::string_view::npos || bar == 0)
        return text;
    for (std::size_t i = 0; i < bar; ++i) {
        const char c = text[i];
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return text;
    }
    return text.substr(bar + 1);
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    // The full-width blank the tables use in titles.
    while (text.starts_with("\u3000"))
        text.remove_prefix(3);
    while (text.ends_with("\u3000"))
        text.remove_suffix(3);
    return text;
}

// Full-width digits, letters and signs as their half-width forms, the
// full-width blank as a blank: what a user types and what a table prints
// are compared in one form.
std::string halfWidth(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Character c = utf8CharacterAt(text, at);
        if (c.length == 0) {
            out += text[at++];
            continue;
        }
        if (c.code >= 0xFF01 && c.code <= 0xFF5E)
            out += static_cast<char>(c.code - 0xFF01 + 0x21);
        else if (c.code == 0x3000)
            out += ' ';
        else
            out.append(text.substr(at, c.length));
        at += c.length;
    }
    return out;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> smallNumber(std::string_view digits)
{
    int value = 0;
    if (!allDigits(digits) || digits.size() > 4)
        return std::nullopt;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// A header that is one class of age: "001_0歳", "0歳" (open = false), or an
// open class "111_110歳以上", "100歳以上" (open = true).
struct AgeHeader {
    int age = 0;
    bool open = false;
};

std::optional<AgeHeader> ageHeader(std::string_view text)
{
    const std::string label = halfWidth(trimmed(withoutCode(trimmed(text))));
    std::string_view rest = label;
    std::size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
        ++digits;
    const std::optional<int> age = smallNumber(rest.substr(0, digits));
    if (!age || *age > kMaxAge)
        return std::nullopt;
    rest.remove_prefix(digits);
    if (rest == "歳")
        return AgeHeader{*age, false};
    if (rest == "歳以上")
        return AgeHeader{*age, true};
    return std::nullopt;
}

bool isUnknownAgeHeader(std::string_view text)
{
    return trimmed(withoutCode(trimmed(text))) == "年齢「不詳」";
}

// The survey year a title or a time cell names: "2020年", "令和２年国勢調査",
// "平成27年"; 0 when it names none.
int yearIn(std::string_view text)
{
    const std::string half = halfWidth(text);
    const std::string_view t = half;
    for (std::size_t at = t.find("年"); at != std::string_view::npos; at = t.find("年", at + 1)) {
        std::size_t begin = at;
        while (begin > 0 && t[begin - 1] >= '0' && t[begin - 1] <= '9')
            --begin;
        const std::string_view before = t.substr(0, begin);
        const std::optional<int> number = smallNumber(t.substr(begin, at - begin));
        if (before.ends_with("令和元"))
            return 2019;
        if (!number)
            continue;
        if (before.ends_with("令和"))
            return 2018 + *number;
        if (before.ends_with("平成"))
            return 1988 + *number;
        if (before.ends_with("昭和"))
            return 1925 + *number;
        if (*number >= 1000)
            return *number;
    }
    return 0;
}

// A count as the tables print it: a number, a text of digits with thousands
// separators, or "-" and "***" for no such persons. Nothing else is a count.
std::optional<double> countIn(const TableCell& cell)
{
    if (cell.kind == TableCell::Kind::Number)
        return std::isfinite(cell.number) ? std::optional<double>(cell.number) : std::nullopt;
    if (cell.kind != TableCell::Kind::Text)
        return std::nullopt;
    const std::string_view text = trimmed(cell.text);
    if (text == "-" || text == "***")
        return 0.0;
    if (text.empty() || text.size() > 64)
        return std::nullopt;
    char plain[64];
    std::size_t length = 0;
    for (const char c : text)
        if (c != ',')
            plain[length++] = c;
    double value = 0;
    if (parseCount(std::string_view(plain, length), value) != CountParse::Number || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool holdsNumber(const TableCell& cell)
{
    if (cell.kind == TableCell::Kind::Number)
        return std::isfinite(cell.number);
    const std::string_view text = trimmed(cell.text);
    return text != "-" && text != "***" && countIn(cell).has_value();
}

const TableCell& cellAt(const TableRow& row, int column)
{
    static const TableCell empty;
    return column >= 0 && static_cast<std::size_t>(column) < row.size() ? row[static_cast<std::size_t>(column)] : empty;
}

std::string_view textAt(const TableRow& row, int column)
{
    const TableCell& cell = cellAt(row, column);
    return cell.kind == TableCell::Kind::Text ? trimmed(cell.text) : std::string_view();
}

// The shortest plain decimal that reads back as `value`, never with an exponent.
std::string numberText(double value)
{
    char text[512];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

std::string ageName(int age, bool andOver)
{
    return std::to_string(age) + (andOver ? "歳以上" : "歳");
}

// A region's name as the first item of a data file and as part of the name
// it is saved under: what would end the item, the line or the file name
// becomes its full-width form, a control character a blank.
std::string titleSafe(std::string_view name)
{
    std::string safe;
    for (const char ch : name) {
        if (ch == ',')
            safe += "，";
        else if (ch == '"')
            safe += "＂";
        else if (ch == '/')
            safe += "／";
        else
            safe += static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f ? ' ' : ch;
    }
    return safe;
}

}  // namespace

struct CensusTable::Contents {
    std::vector<CensusRegion> regions;
    int year = 0;
    std::array<bool, 2> hasNationality{};
    std::array<bool, 2> hasSex{};
    // The classes kept for each row, in the order of their columns.
    std::vector<AgeHeader> classes;
    int openAge = 0;  // the lowest class "… and over"; classes past it are in it
    // Per region, where each series [nationality * 2 + sex] starts in
    // `values`: classes.size() counts, then the persons of unknown age;
    // -1 when the table has no such row. A count the table leaves blank is NaN.
    std::vector<std::array<std::ptrdiff_t, 4>> series;
    std::vector<double> values;

    std::size_t seriesLength() const { return classes.size() + 1; }
};

[[noreturn]] void failUnusableTable(const std::string& detail)
{
    throw Failure(FailureKind::UnusableTable, detail);
}

struct CensusTableBuilder::State {
    CensusTable::Contents contents;
    int titleYear = 0;
    int timeYear = 0;

    // Per column: the index of its class in contents.classes, or -1.
    std::vector<int> classOfColumn;
    int unknownColumn = -1;
    // Columns whose header row cell says they hold counts (classes, the
    // total, re-listed groups): never a label.
    std::vector<bool> countColumn;
    bool ageHeadersFound = false;
    // The last text above the data in each column: the name of a label column.
    std::vector<std::string> headerOf;

    std::size_t cells = 0;  // of every row so far, empty ones too

    bool labelsFound = false;
    int sexColumn = -1;
    int nationalityColumn = -1;
    int regionColumn = -1;  // "CCCCC_name" in one cell
    int codeColumn = -1;    // or the code and the name in two
    int nameColumn = -1;
    int timeColumn = -1;
    std::unordered_map<std::string, std::size_t> regionIndex;

    std::string_view header(int column) const
    {
        return column >= 0 && static_cast<std::size_t>(column) < headerOf.size()
                   ? trimmed(headerOf[static_cast<std::size_t>(column)])
                   : std::string_view();
    }
    bool isCountColumn(int column) const
    {
        return static_cast<std::size_t>(column) < countColumn.size() && countColumn[static_cast<std::size_t>(column)];
    }

    bool takeAgeHeaders(const TableRow& row);
    void noteHeaders(const TableRow& row);
    bool isFirstDataRow(const TableRow& row) const;
    void findLabelColumns(const TableRow& row);
    void takeDataRow(const TableRow& row);
};

bool CensusTableBuilder::State::takeAgeHeaders(const TableRow& row)
{
    int found = 0;
    for (const TableCell& cell : row)
        if (cell.kind == TableCell::Kind::Text && ageHeader(cell.text))
            ++found;
    if (found < 2)
        return false;

    classOfColumn.assign(row.size(), -1);
    countColumn.assign(row.size(), false);
    std::vector<bool> ageSeen(kMaxAge + 1, false), openSeen(kMaxAge + 1, false);
    for (std::size_t column = 0; column < row.size(); ++column) {
        if (row[column].kind != TableCell::Kind::Text)
            continue;
        const std::string_view text = row[column].text;
        const std::string_view label = trimmed(withoutCode(trimmed(text)));
        if (const std::optional<AgeHeader> age = ageHeader(text)) {
            countColumn[column] = true;
            // A class printed twice is counted once.
            std::vector<bool>& seen = age->open ? openSeen : ageSeen;
            if (seen[static_cast<std::size_t>(age->age)])
                continue;
            seen[static_cast<std::size_t>(age->age)] = true;
            classOfColumn[column] = static_cast<int>(contents.classes.size());
            contents.classes.push_back(*age);
        } else if (isUnknownAgeHeader(text)) {
            countColumn[column] = true;
            if (unknownColumn < 0)
                unknownColumn = static_cast<int>(column);
        } else if (label == "総数" || label.starts_with("（再掲）") || label.find("歳") != std::string_view::npos) {
            // The total, re-listed groups and groups of years repeat classes.
            countColumn[column] = true;
        }
    }
    ageHeadersFound = true;
    return true;
}

void CensusTableBuilder::State::noteHeaders(const TableRow& row)
{
    if (headerOf.size() < row.size())
        headerOf.resize(row.size());
    for (std::size_t column = 0; column < row.size(); ++column) {
        const TableCell& cell = row[column];
        if (cell.kind != TableCell::Kind::Text || trimmed(cell.text).empty())
            continue;
        headerOf[column] = cell.text;
        if (titleYear == 0)
            titleYear = yearIn(cell.text);
    }
}

bool CensusTableBuilder::State::isFirstDataRow(const TableRow& row) const
{
    for (std::size_t column = 0; column < row.size() && column < classOfColumn.size(); ++column)
        if (classOfColumn[column] >= 0 && holdsNumber(row[column]))
            return true;
    return false;
}

void CensusTableBuilder::State::findLabelColumns(const TableRow& row)
{
    const auto labelColumns = [&](auto&& take) {
        for (int column = 0; column < static_cast<int>(row.size()); ++column)
            if (!isCountColumn(column) && row[static_cast<std::size_t>(column)].kind == TableCell::Kind::Text && take(column))
                return column;
        return -1;
    };
    const auto namedOrHolding = [&](std::string_view name, std::initializer_list<std::string_view> values) {
        const int named = labelColumns([&](int column) { return header(column) == name; });
        if (named >= 0)
            return named;
        return labelColumns([&](int column) {
            const std::string_view label = withoutCode(textAt(row, column));
            return std::find(values.begin(), values.end(), label) != values.end();
        });
    };
    sexColumn = namedOrHolding("男女", {"男", "女", "総数"});
    nationalityColumn = namedOrHolding("国籍総数か日本人", {"国籍総数", "日本人", "うち日本人"});
    timeColumn = labelColumns([&](int column) {
        return header(column).starts_with("時間軸") && header(column).find("コード") == std::string_view::npos;
    });
    if (timeColumn >= 0)
        timeYear = yearIn(textAt(row, timeColumn));

    regionColumn = labelColumns([&](int column) {
        const std::string_view text = textAt(row, column);
        return text.size() > 6 && text[5] == '_' && allDigits(text.substr(0, 5));
    });
    if (regionColumn < 0) {
        codeColumn = labelColumns([&](int column) { return column != sexColumn && column != nationalityColumn &&
                                                          textAt(row, column).size() == 5 && allDigits(textAt(row, column)); });
        if (codeColumn >= 0) {
            std::string_view codeHeader = header(codeColumn);
            for (const std::string_view suffix : {" コード", "コード"})
                if (codeHeader.ends_with(suffix)) {
                    codeHeader.remove_suffix(suffix.size());
                    break;
                }
            nameColumn = labelColumns([&](int column) { return column != codeColumn && !codeHeader.empty() && header(column) == codeHeader; });
            if (nameColumn < 0)
                nameColumn = labelColumns([&](int column) {
                    return column > codeColumn && !textAt(row, column).empty() && !allDigits(textAt(row, column));
                });
        }
    }
    if (sexColumn < 0)
        failUnusableTable(std::string(kNoSexesAndAges) + std::string(kChooseEveryAge));
    if (regionColumn < 0 && (codeColumn < 0 || nameColumn < 0))
        failUnusableTable("この表には地域（5けたの地域コードと地域名）の列がありません。"
                          "市区町村別の表をダウンロードしてください。");
    labelsFound = true;
}

void CensusTableBuilder::State::takeDataRow(const TableRow& row)
{
    const std::string_view sexLabel = withoutCode(textAt(row, sexColumn));
    const int sex = sexLabel == "男" ? Male : sexLabel == "女" ? Female : -1;
    if (sex < 0)
        return;  // both sexes together, or a note below the table
    int nationality = AllNationalities;
    if (nationalityColumn >= 0) {
        const std::string_view label = withoutCode(textAt(row, nationalityColumn));
        if (label == "日本人" || label == "うち日本人")
            nationality = JapaneseOnly;
        else if (label != "国籍総数")
            return;  // foreigners alone make no pyramid of the region
    }

    std::string_view code, name;
    if (regionColumn >= 0) {
        const std::string_view text = textAt(row, regionColumn);
        if (text.size() <= 6 || text[5] != '_')
            return;
        code = text.substr(0, 5);
        name = trimmed(text.substr(6));
    } else {
        code = textAt(row, codeColumn);
        name = textAt(row, nameColumn);
        if (name.size() > 6 && name.substr(0, 5) == code && name[5] == '_')
            name = trimmed(name.substr(6));
    }
    if (code.size() != 5 || !allDigits(code) || name.empty())
        return;

    std::string key = std::string(code) + '_' + std::string(name);
    auto [at, added] = regionIndex.try_emplace(std::move(key), contents.regions.size());
    if (added) {
        if (contents.regions.size() >= kMaxRegions)
            failUnusableTable("この表は地域が多すぎて読めません（" + std::to_string(kMaxRegions) + "地域まで）。");
        contents.regions.push_back({std::string(code), std::string(name)});
        contents.series.push_back({-1, -1, -1, -1});
    }
    std::ptrdiff_t& start = contents.series[at->second][static_cast<std::size_t>(nationality * 2 + sex)];
    if (start >= 0)
        return;  // a row repeated: the first one counts
    start = static_cast<std::ptrdiff_t>(contents.values.size());
    contents.values.resize(contents.values.size() + contents.seriesLength(), kMissing);
    double* counts = contents.values.data() + start;
    for (std::size_t column = 0; column < row.size() && column < classOfColumn.size(); ++column)
        if (classOfColumn[column] >= 0)
            if (const std::optional<double> count = countIn(row[column]))
                counts[classOfColumn[column]] = *count;
    if (const std::optional<double> unknown = countIn(cellAt(row, unknownColumn)))
        counts[contents.classes.size()] = *unknown;
    contents.hasNationality[static_cast<std::size_t>(nationality)] = true;
    contents.hasSex[static_cast<std::size_t>(sex)] = true;
}

CensusTableBuilder::CensusTableBuilder() : state_(std::make_unique<State>()) {}
CensusTableBuilder::~CensusTableBuilder() = default;

bool CensusTableBuilder::foundAgeHeaders() const { return state_->ageHeadersFound; }

void CensusTableBuilder::addRow(const TableRow& row)
{
    State& s = *state_;
    s.cells += row.size();
    if (s.cells > kMaxTableCells)
        failUnusableTable("この表は大きすぎて読めません。e-Stat でダウンロードするときは、地域や項目を絞ってください。");
    if (s.labelsFound) {
        s.takeDataRow(row);
        return;
    }
    if (s.ageHeadersFound && s.isFirstDataRow(row)) {
        s.findLabelColumns(row);
        s.takeDataRow(row);
        return;
    }
    if (!s.ageHeadersFound)
        s.takeAgeHeaders(row);
    s.noteHeaders(row);
}

CensusTable CensusTableBuilder::finish()
{
    State& s = *state_;
    if (!s.ageHeadersFound)
        failUnusableTable("この表には各歳の年齢（「0歳」「1歳」…）の見出しがありません。"
                          "国勢調査の「男女，年齢（各歳），国籍総数か日本人別人口」の表を選んでください。");
    CensusTable::Contents& c = s.contents;
    if (c.regions.empty() && !s.labelsFound)
        failUnusableTable("この表には地域ごとの人口の行がありません。");
    if (!c.hasSex[Male] || !c.hasSex[Female])
        failUnusableTable(std::string(kNoSexesAndAges) + std::string(kChooseEveryAge));

    // Every year from 0 up to the open class, which starts at 100 or later.
    std::vector<bool> single(kMaxAge + 1, false);
    int open = -1;
    for (const AgeHeader& age : c.classes) {
        if (!age.open)
            single[static_cast<std::size_t>(age.age)] = true;
        else if (open < 0 || age.age < open)
            open = age.age;
    }
    if (open >= 0 && open < kOpenClassAge)
        failUnusableTable("この表の年齢の区分は「" + ageName(open, true) + "」で終わり、100歳までの各歳がありません。" +
                          std::string(kChooseEveryAge));
    const int last = open >= 0 ? open : kOpenClassAge;
    const bool anySingle = std::find(single.begin(), single.end(), true) != single.end();
    for (int age = 0; age < last; ++age)
        if (!single[static_cast<std::size_t>(age)]) {
            if (age == 0 || !anySingle)
                failUnusableTable(std::string(kNoSexesAndAges) + std::string(kChooseEveryAge));
            failUnusableTable("この表には" + ageName(age, false) + "の人口がありません。" + std::string(kChooseEveryAge));
        }
    if (open < 0)
        failUnusableTable("この表には「100歳以上」や「110歳以上」のように、それより上の年齢をまとめた人口がありません。" +
                          std::string(kChooseEveryAge));

    c.openAge = open;
    c.year = s.timeYear != 0 ? s.timeYear : s.titleYear;
    CensusTable table;
    table.contents_ = std::make_unique<CensusTable::Contents>(std::move(c));
    return table;
}

CensusTable::CensusTable() : contents_(std::make_unique<Contents>()) {}
CensusTable::~CensusTable() = default;
CensusTable::CensusTable(CensusTable&&) noexcept = default;
CensusTable& CensusTable::operator=(CensusTable&&) noexcept = default;

const std::vector<CensusRegion>& CensusTable::regions() const { return contents_->regions; }

bool CensusTable::hasJapaneseOnly() const
{
    return contents_->hasNationality[AllNationalities] && contents_->hasNationality[JapaneseOnly];
}

int CensusTable::year() const { return contents_->year; }

std::vector<std::size_t> CensusTable::matching(std::string_view typed) const
{
    const std::string wanted = halfWidth(trimmed(halfWidth(typed)));
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < contents_->regions.size(); ++i) {
        const CensusRegion& region = contents_->regions[i];
        if (wanted.empty() || halfWidth(region.code + ' ' + region.name).find(wanted) != std::string::npos)
            found.push_back(i);
    }
    return found;
}

CensusRegionFile CensusTable::regionFile(std::size_t index, bool japaneseOnly) const
{
    const Contents& c = *contents_;
    if (index >= c.regions.size())
        failUnusableTable("選んだ地域は表にありません。");
    const CensusRegion& region = c.regions[index];
    // A table of one nationality serves that one, whatever was asked.
    int nationality = japaneseOnly ? JapaneseOnly : AllNationalities;
    if (!c.hasNationality[static_cast<std::size_t>(nationality)])
        nationality = 1 - nationality;

    CensusRegionFile file;
    file.label = region.code + ' ' + region.name;
    file.titleYear = titleSafe(region.name) + (nationality == JapaneseOnly ? "（日本人）" : "");
    if (c.year != 0)
        file.titleYear += ' ' + std::to_string(c.year);
    file.text = file.titleYear + '\n' + numberText(regionArea(region.code)) + '\n';

    for (const int sex : {Male, Female}) {
        const char* sexName = sex == Male ? "男" : "女";
        const std::ptrdiff_t start = c.series[index][static_cast<std::size_t>(nationality * 2 + sex)];
        if (start < 0)
            failUnusableTable(file.label + "には" + sexName + "性の人口の行がありません。");
        const double* counts = c.values.data() + start;
        std::array<double, kOpenClassAge + 1> classes{};
        for (std::size_t k = 0; k < c.classes.size(); ++k) {
            const AgeHeader age = c.classes[k];
            if (age.open ? age.age != c.openAge : age.age >= c.openAge)
                continue;
            const int slot = std::min(age.age, kOpenClassAge);
            if (std::isnan(counts[k]))
                failUnusableTable(file.label + "の" + ageName(age.age, age.open) + "（" + sexName +
                                  "）の人口が表に書かれていません。");
            classes[static_cast<std::size_t>(slot)] += counts[k];
        }
        for (const double count : classes) {
            if (!std::isfinite(count))
                failUnusableTable(file.label + "の100歳以上（" + std::string(sexName) + "）の人口は大きすぎて数えられません。");
            file.text += numberText(count) + '\n';
        }
        if (!std::isnan(counts[c.classes.size()]))
            file.unknownAge += counts[c.classes.size()];
    }
    return file;
}

bool isCensusTable(const std::string& path) noexcept
{
    try {
        const std::string head = fileHead(path, 256);
        if (head.starts_with(std::string_view("PK\x03\x04", 4)))
            return isWorkbook(path);
        std::string_view text = head;
        if (text.starts_with("\xEF\xBB\xBF"))
            text.remove_prefix(3);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        if (text.starts_with('"'))
            text.remove_prefix(1);
        const std::size_t end = text.find_first_of("\",\r\n");
        if (end == std::string_view::npos)
            return false;
        return decodeDataText(text.substr(0, end)) == "統計名：";
    } catch (...) {
        return false;
    }
}

CensusTable readCensusTable(const std::string& path)
{
    if (fileHead(path, 4) == std::string_view("PK\x03\x04", 4))
        return readWorkbookTable(path);
    return readCsvTable(path);
}

}  // namespace pyramid
