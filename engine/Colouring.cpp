#include "engine/Colouring.h"

#include <cmath>

#include "engine/Numbers.h"

namespace engine {

SquareRemap::SquareRemap(int maxIter) {
  const Extended m = maxIter;
  a_ = static_cast<float>((m - 4.0L) / (std::sqrt(m) - 2.0L));
  b_ = static_cast<float>(4.0L - 2.0L * static_cast<Extended>(a_));
}

int SquareRemap::operator()(int n) const {
  const Extended root = std::sqrt(static_cast<Extended>(n));
  return TruncToInt(root * a_ + b_);
}

std::int64_t DirectColour(int n, int colorSpan, int paletteFactor) {
  const Extended v = static_cast<Extended>(colorSpan) * 0.005L * n * paletteFactor;
  return TruncTo<std::int64_t>(v);
}

}  // namespace engine
