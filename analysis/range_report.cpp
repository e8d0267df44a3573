#include "analysis/range_report.h"

#include "analysis/age_range.h"
#include "chart/pyramid_drawing.h"
#include "chart/pyramid_mapping.h"
#include "core/checked_math.h"
#include "core/leading_number.h"
#include "core/number_text.h"
#include "core/palette.h"
#include "core/utf8_text.h"

namespace pyramid {

namespace {

// The sums a result line reads.
struct ReportSums {
    double RangeMale = 0;
    double RangeFemale = 0;
    double RangeTotal = 0;
};

struct ResultLine {
    std::string_view literal;
    double (*value)(const ReportSums& range, const PopulationData& data);
};

// The eight result lines Label12(0)..Label12(7). Ratios are plain quotients;
// a zero divisor fails at its own line.
constexpr ResultLine kResultLines[kResultLineCount] = {
    {"総人口比=", [](const ReportSums& r, const PopulationData& d) { return checkedDivide(r.RangeTotal, d.GrandTotal); }},
    {"男人口比=", [](const ReportSums& r, const PopulationData& d) { return checkedDivide(r.RangeMale, d.MaleTotal); }},
    {"女人口比=", [](const ReportSums& r, const PopulationData& d) { return checkedDivide(r.RangeFemale, d.FemaleTotal); }},
    {"男／女比=", [](const ReportSums& r, const PopulationData&) { return checkedDivide(r.RangeMale, r.RangeFemale); }},
    {"男人口計=", [](const ReportSums& r, const PopulationData&) { return r.RangeMale; }},
    {"女人口計=", [](const ReportSums& r, const PopulationData&) { return r.RangeFemale; }},
    {"総人口　=", [](const ReportSums&, const PopulationData& d) { return d.GrandTotal; }},
    {"地域加重=", [](const ReportSums&, const PopulationData& d) { return checkedDivide(d.GrandTotal, d.RegionWeight); }},
};

void report(StatementRunner& run, FormControls& form, const PopulationData& data,
            const PyramidScale& scale, AgeBoxOutcome& outcome)
{
    ReportSums sums;
    run([&] { sums.RangeMale = 0; });
    run([&] { sums.RangeFemale = 0; });
    run([&] { sums.RangeTotal = 0; });

    AgeRange range = readAgeRange(run, form);

    // The two range lines keep the ages as typed, in the typed order.
    run([&] {
        form.setCaption(Label::Label10, form.ageText(0) + "歳(" +
                                            birthText(surveyYear(data.TitleYear), range.FromAge) +
                                            ")から");
    });
    run([&] {
        form.setCaption(Label::Label11, form.ageText(1) + "歳(" +
                                            birthText(surveyYear(data.TitleYear), range.ToAge) +
                                            ")まで");
    });

    orderAgeRange(run, range);

    const RangeSums summed = sumRange(run, data, range);
    sums.RangeMale = summed.RangeMale;
    sums.RangeFemale = summed.RangeFemale;
    run([&] { sums.RangeTotal = checkedAdd(sums.RangeMale, sums.RangeFemale); });
    const double BarScale = run([&] { return scale.barScaleOf(data); });

    forEachClassOf(run, range, [&](double i) {
        const int BandColour =
            run([&] { return isDecadeRow(i) ? palette::LightMagenta : palette::Yellow; });
        drawClassRow(run, form.chart(), data, i, BarScale, BandColour);
    });

    for (int line = 0; line < kResultLineCount; ++line) {
        run([&] {
            form.setResultCaption(line, resultLineText(line, sums.RangeMale, sums.RangeFemale, data));
        });
    }

    run([&] { form.setFocus(Button::Command2); });
    outcome.reported = range;
}

}  // namespace

RangeSums sumRange(StatementRunner& run, const PopulationData& data, const AgeRange& range)
{
    RangeSums sums;
    forEachClassOf(run, range, [&](double i) {
        run([&] { sums.RangeMale = checkedAdd(sums.RangeMale, countOfClass(data.MalePop, range, i)); });
        run([&] { sums.RangeFemale = checkedAdd(sums.RangeFemale, countOfClass(data.FemalePop, range, i)); });
    });
    return sums;
}

std::string resultLineText(int line, double RangeMale, double RangeFemale, const PopulationData& data)
{
    const ResultLine& result = kResultLines[line];
    const ReportSums sums{RangeMale, RangeFemale, checkedAdd(RangeMale, RangeFemale)};
    return std::string(result.literal) + generalText(result.value(sums, data));
}

std::string_view resultLiteral(int line) { return kResultLines[line].literal; }

double surveyYear(std::string_view TitleYear)
{
    return leadingNumber(lastCharacters(TitleYear, 4));
}

std::string birthText(double surveyYear, double age)
{
    const std::string text = signedText(checkedSubtract(surveyYear, age));
    return text.substr(1);
}

void ageBoxKeyPress(StatementRunner& run, FormControls& form, const PopulationData& data,
                    int boxIndex, int keyCode, const PyramidScale& scale, AgeBoxOutcome* outcome)
{
    AgeBoxOutcome ignored;
    AgeBoxOutcome& told = outcome ? *outcome : ignored;
    if (!run([&] { return keyCode == kEnterKey; }))
        return;
    if (run([&] { return boxIndex == 0; })) {
        run([&] { form.setCaption(Label::Label9, kToAgePrompt); });
        run([&] { form.focusAgeBox(1); });
        return;
    }
    told.reportBegun = true;
    report(run, form, data, scale, told);
}

}  // namespace pyramid
