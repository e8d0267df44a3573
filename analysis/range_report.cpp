#include "analysis/range_report.h"

#include "analysis/age_range.h"
#include "chart/pyramid_drawing.h"
#include "chart/pyramid_mapping.h"
#include "core/checked_math.h"
#include "core/leading_number.h"
#include "core/number_text.h"
#include "core/palette.h"

namespace pyramid {

namespace {

// Byte offset where the last `count` UTF-8 characters of `text` begin.
std::size_t lastCharactersStart(std::string_view text, int count)
{
    std::size_t pos = text.size();
    while (pos > 0 && count > 0) {
        --pos;
        if ((static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80)
            --count;
    }
    return pos;
}

struct RangeSums {
    double male = 0;    // RangeMale
    double female = 0;  // RangeFemale
    double total = 0;   // RangeTotal
};

struct ResultLine {
    std::string_view literal;
    double (*value)(const RangeSums& range, const PopulationData& data);
};

// The eight result lines Label12(0)..Label12(7). Ratios are plain quotients;
// a zero divisor fails at its own line.
constexpr ResultLine kResultLines[kResultLineCount] = {
    {"総人口比=", [](const RangeSums& r, const PopulationData& d) { return checkedDivide(r.total, d.grandTotal); }},
    {"男人口比=", [](const RangeSums& r, const PopulationData& d) { return checkedDivide(r.male, d.maleTotal); }},
    {"女人口比=", [](const RangeSums& r, const PopulationData& d) { return checkedDivide(r.female, d.femaleTotal); }},
    {"男／女比=", [](const RangeSums& r, const PopulationData&) { return checkedDivide(r.male, r.female); }},
    {"男人口計=", [](const RangeSums& r, const PopulationData&) { return r.male; }},
    {"女人口計=", [](const RangeSums& r, const PopulationData&) { return r.female; }},
    {"総人口　=", [](const RangeSums&, const PopulationData& d) { return d.grandTotal; }},
    {"地域加重=", [](const RangeSums&, const PopulationData& d) { return checkedDivide(d.grandTotal, d.regionWeight); }},
};

void report(StatementRunner& run, FormControls& form, const PopulationData& data)
{
    RangeSums sums;
    run([&] { sums.male = 0; });
    run([&] { sums.female = 0; });
    run([&] { sums.total = 0; });

    AgeRange range = readAgeRange(run, form);

    // The two range lines keep the ages as typed, in the typed order.
    run([&] {
        form.setCaption(Label::Label10, form.ageText(0) + "歳(" +
                                            birthText(surveyYear(data.titleYear), range.fromAge) +
                                            ")から");
    });
    run([&] {
        form.setCaption(Label::Label11, form.ageText(1) + "歳(" +
                                            birthText(surveyYear(data.titleYear), range.toAge) +
                                            ")まで");
    });

    orderAgeRange(run, range);

    forEachClassOf(run, range, [&](double i) {
        run([&] { sums.male = checkedAdd(sums.male, data.malePop.at(i)); });
        run([&] { sums.female = checkedAdd(sums.female, data.femalePop.at(i)); });
    });
    run([&] { sums.total = checkedAdd(sums.male, sums.female); });
    const double barScale = run([&] { return barScaleFor(data.maxCount); });

    forEachClassOf(run, range, [&](double i) {
        const int bandColour =
            run([&] { return isDecadeRow(i) ? palette::LightMagenta : palette::Yellow; });
        drawClassRow(run, form.chart(), data, i, barScale, bandColour);
    });

    for (int line = 0; line < kResultLineCount; ++line) {
        const ResultLine& result = kResultLines[line];
        run([&] {
            form.setResultCaption(line, std::string(result.literal) +
                                            generalText(result.value(sums, data)));
        });
    }

    run([&] { form.setFocus(Button::Command2); });
}

}  // namespace

double surveyYear(std::string_view titleYear)
{
    return leadingNumber(titleYear.substr(lastCharactersStart(titleYear, 4)));
}

std::string birthText(double surveyYear, double age)
{
    const std::string text = signedText(checkedSubtract(surveyYear, age));
    return text.substr(1);
}

void ageBoxKeyPress(StatementRunner& run, FormControls& form, const PopulationData& data,
                    int boxIndex, int keyCode)
{
    if (!run([&] { return keyCode == kEnterKey; }))
        return;
    if (run([&] { return boxIndex == 0; })) {
        run([&] { form.setCaption(Label::Label9, kToAgePrompt); });
        run([&] { form.focusAgeBox(1); });
        return;
    }
    report(run, form, data);
}

}  // namespace pyramid
