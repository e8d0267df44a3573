// The two-pass load on the in-memory form: what the tables and summary
// values hold afterwards, and how every kind of failure reaches the prompt.
#include "core/failure.h"
#include "data/regional_file_load.h"
#include "support/memory_form.h"
#include "support/scripted_prompt.h"
#include "temp_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

// Counts that vary enough to catch a shifted or swapped slot.
std::vector<double> makeCounts(int n, int seed)
{
    std::vector<double> counts;
    for (int a = 0; a < n; ++a)
        counts.push_back(double((a * 7919 + seed * 104729) % 150001));
    return counts;
}

std::string number(double v)
{
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s;
}

// Year, weight and counts, each followed by `separators[k % size]`.
std::string dataFile(const std::string& year, double weight, const std::vector<double>& counts,
                     const std::vector<std::string>& separators = {"\n"})
{
    std::vector<std::string> items{year, number(weight)};
    for (double c : counts)
        items.push_back(number(c));
    std::string text;
    for (std::size_t k = 0; k < items.size(); ++k)
        text += items[k] + separators[k % separators.size()];
    return text;
}

double total(const std::vector<double>& v, std::size_t from, std::size_t to)
{
    return std::accumulate(v.begin() + long(from), v.begin() + long(to), 0.0);
}

std::size_t openFileCount()
{
    const auto fds = std::filesystem::directory_iterator("/proc/self/fd");
    return std::size_t(std::distance(begin(fds), end(fds)));
}

// A prompt that runs something of the test's own each time it is asked,
// before it answers from its queue.
class ActingPrompt : public ScriptedPrompt {
public:
    std::function<void()> onAsk;
    bool askToContinue(std::string_view title, std::string_view message) override
    {
        if (onAsk)
            onAsk();
        return ScriptedPrompt::askToContinue(title, message);
    }
};

class Load : public ::testing::Test {
protected:
    // Runs the load as the draw command does; NaN when it was abandoned.
    double load(const std::string& path)
    {
        form.captions[Label::Label1] = path;
        double ClassCount = NAN;
        runHandler(prompt, [&](StatementRunner& run) { ClassCount = loadRegionalFile(run, form, data); });
        return ClassCount;
    }

    void expectAskedOnly(FailureKind kind, std::size_t times)
    {
        ASSERT_EQ(prompt.asked.size(), times);
        for (const auto& question : prompt.asked) {
            EXPECT_EQ(question.title, kErrorPromptTitle);
            EXPECT_EQ(question.message.rfind(failureText(kind), 0), 0u) << question.message;
            EXPECT_TRUE(question.message.ends_with("\r\n\r\n対処し継続しますか？"));
        }
    }

    void expectSlots(const PopulationTable& table, const std::vector<double>& counts)
    {
        for (std::size_t i = 1; i <= counts.size(); ++i) {
            ASSERT_TRUE(table.filled(long(i))) << i;
            EXPECT_EQ(table.at(double(i)), counts[i - 1]) << i;
        }
        for (long i = long(counts.size()) + 1; i <= PopulationTable::kLastSlot; ++i)
            EXPECT_FALSE(table.filled(i)) << i;
        EXPECT_FALSE(table.filled(0));
    }

    TempDir dir;
    MemoryForm form;
    ActingPrompt prompt;
    PopulationData data;
};

}  // namespace

TEST_F(Load, TwoHundredAndTwoCountsFillOneHundredAndOneClasses)
{
    const auto counts = makeCounts(202, 1);
    form.captions[Label::Label10] = "20歳";
    form.captions[Label::Label11] = "40歳";

    EXPECT_EQ(load(dir.write("p.txt", dataFile("2020", 2194.07, counts))), 101);

    EXPECT_TRUE(prompt.asked.empty());
    const std::vector<double> male(counts.begin(), counts.begin() + 101), female(counts.begin() + 101, counts.end());
    expectSlots(data.MalePop, male);
    expectSlots(data.FemalePop, female);
    EXPECT_EQ(data.MaleTotal, total(male, 0, male.size()));
    EXPECT_EQ(data.FemaleTotal, total(female, 0, female.size()));
    EXPECT_EQ(data.GrandTotal, data.MaleTotal + data.FemaleTotal);
    EXPECT_EQ(data.MaxCount, *std::max_element(counts.begin(), counts.end()));
    EXPECT_EQ(data.TitleYear, "2020");
    EXPECT_EQ(data.RegionWeight, 2194.07);
    EXPECT_EQ(form.caption(Label::Label2), "2020年  人口ピラミッド ");
    EXPECT_EQ(form.caption(Label::Label3), "男");
    EXPECT_EQ(form.caption(Label::Label4), "女");
    EXPECT_EQ(form.caption(Label::Label6), "０");
    EXPECT_EQ(form.caption(Label::Label10), "");
    EXPECT_EQ(form.caption(Label::Label11), "");
}

