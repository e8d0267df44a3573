#pragma once
// The question "which region?" asked before a census table is drawn or
// compared. The window answers it with its chooser dialog, the tests with a
// scripted answer.

#include "data/census_table.h"

#include <cstddef>
#include <optional>
#include <string>

namespace pyramid {

struct RegionChoice {
    std::size_t index = 0;      // into the table's regions
    bool japaneseOnly = false;  // 日本人のみ: only offered when the table has both
};

class RegionQuestion {
public:
    virtual ~RegionQuestion() = default;
    // Lists every region of `table` as a regionLine, narrowed by
    // table.matching() to what is typed, with the box 日本人のみ when
    // table.hasJapaneseOnly(). Nothing when the user cancels.
    virtual std::optional<RegionChoice> askForRegion(const CensusTable& table) = 0;
};

// A region as the chooser lists it: "01101 札幌市中央区".
inline std::string regionLine(const CensusRegion& region) { return region.code + " " + region.name; }

}  // namespace pyramid
