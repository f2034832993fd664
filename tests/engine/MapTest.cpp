#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/StartValues.h"
#include "engine/Map.h"

namespace {

const float (&StartCoef)[12] = start::Coef;

struct PixelCase {
  int px, py;
  double x0, y0;
  int count;
};

TEST(EscapeCount, StartMapPixelsOfTheMainPicture) {
  const PixelCase cases[] = {
      {80, 60, 0.0, 0.0, 27},
      {0, 0, -4.949999809265137, -4.949999809265137, 1},
      {100, 60, 1.2374999523162842, 0.0, 3},
      {80, 30, 0.0, -2.4749999046325684, 2},
  };
  for (const auto& c : cases) {
    const engine::Point p = engine::PixelToPlane(c.px, c.py, 160, 120, start::Scale, 0, 0);
    EXPECT_EQ(static_cast<double>(p.x), c.x0) << c.px << "," << c.py;
    EXPECT_EQ(static_cast<double>(p.y), c.y0) << c.px << "," << c.py;
    EXPECT_EQ(engine::EscapeCount(StartCoef, 200, p.x, p.y), c.count) << c.px << "," << c.py;
  }
}

TEST(EscapeCount, CornerEscapesAtItsSecondIterateNotItsFirst) {
  const engine::Point p0 = engine::PixelToPlane(0, 0, 160, 120, start::Scale, 0, 0);
  const engine::Point p1 = engine::MapStep(StartCoef, p0);
  EXPECT_EQ(p1.x, 0.0f);
  EXPECT_NEAR(p1.y, 88.56, 0.01);
  EXPECT_FALSE(engine::Escaped(p1));
  EXPECT_TRUE(engine::Escaped(engine::MapStep(StartCoef, p1)));
}

TEST(EscapeCount, BoundaryIsStrictAndStartPointIsNeverTested) {
  // x' = 1000 exactly from any start: the squared length is 1,000,000, not above it.
  const float onCircle[12] = {0, 0, 0, 0, 0, 1000, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(engine::EscapeCount(onCircle, 50, 0, 0), 50);
  const float outside[12] = {0, 0, 0, 0, 0, 1000.0001f, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(engine::EscapeCount(outside, 50, 0, 0), 0);
  // A start point far outside still takes its first step before any test.
  const float toOrigin[12] = {};
  EXPECT_EQ(engine::EscapeCount(toOrigin, 7, 5000, 5000), 7);
}

TEST(EscapeCount, NeverEscapingPointGetsTheLimitAndNaNNeverEscapes) {
  const float identity[12] = {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0};
  EXPECT_EQ(engine::EscapeCount(identity, 200, 0.5f, 0.5f), 200);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float nanMap[12] = {0, 0, 0, 0, 0, nan, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(engine::EscapeCount(nanMap, 200, 0, 0), 200);
  // An overflow to infinity escapes.
  const float huge[12] = {3e38f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(engine::EscapeCount(huge, 200, 10, 0), 0);
}

TEST(PixelToPlane, CentreAndEdges) {
  const engine::Point c = engine::PixelToPlane(80, 60, 160, 120, 9.9f, 1.5f, -2.0f);
  EXPECT_EQ(c.x, 1.5f);
  EXPECT_EQ(c.y, -2.0f);
  const engine::Point e = engine::PixelToPlane(0, 0, 160, 120, 9.9f, 1.5f, -2.0f);
  EXPECT_EQ(e.x, static_cast<float>(1.5L - 9.9f / 2.0L));
  // The same span lies across the width and down the height.
  const engine::Point b = engine::PixelToPlane(0, 120, 160, 120, 9.9f, 0, 0);
  EXPECT_EQ(b.y, static_cast<float>(9.9f / 2.0L));
}

}  // namespace
