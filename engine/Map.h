#pragma once
// The quadratic map of the plane, its escape count and the view's pixel-to-plane rule.

#include "engine/Numbers.h"

namespace engine {

// A point has escaped when x*x + y*y is strictly above this.
inline constexpr Extended EscapeRadiusSquared = 1000000.0L;

struct Point {
  float x;
  float y;
};

// One step of the map, exactly as the reference evaluates it: each new coordinate is the
// sum (c0*x)*x + (c1*y)*y + (c2*x)*y + c3*x + c4*y + c5 built left to right in extended
// precision and rounded to float once; new y uses coef[6..11] and the same old point.
inline Point MapStep(const float (&coef)[12], Point p) {
  const Extended x = p.x;
  const Extended y = p.y;
  Extended s = (coef[0] * x) * x;
  s = s + (coef[1] * y) * y;
  s = s + (coef[2] * x) * y;
  s = s + coef[3] * x;
  s = s + coef[4] * y;
  s = s + coef[5];
  Extended t = (coef[6] * x) * x;
  t = t + (coef[7] * y) * y;
  t = t + (coef[8] * x) * y;
  t = t + coef[9] * x;
  t = t + coef[10] * y;
  t = t + coef[11];
  return {static_cast<float>(s), static_cast<float>(t)};
}

inline bool Escaped(Point p) {
  const Extended x = p.x;
  const Extended y = p.y;
  // A NaN compares false, so a NaN orbit never counts as escaped.
  return x * x + y * y > EscapeRadiusSquared;
}

// Steps taken before the first iterate outside the circle of radius 1000, or maxIter when
// the orbit stays inside for maxIter steps. The start point itself is never tested. This
// scalar loop is the reference every faster renderer must equal.
int EscapeCount(const float (&coef)[12], int maxIter, float x0, float y0);

// The start point of column px, row py of a width x height picture showing the square of
// side scale centred on (centreX, centreY): divide, subtract 0.5, multiply, add, round.
inline Point PixelToPlane(int px, int py, int width, int height, float scale, float centreX,
                          float centreY) {
  const Extended fx = static_cast<Extended>(px) / static_cast<Extended>(width);
  const Extended fy = static_cast<Extended>(py) / static_cast<Extended>(height);
  return {static_cast<float>((fx - 0.5L) * scale + centreX),
          static_cast<float>((fy - 0.5L) * scale + centreY)};
}

}  // namespace engine
