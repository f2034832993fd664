#pragma once
// Inside of the fast render: the work shared by the threads of one render, the feed of
// pixels each thread draws from, and the scalar continuation every fast path falls back on.
// Only engine/Render.cpp and engine/RenderKernel.cpp include this.

#include <atomic>
#include <cmath>
#include <cstdint>

#include "engine/Map.h"
#include "engine/Render.h"

namespace engine::detail {

// Row segments of this many pixels are the units of work the threads claim.
inline constexpr int TileWidth = 128;

struct RenderShared {
  RenderJob job;
  int* counts = nullptr;
  bool periodicity = false;
  std::int64_t tilesPerRow = 0;
  std::int64_t tileCount = 0;
  std::atomic<std::int64_t> nextTile{0};
  // The map's coefficients as doubles, and the factors of the error radius (see
  // RenderKernel.cpp): K*|c_i|.
  double coef[12] = {};
  double radius[12] = {};
};

// What one thread of a render tallies; summed after the render.
struct WorkerTally {
  int largest = 0;
  RenderStats stats;
};

// Continues the reference loop of EscapeCount from state p after `count` steps (count <
// maxIter) and returns the pixel's count. Exactly the reference, with one shortcut: once a
// coordinate is NaN both are NaN for ever (each new coordinate sums a term in x and a term
// in y, and a NaN factor makes any product NaN, 0 * NaN included) and a NaN state never
// passes the escape test, so the count is maxIter at once.
inline int ContinueScalar(const float (&coef)[12], int maxIter, Point p, int count, std::uint64_t& steps) {
  for (; count < maxIter; ++count) {
    p = MapStep(coef, p);
    ++steps;
    if (Escaped(p)) return count;
    if (std::isnan(p.x) || std::isnan(p.y)) return maxIter;
  }
  return maxIter;
}

// The pixels of the claimed tiles, one after another. Each thread has its own.
class PixelFeed {
 public:
  explicit PixelFeed(RenderShared& shared) : s_(shared) {}

  // The next pixel: its index in counts and its start point; false when the picture is done.
  bool Next(std::int64_t& index, Point& start) {
    if (px_ == pxEnd_ && !Claim()) return false;
    const RenderJob& j = s_.job;
    start.x = PixelToPlane(px_, py_, j.width, j.height, j.scale, j.centreX, j.centreY).x;
    start.y = y0_;
    index = rowBase_ + px_;
    ++px_;
    return true;
  }

 private:
  bool Claim() {
    const std::int64_t t = s_.nextTile.fetch_add(1, std::memory_order_relaxed);
    if (t >= s_.tileCount) {
      s_.nextTile.store(s_.tileCount, std::memory_order_relaxed);  // keeps the counter from wrapping
      return false;
    }
    const RenderJob& j = s_.job;
    const std::int64_t row = t / s_.tilesPerRow;  // within the band
    py_ = j.firstRow + static_cast<int>(row);
    px_ = static_cast<int>(t % s_.tilesPerRow) * TileWidth;
    pxEnd_ = j.width - px_ > TileWidth ? px_ + TileWidth : j.width;
    rowBase_ = row * j.width;
    y0_ = PixelToPlane(px_, py_, j.width, j.height, j.scale, j.centreX, j.centreY).y;
    return true;
  }

  RenderShared& s_;
  int py_ = 0, px_ = 0, pxEnd_ = 0;
  std::int64_t rowBase_ = 0;
  float y0_ = 0;
};

// Finishes one pixel in the tally and the counts.
inline void Finish(RenderShared& s, WorkerTally& tally, std::int64_t index, int count) {
  s.counts[index] = count;
  if (count < s.job.maxIter && count > tally.largest) tally.largest = count;
}

// Works the pixels of the feed wholly in scalar code.
inline void RunScalar(RenderShared& s, WorkerTally& tally) {
  PixelFeed feed(s);
  std::int64_t index;
  Point p;
  while (feed.Next(index, p)) Finish(s, tally, index, ContinueScalar(s.job.coef, s.job.maxIter, p, 0, tally.stats.scalarSteps));
}

// The vector kernel of the chosen instruction set (RenderKernel.cpp).
void RunKernel(RenderShared& s, WorkerTally& tally, std::int64_t instructionSet);
int KernelLanes(std::int64_t instructionSet);
std::int64_t BestInstructionSet();

}  // namespace engine::detail
