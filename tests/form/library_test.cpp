// The population library the program ships (samples/): every file in it is
// chosen in the file list and drawn on the in-memory form, one after the
// other as a user would, without a single prompt, and shows what the
// library's own index.tsv says of it and what its lines add up to; the
// tests' fixtures are library files; and the parts add up to their whole.
#include "app/pyramid_form.h"
#include "core/palette.h"
#include "support/library_files.h"
#include "support/memory_form.h"
#include "support/sample_figures.h"
#include "support/scripted_prompt.h"
#include "data/temp_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace pyramid;
using namespace pyramid::testing;
namespace fs = std::filesystem;

namespace {

const fs::path kLibrary = PYRAMID_LIBRARY_DIR;

// One row of index.tsv, by column name.
using IndexRow = std::map<std::string, std::string>;

std::vector<std::string> tabFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    return fields;
}

std::vector<IndexRow> readIndex()
{
    std::ifstream in(kLibrary / "出典" / "index.tsv");
    std::string line;
    std::getline(in, line);
    const std::vector<std::string> columns = tabFields(line);
    std::vector<IndexRow> rows;
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = tabFields(line);
        EXPECT_EQ(fields.size(), columns.size()) << line;
        IndexRow row;
        for (std::size_t i = 0; i < std::min(fields.size(), columns.size()); ++i)
            row[columns[i]] = fields[i];
        rows.push_back(row);
    }
    return rows;
}

// Every data file of the library, relative to it; the documents beside the
// folders are not data.
std::set<std::string> shippedDataFiles()
{
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(kLibrary))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            files.insert(entry.path().lexically_relative(kLibrary).generic_string());
    return files;
}

double number(const IndexRow& row, const std::string& column) { return std::stod(row.at(column)); }

}  // namespace

TEST(Library, EveryFileDrawsWithoutAPromptAndShowsTheFiguresOfTheIndex)
{
    const std::vector<IndexRow> rows = readIndex();
    std::set<std::string> indexed;
    for (const IndexRow& row : rows)
        indexed.insert(row.at("file"));
    ASSERT_EQ(indexed, shippedDataFiles());
    ASSERT_EQ(rows.size(), 125u);  // 115 census files and 10 of the projection
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const IndexRow& r) { return r.at("kind") == "projection"; }), 10);
    // Only Japan 2020 comes with all 111 published classes as well.
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const IndexRow& r) { return r.at("classes") == "111"; }), 1);

    MemoryForm form;
    ScriptedPrompt prompt;
    PyramidForm handlers{form, prompt};
    form.onDirChanged = [&] { handlers.Dir1_Change(); };
    handlers.Form_Load();
    for (const IndexRow& row : rows) {
        const fs::path path = kLibrary / row.at("file");
        SCOPED_TRACE(row.at("file"));
        form.fileListPath = path.parent_path().string();
        form.selectedFile = path.filename().string();
        handlers.File1_Click();
        ASSERT_EQ(form.caption(Label::Label1), path.string());

        handlers.Command1_Click();
        ASSERT_TRUE(prompt.asked.empty()) << prompt.asked.front().message;
        const PopulationData& data = handlers.data();
        const std::string& label = row.at("label");
        EXPECT_EQ(data.TitleYear, label);
        EXPECT_EQ(label.substr(label.size() - 4), row.at("year"));  // the analysis's calendar year
        EXPECT_EQ(form.caption(Label::Label2), label + "年  人口ピラミッド ");

        const long classes = std::stol(row.at("classes"));
        EXPECT_TRUE(row.at("classes") == "101" || (row.at("classes") == "111" && row.at("code") == "00000"));
        EXPECT_TRUE(data.MalePop.filled(classes) && data.FemalePop.filled(classes));
        EXPECT_FALSE(data.MalePop.filled(classes + 1) || data.FemalePop.filled(classes + 1));
        EXPECT_EQ(data.RegionWeight, number(row, "weight"));
        EXPECT_EQ(data.MaleTotal, number(row, "male_total"));
        EXPECT_EQ(data.FemaleTotal, number(row, "female_total"));
        EXPECT_EQ(data.GrandTotal, number(row, "grand_total"));
        EXPECT_EQ(data.MaxCount, number(row, "largest_count"));
        // And what the file's own lines hold and add up to, read with a stream.
        const SampleFigures lines = readSampleFigures(path.string());
        ASSERT_EQ(lines.male.size(), std::size_t(classes));
        for (std::size_t i = 1; i <= lines.male.size(); ++i) {
            ASSERT_EQ(data.MalePop.at(double(i)), lines.male[i - 1]) << i;
            ASSERT_EQ(data.FemalePop.at(double(i)), lines.female[i - 1]) << i;
        }
        const double male = std::accumulate(lines.male.begin(), lines.male.end(), 0.0);
        const double female = std::accumulate(lines.female.begin(), lines.female.end(), 0.0);
        EXPECT_EQ(data.RegionWeight, lines.weight);
        EXPECT_EQ(data.MaleTotal, male);
        EXPECT_EQ(data.FemaleTotal, female);
        EXPECT_EQ(data.GrandTotal, male + female);
        EXPECT_EQ(data.MaxCount, lines.largest);
        // Axes, the grid and three lines for every class: the drawing ran to its end.
        EXPECT_EQ(form.surface.lines.size(), 6u + 26u + 3u * std::size_t(classes));
        EXPECT_EQ(form.focus, "Command3");
    }
}

