#pragma once
// The age range typed into the two boxes, as both analysis handlers read it.

#include "core/form_controls.h"
#include "core/statement_runner.h"

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

// Runs `body(i)` for the classes FromAge+1 .. ToAge+1 in steps of 1, with
// the bounds fixed at the start.
template <class Body>
void forEachClassOf(StatementRunner& run, const AgeRange& range, Body&& body)
{
    countingLoop(run, [&] { return range.FromAge + 1; }, [&] { return range.ToAge + 1; },
                 std::forward<Body>(body));
}

}  // namespace pyramid
