#pragma once
// Table slots are looked up by the whole number nearest to the index value,
// a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).

namespace pyramid {

// Fails with Overflow when the value is not a number or lies outside the
// 32-bit whole-number range.
long slotIndex(double index);

}  // namespace pyramid
