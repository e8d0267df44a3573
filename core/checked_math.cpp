#include "core/checked_math.h"

#include "core/failure.h"

#include <cmath>

namespace pyramid {

namespace {

double finiteOrOverflow(double value)
{
    if (!std::isfinite(value))
        throw Failure(FailureKind::Overflow);
    return value;
}

}  // namespace

double checkedAdd(double a, double b) { return finiteOrOverflow(a + b); }
double checkedSubtract(double a, double b) { return finiteOrOverflow(a - b); }
double checkedMultiply(double a, double b) { return finiteOrOverflow(a * b); }

double checkedDivide(double a, double b)
{
    if (b == 0)
        throw Failure(FailureKind::DivisionByZero);
    return finiteOrOverflow(a / b);
}

}  // namespace pyramid