// The tests' fixtures (tests/fixtures/) hold the counts and weight of the
// library files their SOURCES.md names, so the figures checked above hold
// for them too; only their first line, the year alone, differs, and Tokyo's
// weight, which keeps the 2019 area the fixture was made with.
TEST(Library, TheFixturesHoldTheCountsOfTheirLibraryFiles)
{
    const std::pair<const char*, std::string> fixtures[] = {
        {"japan-2020.txt", library::file(library::kNational, "2020 全国.txt")},
        {"japan-2020-ages0-110.txt", library::file(library::kNational, "2020 全国（110歳以上まで）.txt")},
        {"tokyo-2020.txt", library::file(library::kPrefectures, "13 東京都.txt")},
        {"akita-2020.txt", library::file(library::kPrefectures, "05 秋田県.txt")},
        {"japan-1995.txt", library::file(library::kNational, "1995 全国.txt")},
    };
    std::set<std::string> named;
    for (const auto& [fixture, shipped] : fixtures) {
        SCOPED_TRACE(fixture);
        named.insert(fixture);
        const SampleFigures test = readSampleFigures(std::string(PYRAMID_SAMPLES_DIR "/") + fixture);
        const SampleFigures file = readSampleFigures(shipped);
        ASSERT_FALSE(test.male.empty());
        EXPECT_EQ(test.title, file.title.substr(file.title.size() - 4));
        EXPECT_EQ(test.weight, fixture == std::string("tokyo-2020.txt") ? 2194.07 : file.weight);
        EXPECT_EQ(test.male, file.male);
        EXPECT_EQ(test.female, file.female);
    }
    std::set<std::string> present;
    for (const auto& entry : fs::directory_iterator(PYRAMID_SAMPLES_DIR))
        if (entry.path().extension() == ".txt")
            present.insert(entry.path().filename().string());
    EXPECT_EQ(present, named);
}