TEST_F(Load, AnOddCountLeavesTheLastCountToTheFirstPassOnly)
{
    auto odd = makeCounts(8, 2);
    odd.push_back(900000);  // the largest, and unread by the second pass
    EXPECT_EQ(load(dir.write("odd.txt", dataFile("2020", 1, odd))), 4.5);

    expectSlots(data.MalePop, {odd.begin(), odd.begin() + 4});
    expectSlots(data.FemalePop, {odd.begin() + 4, odd.begin() + 8});
    EXPECT_EQ(data.GrandTotal, data.MaleTotal + data.FemaleTotal + 900000);
    EXPECT_EQ(data.MaxCount, 900000);
}

TEST_F(Load, ASingleCountFillsNoClass)
{
    EXPECT_EQ(load(dir.write("one.txt", dataFile("2020", 1, {4321}))), 0.5);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_TRUE(data.MalePop.exists());
    expectSlots(data.MalePop, {});
    expectSlots(data.FemalePop, {});
    EXPECT_EQ(data.MaleTotal, 0);
    EXPECT_EQ(data.FemaleTotal, 0);
    EXPECT_EQ(data.GrandTotal, 4321);
    EXPECT_EQ(data.MaxCount, 4321);

    load(dir.write("neg.txt", dataFile("2020", 1, {-7})));
    EXPECT_EQ(data.GrandTotal, -7);
    EXPECT_EQ(data.MaxCount, 0);
}

TEST_F(Load, CountsThatAreAllZeroOrNegativeLeaveTheMaximumAtZero)
{
    const std::vector<double> counts{0, -3, 0, -1.5, -200, 0};
    EXPECT_EQ(load(dir.write("z.txt", dataFile("2020", 1, counts))), 3);
    EXPECT_EQ(data.MaxCount, 0);
    EXPECT_EQ(data.GrandTotal, total(counts, 0, counts.size()));
    expectSlots(data.FemalePop, {-1.5, -200, 0});
}

TEST_F(Load, LinesCommasAndAnyMixGiveIdenticalResults)
{
    const auto counts = makeCounts(60, 3);
    load(dir.write("lines.txt", dataFile("1995", 1, counts)));
    const PopulationData byLines = data;

    const std::vector<std::vector<std::string>> layouts{
        {","},
        {"\r\n"},
        {"\r"},
        {",", "\n", " , ", "\r\n", "\t,", "\r", ","},
    };
    for (const auto& separators : layouts) {
        data = {};
        EXPECT_EQ(load(dir.write("other.txt", dataFile("1995", 1, counts, separators))), 30);
        EXPECT_TRUE(prompt.asked.empty());
        for (double i = 0; i <= PopulationTable::kLastSlot; ++i) {
            ASSERT_EQ(data.MalePop.filled(long(i)), byLines.MalePop.filled(long(i)));
            ASSERT_EQ(data.MalePop.at(i), byLines.MalePop.at(i));
            ASSERT_EQ(data.FemalePop.at(i), byLines.FemalePop.at(i));
        }
        EXPECT_EQ(data.GrandTotal, byLines.GrandTotal);
        EXPECT_EQ(data.MaleTotal, byLines.MaleTotal);
        EXPECT_EQ(data.FemaleTotal, byLines.FemaleTotal);
        EXPECT_EQ(data.MaxCount, byLines.MaxCount);
        EXPECT_EQ(data.TitleYear, "1995");
    }
}

TEST_F(Load, ASmallerFileAfterALargerLeavesNoOldSlots)
{
    load(dir.write("large.txt", dataFile("2020", 1, makeCounts(240, 4))));
    ASSERT_TRUE(data.MalePop.filled(120));
    const auto small = makeCounts(202, 5);
    load(dir.write("small.txt", dataFile("2020", 1, small)));
    expectSlots(data.MalePop, {small.begin(), small.begin() + 101});
    expectSlots(data.FemalePop, {small.begin() + 101, small.end()});
    EXPECT_EQ(data.GrandTotal, total(small, 0, small.size()));
}

