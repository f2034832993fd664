#include <gtest/gtest.h>

#include <vector>

#include "app/StartValues.h"
#include "engine/Map.h"
#include "engine/Render.h"

namespace {

engine::RenderJob StartJob(int w, int h, int maxIter) {
  engine::RenderJob job{};
  for (int i = 0; i < 12; ++i) job.coef[i] = start::Coef[i];
  job.maxIter = maxIter;
  job.width = w;
  job.height = h;
  job.scale = start::Scale;
  return job;
}

TEST(RenderCounts, EveryPixelIsItsEscapeCountAtRowTimesWidthPlusColumn) {
  const engine::RenderJob job = StartJob(37, 23, 200);
  std::vector<int> counts(37 * 23, -1);
  const int largest = engine::RenderCounts(job, counts.data());
  int expectLargest = 0;
  for (int py = 0; py < 23; ++py)
    for (int px = 0; px < 37; ++px) {
      const engine::Point p = engine::PixelToPlane(px, py, 37, 23, job.scale, 0, 0);
      const int c = engine::EscapeCount(job.coef, 200, p.x, p.y);
      ASSERT_EQ(counts[py * 37 + px], c);
      if (c < 200 && c > expectLargest) expectLargest = c;
    }
  EXPECT_EQ(largest, expectLargest);
  EXPECT_EQ(counts[0], 1);
}

TEST(RenderCounts, LargestEscapingCountIgnoresPointsThatNeverEscape) {
  engine::RenderJob job = StartJob(8, 8, 50);
  const float identity[12] = {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0};
  for (int i = 0; i < 12; ++i) job.coef[i] = identity[i];
  std::vector<int> counts(64);
  EXPECT_EQ(engine::RenderCounts(job, counts.data()), 0);
  for (int c : counts) EXPECT_EQ(c, 50);
}

}  // namespace
