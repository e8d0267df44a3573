#pragma once
// Population tables made in the test, as a completed load would leave them.

#include "data/population.h"

#include <vector>

namespace pyramid::testing {

// Fills classes 1..N from the two lists and sets the totals and maximum
// the way the load computes them.
inline PopulationData makePopulation(const std::vector<double>& male, const std::vector<double>& female,
                                     std::string TitleYear = "1995", double RegionWeight = 1)
{
    PopulationData data;
    data.MalePop.recreate();
    data.FemalePop.recreate();
    data.TitleYear = std::move(TitleYear);
    data.RegionWeight = RegionWeight;
    for (std::size_t i = 0; i < male.size(); ++i) {
        data.MalePop.set(long(i + 1), male[i]);
        data.MaleTotal += male[i];
        data.GrandTotal += male[i];
        data.MaxCount = std::max(data.MaxCount, male[i]);
    }
    for (std::size_t i = 0; i < female.size(); ++i) {
        data.FemalePop.set(long(i + 1), female[i]);
        data.FemaleTotal += female[i];
        data.GrandTotal += female[i];
        data.MaxCount = std::max(data.MaxCount, female[i]);
    }
    return data;
}

}  // namespace pyramid::testing