TEST_F(Load, TheTitleKeepsItsInnerAndTrailingBlanks)
{
    load(dir.write("1995.txt", dataFile("1995", 1, {1, 2})));
    EXPECT_EQ(form.caption(Label::Label2), "1995年  人口ピラミッド ");
}

TEST_F(Load, TrailingBlankLinesAreNotCounts)
{
    const auto counts = makeCounts(20, 6);
    load(dir.write("plain.txt", dataFile("2020", 1, counts)));
    const PopulationData plain = data;

    for (const std::string& tail : {std::string("\n\n\n"), std::string(" \n\t\n  "), std::string("\r\n\r\n")}) {
        data = {};
        EXPECT_EQ(load(dir.write("tail.txt", dataFile("2020", 1, counts, {"\r\n"}) + tail)), 10);
        EXPECT_TRUE(prompt.asked.empty());
        // A trailing line taken for an item would shift every female count.
        EXPECT_EQ(data.FemalePop.at(1), plain.FemalePop.at(1));
        EXPECT_EQ(data.MaleTotal, plain.MaleTotal);
        EXPECT_EQ(data.FemaleTotal, plain.FemaleTotal);
    }
}

TEST_F(Load, AShiftJisOrUtf8YearShowsInTheTitle)
{
    // 東京都 2020 in CP932, as a Japanese editor saves it.
    load(dir.write("sjis.txt", "\x93\x8C\x8B\x9E\x93\x73 2020\r\n2194.07\r\n5\r\n6\r\n"));
    EXPECT_EQ(data.TitleYear, "東京都 2020");
    EXPECT_EQ(form.caption(Label::Label2), "東京都 2020年  人口ピラミッド ");

    load(dir.write("utf8.txt", "\xEF\xBB\xBF\"東京都 2020\"\n2194.07\n5\n6\n"));
    EXPECT_EQ(form.caption(Label::Label2), "東京都 2020年  人口ピラミッド ");
    EXPECT_EQ(data.GrandTotal, 11);
}

TEST_F(Load, AFileThatIsPutBackOrGrowsLetsYesCarryOn)
{
    const auto counts = makeCounts(8, 7);
    const std::string whole = dataFile("2020", 1, counts);
    // What is there when the draw starts; the rest of `whole` comes while
    // the prompt is open.
    const struct {
        std::optional<std::string> before;
        FailureKind failure;
    } cases[] = {
        {std::nullopt, FailureKind::FileNotFound},
        {"2020\n1\n", FailureKind::InputPastEnd},
        {"2020\n1", FailureKind::InputPastEnd},
        {"2020\n", FailureKind::InputPastEnd},
    };
    for (const auto& [before, failure] : cases) {
        const std::string path = dir.path("back.txt");
        std::filesystem::remove(path);
        if (before)
            dir.write("back.txt", *before);
        prompt.asked.clear();
        prompt.answer({true});
        prompt.onAsk = [&] {
            std::ofstream(path, std::ios::binary | std::ios::app) << whole.substr(before ? before->size() : 0);
        };

        EXPECT_EQ(load(path), 4) << before.value_or("missing");
        expectAskedOnly(failure, 1);
        EXPECT_EQ(data.GrandTotal, total(counts, 0, counts.size()));
        EXPECT_EQ(data.FemaleTotal, total(counts, 4, 8));
        EXPECT_EQ(form.caption(Label::Label2), "2020年  人口ピラミッド ");
    }
}

TEST_F(Load, AMissingFileAsksAgainOnEveryYesAndNoKeepsWhatWasDone)
{
    load(dir.write("first.txt", dataFile("1995", 7, {1, 2})));
    prompt.answer({true, true, false});
    EXPECT_TRUE(std::isnan(load(dir.path("gone.txt"))));
    expectAskedOnly(FailureKind::FileNotFound, 3);
    // Recreated and reset before the opening; the old title and year stay.
    EXPECT_TRUE(data.MalePop.exists());
    EXPECT_FALSE(data.MalePop.filled(1));
    EXPECT_EQ(data.GrandTotal, 0);
    EXPECT_EQ(data.TitleYear, "1995");
    EXPECT_EQ(data.RegionWeight, 7);
    EXPECT_EQ(form.caption(Label::Label2), "1995年  人口ピラミッド ");
}

