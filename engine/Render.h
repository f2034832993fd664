#pragma once
// The count pass of a render: the escape count of every pixel of a picture.

#include <cstddef>

namespace engine {

struct RenderJob {
  float coef[12];
  int maxIter;
  int width;
  int height;
  float scale;
  float centreX;
  float centreY;
};

// Fills counts[py * width + px] with the escape count of pixel (px, py) and returns the
// largest count among the pixels that escaped (a count below maxIter), 0 when none did.
// `counts` holds at least width * height entries.
//
// RenderCountsReference is the plain sequential pass over the scalar extended-precision
// EscapeCount; it stays as the oracle. RenderCounts is what the program calls and must give
// exactly the same counts and result.
int RenderCountsReference(const RenderJob& job, int* counts);
int RenderCounts(const RenderJob& job, int* counts);

}  // namespace engine
