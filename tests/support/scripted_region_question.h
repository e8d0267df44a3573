#pragma once
// Answers 「地域を選ぶ」 as a user would: types a text and takes the first
// line left (nothing queued, or nothing left: Escape).

#include "data/region_question.h"

#include <deque>
#include <string>

namespace pyramid::testing {

struct ScriptedRegionQuestion : RegionQuestion {
    std::optional<RegionChoice> askForRegion(const CensusTable& table) override
    {
        ++asked;
        const auto lines = typed.empty() ? std::vector<std::size_t>{} : table.matching(typed.front());
        if (!typed.empty())
            typed.pop_front();
        return lines.empty() ? std::nullopt : std::optional(RegionChoice{lines.front(), japaneseOnly});
    }

    std::deque<std::string> typed;  // "" lists every region; "ない" cancels
    bool japaneseOnly = false;
    int asked = 0;
};

}  // namespace pyramid::testing
