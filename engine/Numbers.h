#pragma once
// The number widths the pictures depend on. Real state is held in 32-bit floats; every
// expression is evaluated with extended-precision intermediates (80-bit long double on
// x86-64, double where the target has nothing wider) and rounded only where it is stored.

#include <cmath>
#include <cstdint>
#include <limits>

namespace engine {

using Extended = long double;

// Truncation toward zero into an integer type, saturating at the type's ends; NaN gives 0.
// Every real-to-integer conversion of the program goes through this, so no conversion
// is ever out of range.
template <class Int>
constexpr Int TruncTo(Extended v) {
  if (!(v == v)) return 0;
  constexpr Extended lo = static_cast<Extended>(std::numeric_limits<Int>::min());
  // max()+1 is a power of two and exact in extended precision.
  constexpr Extended hiExclusive = static_cast<Extended>(std::numeric_limits<Int>::max() / 2 + 1) * 2;
  if (v <= lo) return std::numeric_limits<Int>::min();
  if (v >= hiExclusive) return std::numeric_limits<Int>::max();
  return static_cast<Int>(v);
}

inline int TruncToInt(Extended v) { return TruncTo<std::int32_t>(v); }

}  // namespace engine