// The parts of a census table add up exactly to their whole, age by age and
// sex by sex: a file copied wrongly or from another table would not.
TEST(Library, ThePartsAddUpToTheirWholeAtEveryAgeForEachSex)
{
    struct Sum {
        const char* parts;  // kind in index.tsv
        std::size_t partCount;
        const char* whole;  // file of the whole
    };
    const Sum sums[] = {
        {"prefecture", 47, "1 全国推移/2020 全国.txt"},
        {"ward", 23, "5 東京23区/13100 特別区部.txt"},
    };
    const std::vector<IndexRow> rows = readIndex();
    for (const Sum& sum : sums) {
        SCOPED_TRACE(sum.parts);
        const SampleFigures whole = readSampleFigures((kLibrary / sum.whole).string());
        ASSERT_EQ(whole.male.size(), 101u);
        std::vector<double> male(101), female(101);
        std::size_t parts = 0;
        for (const IndexRow& row : rows) {
            if (row.at("kind") != sum.parts)
                continue;
            ++parts;
            const SampleFigures part = readSampleFigures((kLibrary / row.at("file")).string());
            ASSERT_EQ(part.male.size(), 101u) << row.at("file");
            for (std::size_t age = 0; age < 101; ++age) {
                male[age] += part.male[age];
                female[age] += part.female[age];
            }
        }
        EXPECT_EQ(parts, sum.partCount);
        EXPECT_EQ(male, whole.male);
        EXPECT_EQ(female, whole.female);
    }
}

// ---- Two library files on one chart.

namespace {

struct Drawn {
    MemoryForm form;
    ScriptedPrompt prompt;
    PyramidForm handlers{form, prompt};

    explicit Drawn(const std::string& path)
    {
        form.captions[Label::Label1] = path;
        handlers.Command1_Click();
    }
    void report(const char* from, const char* to)
    {
        handlers.Command3_Click();
        form.ageBoxes = {from, to};
        handlers.Text1_KeyPress(1, kEnterKey);
    }
};

// The bars of every class drawn at `scale` per person, after the axes and grid.
void expectBarsAt(const RecordingChart& chart, std::size_t gridLines, const SampleFigures& file, double scale)
{
    ASSERT_GE(chart.lines.size(), 6 + 2 * gridLines + 3 * file.male.size());
    for (std::size_t age = 0; age < file.male.size(); ++age) {
        const ChartLine* row = &chart.lines[6 + 2 * gridLines + 3 * age];
        EXPECT_FLOAT_EQ(row[0].x2, float(320 - file.male[age] * scale)) << age;
        EXPECT_FLOAT_EQ(row[1].x2, float(320 + file.female[age] * scale)) << age;
    }
}

// The outline's step at row `age` on the male and on the female side.
std::pair<float, float> outlineAt(const RecordingChart& chart, std::size_t age)
{
    std::vector<float> steps;
    const float y = float(418 - 4 * age);
    for (const ChartLine& l : chart.lines)
        if (l.colour == palette::Outline && l.x1 == l.x2 && l.y1 == y + 2)
            steps.push_back(l.x1);
    EXPECT_EQ(steps.size(), 2u) << age;
    return steps.size() == 2 ? std::pair{steps[0], steps[1]} : std::pair{0.f, 0.f};
}

}  // namespace

TEST(LibraryComparison, InPersonsBothFilesShareTheLargerMaxCountAndADrawEndsIt)
{
    const std::string projection = library::file(library::kProjection, "2065 全国 推計.txt");
    const std::string census = library::file(library::kProjection, "2020 全国 推計.txt");
    const SampleFigures first = readSampleFigures(projection), second = readSampleFigures(census);
    ASSERT_LT(first.largest, second.largest);
    Drawn plain(projection);
    Drawn chart(projection);
    chart.handlers.compareWith(census, CompareBy::Persons);
    ASSERT_TRUE(chart.prompt.asked.empty());
    EXPECT_EQ(chart.form.caption(Label::Label1), projection);

    const double scale = 250 / second.largest;
    expectBarsAt(chart.form.surface, 13, first, scale);
    for (std::size_t age : {0u, 45u, 100u}) {
        const auto [male, female] = outlineAt(chart.form.surface, age);
        EXPECT_FLOAT_EQ(male, float(320 - second.male[age] * scale));
        EXPECT_FLOAT_EQ(female, float(320 + second.female[age] * scale));
    }
    EXPECT_EQ(chart.form.surface.notes.at(1).text, "輪郭：全国 推計 2020　人数");
    EXPECT_NE(chart.handlers.chartDescription().find("輪郭 全国 推計 2020、人数で比較"), std::string::npos);

    chart.handlers.Command1_Click();  // 作図実行: the plain chart again
    EXPECT_EQ(chart.form.surface.lines, plain.form.surface.lines);
    EXPECT_TRUE(chart.form.surface.notes.empty());
    chart.handlers.compareWith(census, CompareBy::Persons);
    chart.handlers.stopComparing();  // 比較をやめる: the same
    EXPECT_EQ(chart.form.surface.lines, plain.form.surface.lines);
    EXPECT_TRUE(chart.form.surface.notes.empty());
}

