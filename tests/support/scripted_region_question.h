#pragma once
// Answers 「地域を選ぶ」 as a user would: types a text and takes the first
// line left, or cancels. With no answer queued it cancels.

#include "data/region_question.h"

#include <deque>
#include <optional>
#include <string>

namespace pyramid::testing {

class ScriptedRegionQuestion : public RegionQuestion {
public:
    struct Typed {
        std::string text;
        bool japaneseOnly = false;
    };

    void answer(std::optional<Typed> typed) { answers_.push_back(std::move(typed)); }

    std::optional<RegionChoice> askForRegion(const CensusTable& table) override
    {
        ++asked;
        if (answers_.empty())
            return std::nullopt;
        const std::optional<Typed> typed = answers_.front();
        answers_.pop_front();
        const auto lines = typed ? table.matching(typed->text) : std::vector<std::size_t>{};
        if (lines.empty())
            return std::nullopt;
        return RegionChoice{lines.front(), typed->japaneseOnly};
    }

    int asked = 0;

private:
    std::deque<std::optional<Typed>> answers_;
};

}  // namespace pyramid::testing
