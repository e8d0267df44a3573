#pragma once
// The load half of the draw command: two passes over the chosen data file
// into the population tables and summary values, then the chart's labels.

#include "core/form_controls.h"
#include "core/statement_runner.h"
#include "data/population.h"

#include <string>
#include <string_view>

namespace pyramid {

inline constexpr std::string_view kTitleSuffix = "年  人口ピラミッド ";
inline constexpr std::string_view kMaleSide = "男";
inline constexpr std::string_view kFemaleSide = "女";
inline constexpr std::string_view kCentreZero = "０";

// Reads the file named by Label1's caption into `data`, every step through
// `run`. Returns ClassCount, the number of count items divided by 2. The
// file is closed also when the load is abandoned at the prompt.
double loadRegionalFile(StatementRunner& run, FormControls& form, PopulationData& data);

// The two passes alone: `data` reset and filled from `fileName`, no caption
// touched. Returns ClassCount.
double readRegionalFile(StatementRunner& run, const std::string& fileName, PopulationData& data);

// The same load and the same two passes over a data file's text held in
// memory (a region chosen from a census table), read as a file would be.
double loadRegionalText(StatementRunner& run, FormControls& form, PopulationData& data, std::string_view text);
double readRegionalText(StatementRunner& run, std::string_view text, PopulationData& data);

}  // namespace pyramid