TEST_F(Load, ADirectoryOrThePromptTextIsNoDataFile)
{
    load(dir.dir().string());
    expectAskedOnly(FailureKind::FileAccess, 1);
    prompt.asked.clear();
    load("使用する地域ファイルを      選択して下さい　　           　 ↓");
    expectAskedOnly(FailureKind::FileNotFound, 1);
}

TEST_F(Load, AFileEndingTooEarlyFailsPastTheEndOnEveryYes)
{
    for (const char* text : {"", "\n\n", "2020\n", "2020\n1\n", "2020,1,"}) {
        prompt.asked.clear();
        prompt.answer({true, true, false});
        EXPECT_TRUE(std::isnan(load(dir.write("short.txt", text)))) << text;
        expectAskedOnly(FailureKind::InputPastEnd, 3);
        EXPECT_EQ(data.GrandTotal, 0);
    }
}

TEST_F(Load, ACountThatIsNoNumberFailsAtTheSumNamingItself)
{
    prompt.answer({true, false});
    load(dir.write("bad.txt", "2020\n1\n5\n12abc\n7\n"));
    expectAskedOnly(FailureKind::TypeMismatch, 2);
    EXPECT_NE(prompt.asked[1].message.find("ファイルの4行目、4番目の項目「12abc」"), std::string::npos);
    EXPECT_EQ(data.GrandTotal, 5);
    EXPECT_EQ(data.MaxCount, 5);

    prompt.asked.clear();
    load(dir.write("empty.txt", "2020\n1\n5,,7\n"));
    expectAskedOnly(FailureKind::TypeMismatch, 1);
    EXPECT_NE(prompt.asked[0].message.find("ファイルの3行目、4番目の項目「」"), std::string::npos);
}

TEST_F(Load, AWeightThatIsNoNumberIsTriedAgainNotSkipped)
{
    data.RegionWeight = 42;
    prompt.answer({true, true, false});
    load(dir.write("weight.txt", "2020\nabc\n5\n6\n7\n"));
    expectAskedOnly(FailureKind::TypeMismatch, 3);
    for (const auto& question : prompt.asked)
        EXPECT_NE(question.message.find("2番目の項目「abc」"), std::string::npos);
    EXPECT_EQ(data.RegionWeight, 42);
    EXPECT_EQ(data.GrandTotal, 0);
}

TEST_F(Load, CountsOrSumsBeyondADoubleOverflow)
{
    load(dir.write("huge.txt", "2020\n1\n5\n1e400\n"));
    expectAskedOnly(FailureKind::Overflow, 1);
    EXPECT_EQ(data.GrandTotal, 5);

    prompt.asked.clear();
    load(dir.write("sum.txt", "2020\n1\n1e308\n1e308\n"));
    expectAskedOnly(FailureKind::Overflow, 1);
    EXPECT_EQ(data.GrandTotal, 1e308);
}

TEST_F(Load, MoreThanTwoHundredClassesFailAtClassTwoHundredAndOne)
{
    const auto counts = makeCounts(404, 8);
    prompt.answer({true, false});
    load(dir.write("many.txt", dataFile("2020", 1, counts)));

    // Yes tries class 201 again; it does not start over nor read on.
    expectAskedOnly(FailureKind::SubscriptOutOfRange, 2);
    EXPECT_NE(prompt.asked[0].message.find("人数の項目が多すぎます（404個）"), std::string::npos);
    expectSlots(data.MalePop, {counts.begin(), counts.begin() + 200});
    expectSlots(data.FemalePop, {});
    EXPECT_EQ(data.MaleTotal, total(counts, 0, 200));
    EXPECT_EQ(data.GrandTotal, total(counts, 0, counts.size()));
    EXPECT_EQ(data.MaxCount, *std::max_element(counts.begin(), counts.end()));
}

TEST_F(Load, TheFileIsClosedAlsoWhenTheLoadIsAbandoned)
{
    const std::size_t before = openFileCount();
    std::vector<std::size_t> openWhileAsking;
    prompt.onAsk = [&] { openWhileAsking.push_back(openFileCount()); };

    load(dir.write("bad.txt", "2020\n1\n5\nx\n"));                         // first pass
    load(dir.write("many.txt", dataFile("2020", 1, makeCounts(402, 9))));  // second pass
    load(dir.write("good.txt", dataFile("2020", 1, {1, 2})));

    // The count was taken while the file was open, so it can see the difference.
    EXPECT_EQ(openWhileAsking, (std::vector<std::size_t>{before + 1, before + 1}));
    EXPECT_EQ(openFileCount(), before);
}
