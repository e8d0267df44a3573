#pragma once
// The analysis button: puts the last range's rows back in the pyramid's
// colours and opens a new age-range entry.

#include "chart/pyramid_drawing.h"
#include "core/form_controls.h"
#include "core/statement_runner.h"
#include "data/population.h"

namespace pyramid {

// The body of Command3_Click, every statement through `run`; rows are
// repainted at `scale`, the pyramid's own unless a comparison gives another.
void setUpAnalysis(StatementRunner& run, FormControls& form, const PopulationData& data,
                   const PyramidScale& scale = {});

inline constexpr std::string_view kAnalysisHeading = "構成比の分析：";
inline constexpr std::string_view kFromAgePrompt = "何歳から＝";

}  // namespace pyramid
