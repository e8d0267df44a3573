#pragma once
// The age range typed into the two boxes, as both analysis handlers read it.

#include "core/form_controls.h"
#include "core/statement_runner.h"
#include "data/population.h"

namespace pyramid {

struct AgeRange {
    double FromAge = 0;
    double ToAge = 0;
};

// FromAge and ToAge from the boxes by their leading-number values, one
// statement each.
AgeRange readAgeRange(StatementRunner& run, const FormControls& form);

// Exchanges the two when ToAge - FromAge < 0; the boxes are not touched.
void orderAgeRange(StatementRunner& run, AgeRange& range);

// The count of class i of `range` in `table`. A class outside the tables
// fails as the table does, but the description names the typed age that
// reached it: the from-age at the first class, the to-age past the last.
double countOfClass(const PopulationTable& table, const AgeRange& range, double i);

// Runs `body(i)` for the classes FromAge+1 .. ToAge+1 in steps of 1, with
// the bounds fixed at the start.
template <class Body>
void forEachClassOf(StatementRunner& run, const AgeRange& range, Body&& body)
{
    countingLoop(run, [&] { return range.FromAge + 1; }, [&] { return range.ToAge + 1; },
                 std::forward<Body>(body));
}

}  // namespace pyramid
