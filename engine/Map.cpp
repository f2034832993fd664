#include "engine/Map.h"

namespace engine {

int EscapeCount(const float (&coef)[12], int maxIter, float x0, float y0) {
  Point p{x0, y0};
  for (int count = 0; count < maxIter; ++count) {
    p = MapStep(coef, p);
    if (Escaped(p)) return count;
  }
  return maxIter;
}

}  // namespace engine
