// Opening the largest census tables as far as the list of regions: a
// workbook of 2,500 rows × 130 columns (the largest prefecture's municipal
// table) and a CSV of the database view with all 1,965 regions, both
// nationalities, both sexes and the total, every age column. Both are made
// here in the layout of e-Stat's own files. The peak resident size above
// what the process held before the first read is reported with each.
#include "data/census_table.h"

#include <benchmark/benchmark.h>
#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

using namespace pyramid;

namespace {

double peakMegabytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Before anything is read: what the process itself holds.
const double baselineMegabytes = peakMegabytes();

std::string scratch(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

// The value columns of the tables: the total, 0..109 years, 110 and over,
// age unknown and the seven re-listed groups.
std::vector<std::string> valueHeaders(bool withCodes)
{
    std::vector<std::string> headers{withCodes ? "000_総数" : "総数"};
    for (int age = 0; age <= 109; ++age) {
        char code[8];
        std::snprintf(code, sizeof code, "%03d_", age + 1);
        headers.push_back((withCodes ? code : "") + std::to_string(age) + "歳");
    }
    headers.push_back(withCodes ? "111_110歳以上" : "110歳以上");
    headers.push_back(withCodes ? "112_年齢「不詳」" : "年齢「不詳」");
    for (const char* relisted : {"R1_（再掲）15歳未満", "R2_（再掲）15～64歳", "R3_（再掲）65歳以上", "R4_（再掲）75歳以上",
                                 "R5_（再掲）85歳以上", "R6_（再掲）100歳以上", "R7_（再掲）20～69歳"})
        headers.push_back(withCodes ? relisted : std::string(relisted).substr(3));
    return headers;
}

long countFor(long row, long column) { return (row * 7919 + column * 104729) % 40000; }

std::string columnName(int column)
{
    std::string name;
    for (++column; column > 0; column = (column - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
    return name;
}

// 2,500 rows × 130 columns as the census writes its municipal workbook:
// title rows, a header of class codes, the row-header names, then one row per
// nationality, sex and region, labels as shared strings and counts as numbers.
std::string makeWorkbook()
{
    const std::string path = scratch("pyramid-bench-census.xlsx");
    const std::vector<std::string> values = valueHeaders(true);
    const int labels = 8;  // A..H before the counts, the region's code and name in H
    std::vector<std::string> strings{"令和２年国勢調査　人口等基本集計",
                                     "第２－５表　男女，年齢（各歳），国籍総数か日本人別人口－都道府県，市区町村",
                                     "国籍総数か日本人", "男女", "地域識別コード", "地域名",
                                     "0_国籍総数", "1_うち日本人", "0_総数", "1_男", "2_女", "3", "-"};
    const std::size_t headerAt = strings.size();
    strings.insert(strings.end(), values.begin(), values.end());
    const std::size_t regionAt = strings.size();
    const int regions = 417;  // 2 nationalities × 3 sexes × 417 = 2,502 rows
    for (int r = 0; r < regions; ++r) {
        char name[64];
        std::snprintf(name, sizeof name, "%05d_市町村%d", 1100 + r, r);
        strings.push_back(name);
    }

    const std::string sheetPath = scratch("pyramid-bench-sheet.xml");
    std::FILE* sheet = std::fopen(sheetPath.c_str(), "wb");
    std::fputs("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet "
               "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>",
               sheet);
    const auto textCell = [&](int column, long row, std::size_t string) {
        std::fprintf(sheet, "<c r=\"%s%ld\" s=\"5\" t=\"s\"><v>%zu</v></c>", columnName(column).c_str(), row, string);
    };
    std::fputs("<row r=\"1\">", sheet), textCell(0, 1, 0), std::fputs("</row><row r=\"2\">", sheet), textCell(0, 2, 1);
    std::fputs("</row><row r=\"9\">", sheet);
    for (std::size_t v = 0; v < values.size(); ++v)
        textCell(labels + static_cast<int>(v), 9, headerAt + v);
    std::fputs("</row><row r=\"11\">", sheet);
    for (int c = 0; c < 4; ++c)
        textCell(c, 11, 2 + static_cast<std::size_t>(c));
    std::fputs("</row>", sheet);
    long row = 12;
    for (int nationality = 0; nationality < 2; ++nationality)
        for (int sex = 0; sex < 3; ++sex)
            for (int r = 0; r < regions; ++r, ++row) {
                std::fprintf(sheet, "<row r=\"%ld\" spans=\"1:130\">", row);
                textCell(0, row, 6 + static_cast<std::size_t>(nationality));
                textCell(1, row, 8 + static_cast<std::size_t>(sex));
                textCell(2, row, 11);
                for (int c = 3; c < 7; ++c)
                    textCell(c, row, 12);
                textCell(7, row, regionAt + static_cast<std::size_t>(r));
                for (int c = labels; c < 130; ++c)
                    std::fprintf(sheet, "<c r=\"%s%ld\" s=\"6\"><v>%ld</v></c>", columnName(c).c_str(), row, countFor(row, c));
                std::fputs("</row>", sheet);
            }
    std::fputs("</sheetData></worksheet>", sheet);
    std::fclose(sheet);

    std::string shared = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<sst "
                         "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    for (const std::string& s : strings)
        shared += "<si><t>" + s + "</t></si>";
    shared += "</sst>";
    static const std::string workbook =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<workbook "
        "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets><sheet "
        "name=\"b02_05\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    static const std::string relationships =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId4\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
        "Target=\"sharedStrings.xml\"/></Relationships>";

    std::filesystem::remove(path);
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    const auto add = [&](const char* name, const std::string& text) {
        zip_file_add(archive, name, zip_source_buffer(archive, text.data(), text.size(), 0), ZIP_FL_OVERWRITE);
    };
    add("xl/workbook.xml", workbook);
    add("xl/_rels/workbook.xml.rels", relationships);
    add("xl/sharedStrings.xml", shared);
    zip_file_add(archive, "xl/worksheets/sheet1.xml", zip_source_file(archive, sheetPath.c_str(), 0, -1), ZIP_FL_OVERWRITE);
    zip_close(archive);
    std::filesystem::remove(sheetPath);
    return path;
}

// The database view's CSV of all 1,965 regions: metadata, the age dimension
// lines, the row header, then one row per nationality, sex and region with
// every value quoted and thousands separated.
std::string makeCsv()
{
    const std::string path = scratch("pyramid-bench-census.csv");
    const std::vector<std::string> values = valueHeaders(false);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fputs("\"統計名：\",\"令和２年国勢調査 人口等基本集計\"\n\"表番号：\",\"2-5-1\"\n"
               "\"実施年月：\",\"2020年\",\"10月\"\n\n\"***\",\"当該数値がないもの\"\n\"-\",\"当該数値がないもの\"\n\n",
               out);
    const char* rowHeaders[] = {"時間軸（年次） コード", "時間軸（年次） 補助コード", "時間軸（年次）",
                                "国籍総数か日本人 コード", "国籍総数か日本人 補助コード", "国籍総数か日本人",
                                "男女 コード", "男女 補助コード", "男女",
                                "全国，都道府県，市区町村 コード", "全国，都道府県，市区町村 補助コード",
                                "全国，都道府県，市区町村"};
    std::fputs(std::string(12, ',').c_str(), out);
    std::fputs("\"/年齢 コード\"", out);
    for (std::size_t v = 0; v < values.size(); ++v)
        std::fprintf(out, ",\"%03zu\"", v);
    std::fputs("\n", out);
    for (const char* h : rowHeaders)
        std::fprintf(out, "\"%s\",", h);
    std::fputs("\"/年齢\"", out);
    for (const std::string& v : values)
        std::fprintf(out, ",\"%s\"", v.c_str());
    std::fputs("\n", out);
    const char* nationalities[] = {"国籍総数", "日本人"};
    const char* sexes[] = {"総数", "男", "女"};
    long row = 0;
    for (int n = 0; n < 2; ++n)
        for (int s = 0; s < 3; ++s)
            for (int r = 0; r < 1965; ++r, ++row) {
                std::fprintf(out, "\"2020000000\",\"\",\"2020年\",\"%d\",\"\",\"%s\",\"%d\",\"\",\"%s\",\"%05d\",\"\",\"市町村%d\",\"\"",
                             n, nationalities[n], s, sexes[s], 1100 + r, r);
                for (std::size_t v = 0; v < values.size(); ++v) {
                    const long count = countFor(row, static_cast<long>(v)) * 37;
                    if (count >= 1000)
                        std::fprintf(out, ",\"%ld,%03ld\"", count / 1000, count % 1000);
                    else
                        std::fprintf(out, ",\"%ld\"", count);
                }
                std::fputs("\n", out);
            }
    std::fclose(out);
    return path;
}

void openToRegionList(benchmark::State& state, const std::string& path)
{
    std::size_t regions = 0;
    for (auto _ : state) {
        const CensusTable table = readCensusTable(path);
        regions = table.regions().size();
        benchmark::DoNotOptimize(regions);
    }
    state.counters["regions"] = static_cast<double>(regions);
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    state.counters["peak_above_MB"] = peakMegabytes() - baselineMegabytes;
}

// A table made once and removed at exit.
struct MadeFile {
    std::string path;
    ~MadeFile() { std::filesystem::remove(path); }
};

void workbook2500Rows(benchmark::State& state)
{
    static const MadeFile file{makeWorkbook()};
    openToRegionList(state, file.path);
}

void databaseCsv1965Regions(benchmark::State& state)
{
    static const MadeFile file{makeCsv()};
    openToRegionList(state, file.path);
}

}  // namespace

BENCHMARK(workbook2500Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(databaseCsv1965Regions)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
