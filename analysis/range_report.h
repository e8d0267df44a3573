#pragma once
// Enter in the age boxes: the first moves on to the second, the second
// reports on the range between them.

#include "analysis/age_range.h"
#include "chart/pyramid_drawing.h"
#include "core/form_controls.h"
#include "core/statement_runner.h"
#include "data/population.h"

#include <optional>
#include <string>
#include <string_view>

namespace pyramid {

inline constexpr std::string_view kToAgePrompt = "何歳まで＝";

// What a key in an age box came to, for the window's own bookkeeping.
struct AgeBoxOutcome {
    bool reportBegun = false;        // Enter in the second box: a new report began
    std::optional<AgeRange> reported;  // its range in order, once the report ran to its end
};

// The body of Text1_KeyPress; acts only on Enter and never changes the key.
// The range is highlighted at `scale`, the pyramid's own unless a comparison
// gives another. `outcome`, when given, learns what the key came to, as far
// as the handler got.
void ageBoxKeyPress(StatementRunner& run, FormControls& form, const PopulationData& data,
                    int boxIndex, int keyCode, const PyramidScale& scale = {},
                    AgeBoxOutcome* outcome = nullptr);

struct RangeSums {
    double RangeMale = 0;
    double RangeFemale = 0;
};

// RangeMale and RangeFemale over the classes of `range` (FromAge <= ToAge),
// each class added as a statement of its own, as the report adds them.
RangeSums sumRange(StatementRunner& run, const PopulationData& data, const AgeRange& range);

// Result line `line` (0..7) of Label12 for a range holding these sums: its
// literal and the general text of its value. Fails at a zero divisor.
std::string resultLineText(int line, double RangeMale, double RangeFemale, const PopulationData& data);
// The literal of result line `line` ("総人口比=", ...).
std::string_view resultLiteral(int line);

// The calendar year of the data: the leading-number value of the last four
// characters of TitleYear (all of it when shorter).
double surveyYear(std::string_view TitleYear);

// The year of birth that an age stands for: the signed text of
// (SurveyYear - age) without its first character.
std::string birthText(double surveyYear, double age);

}  // namespace pyramid
