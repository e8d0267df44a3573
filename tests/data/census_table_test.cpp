#include "data/census_table.h"

#include "core/failure.h"
#include "data/census_table_rows.h"
#include "support/library_files.h"
#include "temp_files.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <zip.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <numeric>
#include <sstream>
#include <tuple>

using namespace pyramid;
using pyramid::testing::TempDir;

namespace {

const std::string kWorkbook = std::string(PYRAMID_SAMPLES_DIR) + "/estat/b02_01.xlsx";
const std::string kSampleCsv = std::string(PYRAMID_SAMPLES_DIR) + "/estat/FEH_00200521_260127162349.csv";

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

std::string labelOf(const TableCell& cell)
{
    const std::size_t bar = cell.text.find('_');
    return bar == std::string::npos ? cell.text : cell.text.substr(bar + 1);
}

// The workbook's raw rows: the header row of class codes, then its data rows.
struct RawSheet {
    std::vector<std::string> header;
    std::vector<TableRow> rows;
    int column(const std::string& name) const
    {
        return static_cast<int>(std::find(header.begin(), header.end(), name) - header.begin());
    }
};

RawSheet rawSheet()
{
    RawSheet sheet;
    forEachWorkbookRow(kWorkbook, [&](const TableRow& row) {
        if (row.size() > 5 && row[4].text == "000_総数")
            for (const TableCell& cell : row)
                sheet.header.push_back(cell.text);
        else if (!sheet.header.empty() && row.size() > 5 && row[4].kind == TableCell::Kind::Number)
            sheet.rows.push_back(row);
    });
    return sheet;
}

double count(const TableCell& cell) { return cell.kind == TableCell::Kind::Number ? cell.number : 0; }

// One region as the data file's text holds it: the male and female counts.
std::pair<std::vector<double>, std::vector<double>> counts(const CensusRegionFile& file)
{
    const std::vector<std::string> all = lines(file.text);
    std::vector<double> male, female;
    for (std::size_t i = 2; i < all.size(); ++i)
        (i < 2 + 101 ? male : female).push_back(std::stod(all[i]));
    return {male, female};
}

std::string failureOf(const std::function<void()>& step)
{
    try {
        step();
    } catch (const Failure& failure) {
        return failure.description();
    }
    return "(no failure)";
}

std::string toCp932(const std::string& utf8)
{
    iconv_t converter = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    char* to = out.data();
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    EXPECT_NE(iconv(converter, &in, &inLeft, &to, &outLeft), static_cast<std::size_t>(-1));
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}

std::string quoted(const std::string& text) { return '"' + text + '"'; }

std::string withThousands(double value)
{
    std::string digits = std::to_string(static_cast<long long>(value));
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

// The workbook's figures in the database view's table form: every value
// column (総数, 0歳 … 110歳以上, 年齢「不詳」, the re-listed groups), both
// nationalities, all three sexes, numbers quoted with thousands separators.
std::string databaseCsvOf(const RawSheet& sheet)
{
    std::string csv = "\"統計名：\",\"令和２年国勢調査 人口等基本集計\"\r\n\"実施年月：\",\"2020年\",\"10月\"\r\n\r\n"
                      "\"***\",\"当該数値がないもの\"\r\n\"-\",\"当該数値がないもの\"\r\n\r\n";
    const int first = sheet.column("000_総数"), last = sheet.column("R7_（再掲）20～69歳");
    std::string codes = std::string(12, ',') + "\"/年齢 コード\"", names;
    for (const char* h : {"時間軸（年次） コード", "時間軸（年次）", "国籍総数か日本人 コード", "国籍総数か日本人",
                          "男女 コード", "男女", "地域 コード", "地域 補助コード", "地域"})
        names += quoted(h) + ',';
    names += std::string(3, ',') + "\"/年齢\"";
    for (int c = first; c <= last; ++c) {
        codes += ',' + quoted(sheet.header[c].substr(0, sheet.header[c].find('_')));
        names += ',' + quoted(sheet.header[c].substr(sheet.header[c].find('_') + 1));
    }
    csv += codes + "\r\n" + names + "\r\n";
    for (const TableRow& row : sheet.rows) {
        const std::string nationality = labelOf(row[0]) == "うち日本人" ? "日本人" : labelOf(row[0]);
        csv += "\"2020000000\",\"2020年\",\"0\"," + quoted(nationality) + ",\"0\"," + quoted(labelOf(row[1])) + ',' +
               quoted(row[3].text.substr(0, 5)) + ",\"\"," + quoted(row[3].text.substr(6)) + ",\"\",\"\",\"\",\"\"";
        for (int c = first; c <= last; ++c)
            csv += ',' + quoted(row[c].kind == TableCell::Kind::Number ? withThousands(row[c].number) : row[c].text);
        csv += "\r\n";
    }
    return csv;
}

}  // namespace

TEST(CensusTable, EveryRegionOfTheWorkbookLoadsItsPublishedTotalsLessUnknownAge)
{
    const CensusTable table = readCensusTable(kWorkbook);
    ASSERT_EQ(table.regions().size(), 99u);
    EXPECT_TRUE(table.hasJapaneseOnly());
    EXPECT_EQ(table.year(), 2020);

    const RawSheet sheet = rawSheet();
    const int total = sheet.column("000_総数"), unknown = sheet.column("112_年齢「不詳」"),
              over100 = sheet.column("R6_（再掲）100歳以上");
    // (Japanese only, region code, male) -> published total less unknown, 100 and over, unknown
    std::map<std::tuple<bool, std::string, bool>, std::array<double, 3>> published;
    for (const TableRow& row : sheet.rows)
        if (labelOf(row[1]) != "総数")
            published[{labelOf(row[0]) == "うち日本人", row[3].text.substr(0, 5), labelOf(row[1]) == "男"}] = {
                count(row[total]) - count(row[unknown]), count(row[over100]), count(row[unknown])};
    ASSERT_EQ(published.size(), 99u * 4);

    for (std::size_t i = 0; i < table.regions().size(); ++i)
        for (const bool japanese : {false, true}) {
            const CensusRegion& region = table.regions()[i];
            const CensusRegionFile file = table.regionFile(i, japanese);
            EXPECT_EQ(file.titleYear, region.name + (japanese ? "（日本人）" : "") + " 2020");
            const auto [male, female] = counts(file);
            ASSERT_EQ(male.size(), 101u);
            ASSERT_EQ(female.size(), 101u);
            const auto& m = published[{japanese, region.code, true}];
            const auto& f = published[{japanese, region.code, false}];
            EXPECT_EQ(std::accumulate(male.begin(), male.end(), 0.0), m[0]) << file.label;
            EXPECT_EQ(std::accumulate(female.begin(), female.end(), 0.0), f[0]) << file.label;
            EXPECT_EQ(male[100], m[1]) << file.label;
            EXPECT_EQ(female[100], f[1]) << file.label;
            EXPECT_EQ(file.unknownAge, m[2] + f[2]) << file.label;
        }
}

TEST(CensusTable, HokkaidoIsTheLibrarysFileCountForCountWithTheAreaAsWeight)
{
    const CensusTable table = readCensusTable(kWorkbook);
    const std::vector<std::size_t> found = table.matching("北海道");
    ASSERT_EQ(found.size(), 1u);
    const CensusRegionFile file = table.regionFile(found[0], false);
    EXPECT_EQ(file.label, "01000 北海道");
    std::ifstream in(pyramid::testing::library::file(pyramid::testing::library::kPrefectures, "01 北海道.txt"));
    std::vector<std::string> library;
    for (std::string line; std::getline(in, line);)
        library.push_back(line);
    const std::vector<std::string> read = lines(file.text);
    ASSERT_EQ(read.size(), library.size());
    EXPECT_EQ(read[0], library[0]);
    EXPECT_EQ(read[1], "83424.44");
    EXPECT_TRUE(std::equal(read.begin() + 2, read.end(), library.begin() + 2));
}

TEST(CensusTable, ChoosingFindsCodesAndNamesTypedInEitherWidth)
{
    const CensusTable table = readCensusTable(kWorkbook);
    const auto labels = [&](std::string_view typed) {
        std::vector<std::string> out;
        for (const std::size_t i : table.matching(typed))
            out.push_back(table.regions()[i].code + ' ' + table.regions()[i].name);
        return out;
    };
    EXPECT_EQ(labels("札幌"), std::vector<std::string>{"01100 札幌市"});
    EXPECT_EQ(labels("１３１０１"), std::vector<std::string>{"13101 千代田区"});
    EXPECT_EQ(labels("１４１"), (std::vector<std::string>{"14100 横浜市", "14130 川崎市", "14150 相模原市"}));
    EXPECT_EQ(table.matching("").size(), 99u);
    EXPECT_TRUE(labels("ロンドン").empty());
}

TEST(CensusTable, ADatabaseCsvInShiftJisLoadsWhatTheWorkbookHolds)
{
    TempDir dir;
    const std::string csv = dir.write("FEH_00200521_test.csv", toCp932(databaseCsvOf(rawSheet())));
    ASSERT_TRUE(isCensusTable(csv));
    const CensusTable fromCsv = readCensusTable(csv);
    const CensusTable fromWorkbook = readCensusTable(kWorkbook);
    ASSERT_EQ(fromCsv.regions().size(), 99u);
    EXPECT_TRUE(fromCsv.hasJapaneseOnly());
    EXPECT_EQ(fromCsv.year(), 2020);
    for (std::size_t i = 0; i < 99; ++i)
        for (const bool japanese : {false, true}) {
            const CensusRegionFile a = fromCsv.regionFile(i, japanese), b = fromWorkbook.regionFile(i, japanese);
            EXPECT_EQ(a.text, b.text);
            EXPECT_EQ(a.unknownAge, b.unknownAge);
        }
}

TEST(CensusTable, TablesThatCannotMakeAPyramidSayWhatToDownload)
{
    EXPECT_NE(failureOf([] { readCensusTable(kSampleCsv); })
                  .find("この表には男女別・各歳の人口がありません。e-Stat でダウンロードするときは、男女の「男」と「女」、"
                        "年齢のすべての各歳を選んでください。"),
              std::string::npos);

    TempDir dir;
    std::string ages = R"("男女","地域 コード","地域")";
    for (int age = 0; age <= 99; ++age)
        ages += age == 51 ? ",\"51～52歳\"" : ",\"" + std::to_string(age) + "歳\"";
    ages += ",\"100歳以上\"\n";
    const auto row = [](const char* sex, std::string_view blankAt) {
        std::string line = std::string("\"") + sex + "\",\"01101\",\"札幌市中央区\"";
        for (int age = 0; age <= 100; ++age)
            line += std::to_string(age) == blankAt ? ",\"\"" : ",\"1,234\"";
        return line + "\n";
    };
    // Small hostile workbooks, refused before they unpack into memory.
    const auto workbook = [&](const char* name, const std::string& sheet, const std::string& shared) {
        int error = 0;
        zip_t* archive = zip_open(dir.path(name).c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        for (const auto& [part, text] : {std::pair{"xl/workbook.xml", std::string("<workbook/>")},
                                         {"xl/worksheets/sheet1.xml", sheet}, {"xl/sharedStrings.xml", shared}})
            zip_file_add(archive, part, zip_source_buffer(archive, strdup(text.c_str()), text.size(), 1), 0);
        zip_close(archive);
        return dir.path(name);
    };
    std::string nested, strings = "<sst>", wide = "\"統計名：\"\n";
    for (int depth = 0; depth < 100; ++depth)
        nested += "<a>";
    for (int k = 0; k <= 1024 * 1024; ++k)
        strings += "<si/>";
    for (int line = 0; line <= 16 * 1024; ++line)
        wide += std::string(1023, ',') + "\n";
    const struct {
        std::string path;
        std::string says;
    } cases[] = {
        {dir.write("t1", "\"統計名：\"\n" + ages + row("男", "") + row("女", "")), "51歳の人口がありません"},
        {dir.write("t2", "\"統計名：\"\n\"男女\",\"地域\",\"総数\"\n\"男\",\"01101_札幌市中央区\",\"5\"\n"),
         "各歳の年齢（「0歳」「1歳」…）の見出しがありません"},
        {dir.write("t3", "PK\x03\x04 damaged"), "Excel のファイルが壊れているため読めません"},
        {workbook("deep.xlsx", nested, "<sst/>"), "Excel のファイルが壊れているため読めません"},
        {workbook("strings.xlsx", "<worksheet/>", strings + "</sst>"), "Excel のファイルが壊れているため読めません"},
        {dir.write("wide.csv", wide), "この表は大きすぎて読めません"},
    };
    for (const auto& c : cases)
        EXPECT_NE(failureOf([&] { readCensusTable(c.path); }).find(c.says), std::string::npos) << c.says;

    // A region whose row leaves an age blank is refused when it is chosen.
    ages.replace(ages.find("51～52歳"), std::string("51～52歳").size(), "51歳");
    const CensusTable table = readCensusTable(dir.write("blank.csv", "\"統計名：\"\n" + ages + row("男", "") + row("女", "7")));
    EXPECT_NE(failureOf([&] { table.regionFile(0, false); }).find("01101 札幌市中央区の7歳（女）の人口が表に書かれていません"),
              std::string::npos);
    EXPECT_EQ(lines(readCensusTable(dir.write("ok.csv", "\"統計名：\"\n" + ages + row("男", "") + row("女", ""))).regionFile(0, true).text)[1],
              "46.42");
    std::string odd = "\"統計名：\"\n" + ages + row("男", "") + row("女", "");
    for (std::size_t at; (at = odd.find("札幌市中央区")) != std::string::npos;)
        odd.replace(at, std::string("札幌市中央区").size(), "札幌,\"\"中央\"\"/区");
    EXPECT_EQ(lines(readCensusTable(dir.write("odd.csv", odd)).regionFile(0, false).text)[0], "札幌，＂中央＂／区");
}

TEST(CensusTable, TablesAreKnownByTheirContentNotTheirName)
{
    TempDir dir;
    EXPECT_TRUE(isCensusTable(kWorkbook));
    EXPECT_TRUE(isCensusTable(kSampleCsv));
    EXPECT_TRUE(isCensusTable(dir.write("a.txt", "\xEF\xBB\xBF\"統計名：\",\"x\"\r\n")));
    EXPECT_TRUE(isCensusTable(dir.write("b", toCp932("\"統計名：\",\"令和２年国勢調査\"\r\n"))));
    EXPECT_FALSE(isCensusTable(dir.write("data.csv", "札幌市 2020,46.42,1,2\n")));
    EXPECT_FALSE(isCensusTable(dir.write("other.xlsx", "PK\x03\x04 not a workbook")));
    EXPECT_FALSE(isCensusTable(dir.path("missing.xlsx")));
    EXPECT_FALSE(isCensusTable(dir.dir().string()));
    EXPECT_EQ(regionArea("01101"), 46.42);
    EXPECT_EQ(regionArea("47382"), 28.9);
    EXPECT_EQ(regionArea("99999"), 1.0);
}
