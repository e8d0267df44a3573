#include "core/slot_lookup.h"

#include "core/failure.h"

#include <cmath>

namespace pyramid {

long slotIndex(double index)
{
    // Written out rather than left to the FPU's rounding mode; std::round
    // and qRound send halves away from zero, which is wrong here.
    double whole = std::floor(index);
    const double fraction = index - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0))
        whole += 1;
    if (!(whole >= -2147483648.0 && whole <= 2147483647.0))
        throw Failure(FailureKind::Overflow);
    return static_cast<long>(whole);
}

}  // namespace pyramid