TEST(LibraryComparison, InSharesEachBarEndsAtItsShareAndAReportAddsTheOtherFilesFigures)
{
    const std::string akita = library::file(library::kPrefectures, "05 秋田県.txt");
    const std::string tokyo = library::file(library::kPrefectures, "13 東京都.txt");
    const SampleFigures first = readSampleFigures(akita), second = readSampleFigures(tokyo);
    const auto total = [](const SampleFigures& f) {
        double sum = 0;
        for (std::size_t a = 0; a < f.male.size(); ++a)
            sum += f.male[a] + f.female[a];
        return sum;
    };
    const double unitsPerShare = 250 / std::max(first.largest / total(first), second.largest / total(second));
    Drawn plain(akita);
    Drawn chart(akita);
    chart.handlers.compareWith(tokyo, CompareBy::Shares);
    ASSERT_TRUE(chart.prompt.asked.empty());
    // Shares: a grid line every 0.1 % of the total, as far as the axes reach.
    const std::size_t gridLines = std::size_t(300 / (0.001 * unitsPerShare));
    expectBarsAt(chart.form.surface, gridLines, first, unitsPerShare / total(first));
    EXPECT_EQ(chart.form.surface.lines[6 + 9 * 2].colour, palette::LightMagenta);  // 1 %
    for (std::size_t age : {0u, 30u, 75u}) {
        const auto [male, female] = outlineAt(chart.form.surface, age);
        EXPECT_NEAR(male, 320 - second.male[age] / total(second) * unitsPerShare, 1e-3);
        EXPECT_NEAR(female, 320 + second.female[age] / total(second) * unitsPerShare, 1e-3);
    }

    plain.report("65", "120");
    chart.report("65", "120");
    EXPECT_EQ(chart.form.results, plain.form.results);
    EXPECT_TRUE(chart.prompt.asked.empty());
    double male = 0, female = 0;
    for (std::size_t age = 65; age < second.male.size(); ++age) {
        male += second.male[age];
        female += second.female[age];
    }
    std::vector<std::string> figures;
    for (const ChartText& note : chart.form.surface.notes) {
        figures.push_back(note.text);
        EXPECT_EQ(note.colour, note.text.starts_with("実線") ? palette::BrightWhite : palette::Outline);
    }
    const std::vector<std::string> expected = {
        "実線：秋田県 2020", "輪郭：東京都 2020　構成比", "輪郭：東京都 2020",
        "総人口比=" + fifteenDigits((male + female) / total(second)),
        "男人口比=" + fifteenDigits(male / std::accumulate(second.male.begin(), second.male.end(), 0.0)),
        "女人口比=" + fifteenDigits(female / std::accumulate(second.female.begin(), second.female.end(), 0.0)),
        "男／女比=" + fifteenDigits(male / female)};
    EXPECT_EQ(figures, expected);
    EXPECT_NE(chart.handlers.chartDescription().find("輪郭の総人口比=" + fifteenDigits((male + female) / total(second))),
              std::string::npos);
}

