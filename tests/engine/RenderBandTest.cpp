#include <gtest/gtest.h>

#include <vector>

#include "app/StartValues.h"
#include "engine/Render.h"

namespace {

// A band of rows counts exactly the rows of the whole picture, with each pixel's point of the
// whole picture, and reports the largest escaping count of its own rows.
TEST(RenderBand, EqualsTheRowsOfTheWholePicture) {
  engine::RenderJob job{};
  for (int i = 0; i < 12; ++i) job.coef[i] = start::Coef[i];
  job.maxIter = 200;
  job.width = 301;  // more than two tiles
  job.height = 37;
  job.scale = 2.5f;
  std::vector<int> whole(301 * 37);
  engine::RenderCountsReference(job, whole.data());
  for (auto [first, rows] : {std::pair{0, 37}, {0, 1}, {5, 9}, {36, 1}, {20, 17}}) {
    engine::RenderJob band = job;
    band.firstRow = first;
    band.rows = rows;
    std::vector<int> fast(301 * rows, -1), reference(301 * rows, -1);
    const int largest = engine::RenderCounts(band, fast.data());
    EXPECT_EQ(engine::RenderCountsReference(band, reference.data()), largest);
    const std::vector<int> expected(whole.begin() + first * 301, whole.begin() + (first + rows) * 301);
    EXPECT_EQ(fast, expected) << first << "+" << rows;
    EXPECT_EQ(reference, expected) << first << "+" << rows;
    int expectLargest = 0;
    for (int c : expected)
      if (c < 200 && c > expectLargest) expectLargest = c;
    EXPECT_EQ(largest, expectLargest);
  }
}

}  // namespace
