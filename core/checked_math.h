#pragma once
// Arithmetic on counts that fails the way the program reports failures,
// instead of letting an infinity or NaN reach a caption or the chart.

namespace pyramid {

double checkedAdd(double a, double b);       // Overflow when the sum is not finite
double checkedSubtract(double a, double b);  // Overflow when not finite
double checkedMultiply(double a, double b);  // Overflow when not finite
double checkedDivide(double a, double b);    // DivisionByZero for b == 0, Overflow when not finite

}  // namespace pyramid