TEST(LibraryComparison, AFileThatCannotBeReadLeavesTheChartAsItWas)
{
    Drawn chart(library::file(library::kNational, "2020 全国.txt"));
    const RecordingChart before = chart.form.surface;
    chart.prompt.answer({true});  // Yes reads again, then No
    chart.handlers.compareWith(library::file(library::kNational, "1890 全国.txt"), CompareBy::Shares);
    ASSERT_EQ(chart.prompt.asked.size(), 2u);
    EXPECT_NE(chart.prompt.asked[0].message.find("1890 全国.txt"), std::string::npos);
    EXPECT_EQ(chart.form.surface.lines, before.lines);
    EXPECT_EQ(chart.form.surface.clears, before.clears);
    EXPECT_TRUE(chart.form.surface.notes.empty());
    EXPECT_FALSE(chart.handlers.comparing());
}

TEST(LibraryComparison, TheTooltipReadsTheRowUnderThePoint)
{
    MemoryForm blank;  // before a draw: no tooltip, no comparison
    ScriptedPrompt none;
    PyramidForm fresh{blank, none};
    fresh.compareWith(library::file(library::kNational, "1935 全国.txt"), CompareBy::Persons);
    EXPECT_TRUE(fresh.rowTip(300, 238).empty() && !fresh.showsChart() && !fresh.comparing());
    EXPECT_TRUE(blank.surface.lines.empty() && blank.surface.notes.empty());

    Drawn chart(library::file(library::kNational, "2020 全国.txt"));
    EXPECT_EQ(chart.handlers.rowTip(300, 238), "45歳（1975年生まれ）　男 934,925人（0.76％）　女 917,469人（0.74％）");
    EXPECT_EQ(chart.handlers.rowTip(630, 238), "");  // past the bars' ends
    EXPECT_TRUE(chart.handlers.rowTip(320, 18).starts_with("100歳以上（1920年以前生まれ）　男 "));  // the top class
    chart.handlers.compareWith(library::file(library::kNational, "1935 全国.txt"), CompareBy::Persons);
    EXPECT_TRUE(chart.handlers.rowTip(300, 238).starts_with("45歳（1975年生まれ）　男 934,925人（0.76％）"
                                                           "　女 917,469人（0.74％）\n輪郭 全国 1935：45歳（1890年生まれ）　男 "));
    // More classes than the drawn file: compared as far as the chart shows, age 104.
    chart.handlers.compareWith(library::file(library::kNational, "2020 全国（110歳以上まで）.txt"), CompareBy::Persons);
    EXPECT_EQ(std::count_if(chart.form.surface.lines.begin(), chart.form.surface.lines.end(),
                            [](const ChartLine& l) { return l.colour == palette::Outline; }), 4 * 105);
    EXPECT_TRUE(chart.handlers.rowTip(320, 6).starts_with("103歳（1917年生まれ）　データなし\n輪郭 全国 2020：103歳"));
    EXPECT_NE(chart.handlers.rowTip(320, 18).find("\n輪郭 全国 2020：100歳（1920年生まれ）"), std::string::npos);
}

// The window runs in the desktop's locale (Qt sets it from LC_ALL and the
// like at start-up); a German one writes a decimal comma in printf. The
// locale is generated into a scratch folder where the system has not got it.
TEST(LibraryComparison, TheTooltipWritesAFullStopWhateverTheDesktopsLocale)
{
    TempDir dir;
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    if (!std::setlocale(LC_ALL, "")) {
        const std::string make = "localedef -i de_DE -f UTF-8 '" + dir.path("de_DE.UTF-8") + "' >/dev/null 2>&1";
        if (std::system(make.c_str()) == 0)
            ::setenv("LOCPATH", dir.dir().c_str(), 1);
    }
    char comma[8] = "";
    if (std::setlocale(LC_ALL, ""))
        std::snprintf(comma, sizeof comma, "%.1f", 0.5);
    const Drawn chart(library::file(library::kNational, "2020 全国.txt"));
    const std::string tip = chart.handlers.rowTip(300, 238);
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LC_ALL");
    ::unsetenv("LOCPATH");
    if (std::string(comma) != "0,5")
        GTEST_SKIP() << "no German locale: de_DE.UTF-8 is not generated and localedef could not make it (package locales)";
    EXPECT_EQ(tip, "45歳（1975年生まれ）　男 934,925人（0.76％）　女 917,469人（0.74％）");
}

