#pragma once
// Population tables made in the test, as a completed load would leave them.

#include "data/population.h"

#include <vector>

namespace pyramid::testing {

// Fills classes 1..N from the two lists and sets the totals and maximum
// the way the load computes them.
inline PopulationData makePopulation(const std::vector<double>& male, const std::vector<double>& female,
                                     std::string titleYear = "1995", double regionWeight = 1)
{
    PopulationData data;
    data.malePop.recreate();
    data.femalePop.recreate();
    data.titleYear = std::move(titleYear);
    data.regionWeight = regionWeight;
    for (std::size_t i = 0; i < male.size(); ++i) {
        data.malePop.set(long(i + 1), male[i]);
        data.maleTotal += male[i];
        data.grandTotal += male[i];
        data.maxCount = std::max(data.maxCount, male[i]);
    }
    for (std::size_t i = 0; i < female.size(); ++i) {
        data.femalePop.set(long(i + 1), female[i]);
        data.femaleTotal += female[i];
        data.grandTotal += female[i];
        data.maxCount = std::max(data.maxCount, female[i]);
    }
    return data;
}

}  // namespace pyramid::testing
