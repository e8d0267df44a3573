// The population library the program ships (samples/): every file in it is
// chosen in the file list and drawn on the in-memory form, one after the
// other as a user would, without a single prompt, and shows what the
// library's own index.tsv says of it; and the parts add up to their whole.
#include "app/pyramid_form.h"
#include "support/memory_form.h"
#include "support/sample_figures.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
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
    ASSERT_EQ(rows.size(), 123u);  // 113 census files and 10 of the projection
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
        // Axes, the grid and three lines for every class: the drawing ran to its end.
        EXPECT_EQ(form.surface.lines.size(), 6u + 26u + 3u * std::size_t(classes));
        EXPECT_EQ(form.focus, "Command3");
    }
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
