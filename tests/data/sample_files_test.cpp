// Every sample data file loads with the totals its lines add up to, and with
// the figures its sources file states.
#include "data/regional_file_load.h"
#include "support/memory_form.h"
#include "support/sample_figures.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <numeric>
#include <string>
#include <vector>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

// The summary table of the data folder's SOURCES.md.
struct StatedFigures {
    int classes;
    double weight, male, female, grand, largest, perWeight;
};

const std::map<std::string, StatedFigures> kStated{
    {"japan-2020.txt", {101, 377976.41, 59758438, 63455823, 123214261, 1078410, 325.98399725527844}},
    {"japan-2020-ages0-110.txt", {111, 377976.41, 59758438, 63455823, 123214261, 1078410, 325.98399725527844}},
    {"tokyo-2020.txt", {101, 2194.07, 6671429, 6947426, 13618855, 119641, 6207.119645225539}},
    {"akita-2020.txt", {101, 11637.52, 447337, 503591, 950928, 10120, 81.7122548446748}},
    {"japan-1995.txt", {101, 1, 61485892, 63953381, 125439273, 1200806, 125439273}},
};

double sum(const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0); }

std::vector<std::filesystem::path> sampleFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(PYRAMID_SAMPLES_DIR))
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class SampleFiles : public ::testing::Test {
protected:
    double load(const std::filesystem::path& path)
    {
        form.captions[Label::Label1] = path.string();
        double ClassCount = -1;
        runHandler(prompt, [&](StatementRunner& run) { ClassCount = loadRegionalFile(run, form, data); });
        return ClassCount;
    }

    MemoryForm form;
    ScriptedPrompt prompt;
    PopulationData data;
};

}  // namespace

TEST_F(SampleFiles, EachLoadsWithTheTotalsOfItsLinesAndOfItsSources)
{
    const auto files = sampleFiles();
    ASSERT_FALSE(files.empty());
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        const auto stated = kStated.find(path.filename().string());
        ASSERT_NE(stated, kStated.end()) << "no figures in SOURCES.md for this sample";
        const SampleFigures lines = readSampleFigures(path.string());

        EXPECT_EQ(load(path), double(lines.male.size()));
        EXPECT_TRUE(prompt.asked.empty());

        // What the lines themselves add up to.
        for (std::size_t i = 1; i <= lines.male.size(); ++i) {
            ASSERT_EQ(data.MalePop.at(double(i)), lines.male[i - 1]) << i;
            ASSERT_EQ(data.FemalePop.at(double(i)), lines.female[i - 1]) << i;
        }
        EXPECT_FALSE(data.MalePop.filled(long(lines.male.size()) + 1));
        EXPECT_EQ(data.TitleYear, lines.title);
        EXPECT_EQ(data.RegionWeight, lines.weight);
        EXPECT_EQ(data.MaleTotal, sum(lines.male));
        EXPECT_EQ(data.FemaleTotal, sum(lines.female));
        EXPECT_EQ(data.GrandTotal, sum(lines.male) + sum(lines.female));
        EXPECT_EQ(data.MaxCount, std::max(*std::max_element(lines.male.begin(), lines.male.end()),
                                          *std::max_element(lines.female.begin(), lines.female.end())));

        // What the sources state.
        const StatedFigures& figures = stated->second;
        EXPECT_EQ(data.MalePop.filled(figures.classes), true);
        EXPECT_EQ(data.MalePop.filled(figures.classes + 1), false);
        EXPECT_EQ(data.RegionWeight, figures.weight);
        EXPECT_EQ(data.MaleTotal, figures.male);
        EXPECT_EQ(data.FemaleTotal, figures.female);
        EXPECT_EQ(data.GrandTotal, figures.grand);
        EXPECT_EQ(data.MaxCount, figures.largest);
        EXPECT_DOUBLE_EQ(data.GrandTotal / data.RegionWeight, figures.perWeight);
        EXPECT_EQ(form.caption(Label::Label2), lines.title + "年  人口ピラミッド ");
    }
}