// ---- The guide's lesson section (授業で使う) quotes what the program shows
// for the library's files. Every tooltip and first result line it quotes must
// be the form's own, with the rounded percentage the guide puts beside it,
// and every row it names as a bulge or a dent of a generation must stand out
// from both neighbours that way.

namespace {

std::string guideText()
{
    std::ifstream in(PYRAMID_GUIDE_FILE);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(LibraryLesson, TheGuideQuotesWhatTheFormShowsForTheLibrary)
{
    const std::string guide = guideText();
    ASSERT_NE(guide.find("## 授業で使う"), std::string::npos);

    enum class Row { Bulge, Dent };
    struct Tip {
        const char* folder;
        const char* file;
        int age;
        Row row;
    };
    const Tip tips[] = {
        {"1 全国推移", "2020 全国.txt", 71, Row::Bulge},  // 団塊の世代
        {"1 全国推移", "1975 全国.txt", 26, Row::Bulge},
        {"1 全国推移", "2020 全国.txt", 74, Row::Dent},  // 終戦前後の出生
        {"1 全国推移", "1975 全国.txt", 29, Row::Dent},
        {"1 全国推移", "2020 全国.txt", 54, Row::Dent},  // 丙午
        {"1 全国推移", "1975 全国.txt", 9, Row::Dent},
        {"1 全国推移", "2020 全国.txt", 47, Row::Bulge},  // 第2次ベビーブーム
        {"1 全国推移", "1975 全国.txt", 2, Row::Bulge},
    };
    for (const Tip& tip : tips) {
        Drawn chart(library::file(tip.folder, tip.file));
        const std::string shown = chart.handlers.rowTip(320, 418 - 4 * tip.age);
        SCOPED_TRACE(shown);
        EXPECT_NE(guide.find("「" + shown + "」"), std::string::npos);
        const auto both = [&](int age) {
            return chart.handlers.data().MalePop.at(age + 1) + chart.handlers.data().FemalePop.at(age + 1);
        };
        const double here = both(tip.age);
        const bool bulge = here > both(tip.age - 1) && here > both(tip.age + 1);
        const bool dent = here < both(tip.age - 1) && here < both(tip.age + 1);
        EXPECT_TRUE(tip.row == Row::Bulge ? bulge : dent);
    }

    struct Range {
        const char* folder;
        const char* file;
        const char* from;
        const char* to;
    };
    const Range ranges[] = {
        {"1 全国推移", "1935 全国.txt", "0", "14"},      {"1 全国推移", "1935 全国.txt", "65", "100"},
        {"1 全国推移", "1975 全国.txt", "0", "14"},      {"1 全国推移", "1975 全国.txt", "65", "100"},
        {"1 全国推移", "2020 全国.txt", "0", "14"},      {"1 全国推移", "2020 全国.txt", "65", "100"},
        {"2 将来推計", "2065 全国 推計.txt", "65", "100"}, {"3 都道府県", "05 秋田県.txt", "65", "100"},
        {"3 都道府県", "13 東京都.txt", "65", "100"},    {"3 都道府県", "05 秋田県.txt", "20", "39"},
        {"3 都道府県", "13 東京都.txt", "20", "39"},
    };
    for (const Range& range : ranges) {
        Drawn chart(library::file(range.folder, range.file));
        chart.report(range.from, range.to);
        const std::string shown = chart.form.resultCaption(0);
        SCOPED_TRACE(std::string(range.file) + " " + range.from + "-" + range.to + ": " + shown);
        const double share = std::stod(shown.substr(shown.find('=') + 1));
        char percent[32];
        std::snprintf(percent, sizeof percent, "（約%.1f％）", 100 * share);
        EXPECT_NE(guide.find("`" + shown + "`" + percent), std::string::npos);
    }
}
