#include "analysis/analysis_setup.h"

#include "analysis/age_range.h"
#include "chart/pyramid_drawing.h"
#include "chart/pyramid_mapping.h"
#include "core/failure.h"
#include "core/leading_number.h"
#include "core/number_text.h"

namespace pyramid {

AgeRange readAgeRange(StatementRunner& run, const FormControls& form)
{
    AgeRange range;
    run([&] { range.FromAge = leadingNumber(form.ageText(0)); });
    run([&] { range.ToAge = leadingNumber(form.ageText(1)); });
    return range;
}

void orderAgeRange(StatementRunner& run, AgeRange& range)
{
    if (run([&] { return range.ToAge - range.FromAge < 0; })) {
        double kept = 0;
        run([&] { kept = range.ToAge; });
        run([&] { range.ToAge = range.FromAge; });
        run([&] { range.FromAge = kept; });
    }
}

namespace {

// "このファイルの年齢は0〜100歳です。": the ages of the classes the file filled.
std::string fileAges(const PopulationTable& table)
{
    for (long slot = PopulationTable::kLastSlot; slot >= 1; --slot)
        if (table.filled(slot))
            return "このファイルの年齢は0〜" + std::to_string(slot - 1) + "歳です。";
    return {};
}

}  // namespace

double countOfClass(const PopulationTable& table, const AgeRange& range, double i)
{
    try {
        return table.at(i);
    } catch (const Failure& failure) {
        const bool outside = failure.kind() == FailureKind::SubscriptOutOfRange || failure.kind() == FailureKind::Overflow;
        if (!table.exists() || !outside)
            throw;
        const double age = i == range.FromAge + 1 ? range.FromAge : range.ToAge;
        // Past the tables is past what the program can hold at all, whatever the file has.
        throw Failure(failure.kind(), generalText(age) + "歳は、このプログラムで扱える年齢（0〜199歳）の範囲外です。" +
                                          fileAges(table));
    }
}

void setUpAnalysis(StatementRunner& run, FormControls& form, const PopulationData& data,
                   const PyramidScale& scale)
{
    AgeRange range = readAgeRange(run, form);
    orderAgeRange(run, range);
    const double BarScale = run([&] { return scale.barScaleOf(data); });

    // The range still in the boxes is the one last highlighted: back to the
    // pyramid's own colours before a new range is chosen.
    forEachClassOf(run, range, [&](double i) {
        const int colour = run([&] {
            countOfClass(data.MalePop, range, i);  // an age outside the tables is named before the row is drawn
            return pyramidBarColour(i);
        });
        drawClassRow(run, form.chart(), data, i, BarScale, colour);
    });

    run([&] { form.setCaption(Label::Label7, kAnalysisHeading); });
    run([&] { form.setCaption(Label::Label8, kFromAgePrompt); });
    run([&] { form.setAgeText(0, ""); });
    run([&] { form.setAgeText(1, ""); });
    countingLoop(run, [] { return 0.0; }, [] { return double(kResultLineCount - 1); },
                 [&](double k) { run([&] { form.setResultCaption(int(k), ""); }); });
    run([&] { form.focusAgeBox(0); });
}

}  // namespace pyramid
