#pragma once
// The count pass of a render: the escape count of every pixel of a picture.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

struct RenderJob {
  float coef[12];
  int maxIter;
  int width;
  int height;
  float scale;
  float centreX;
  float centreY;
  // A band of the picture: rows firstRow .. firstRow + rows - 1 only, stored from counts[0]
  // on, so that a picture larger than memory allows can be counted piece by piece. The
  // pixels keep the points of the whole picture (its width and height); rows 0 takes all.
  int firstRow = 0;
  int rows = 0;

  int BandRows() const { return rows > 0 ? rows : height - firstRow; }
};

// What a fast render did, for the benchmark: lane-steps are map steps taken in vector lanes;
// the fallbacks are the lane-steps (map steps or escape tests) that the certified double
// arithmetic could not decide and the extended-precision scalar code redid; scalar steps
// are steps of pixels worked wholly in scalar code (non-finite start points, coefficients
// that are not finite, or simd off).
struct RenderStats {
  std::uint64_t laneSteps = 0;
  std::uint64_t stepFallbacks = 0;
  std::uint64_t escapeFallbacks = 0;
  std::uint64_t scalarSteps = 0;
  std::uint64_t cyclesFound = 0;  // pixels ended early by the periodicity check
};

struct RenderOptions {
  // Threads working on the render, the calling thread included; 0 takes one per hardware
  // thread. Clamped to the pool's size plus one.
  int threads = 0;
  // End an orbit as soon as its float state repeats (it can then never escape).
  bool periodicity = true;
  // false works every pixel with the scalar extended-precision code (still threaded).
  bool simd = true;
  // An instruction set from RenderInstructionSets(); 0 takes the best the processor has.
  std::int64_t instructionSet = 0;
  // When set, receives the totals of this render.
  RenderStats* stats = nullptr;
};

// Fills counts[py * width + px] with the escape count of pixel (px, py) and returns the
// largest count among the pixels that escaped (a count below maxIter), 0 when none did.
// `counts` holds at least width * height entries. For a band, py counts from firstRow and
// `counts` holds width * rows entries.
//
// RenderCountsReference is the plain sequential pass over the scalar extended-precision
// EscapeCount; it stays as the oracle. RenderCounts is what the program calls: threaded and
// vectorised, and exactly the same counts and result for every input.
int RenderCountsReference(const RenderJob& job, int* counts);
int RenderCounts(const RenderJob& job, int* counts);
int RenderCounts(const RenderJob& job, int* counts, const RenderOptions& options);

// The most threads a render can use: the pool's workers plus the calling thread.
int RenderThreadsAvailable();

// The instruction sets compiled in that this processor runs, best first, and their names.
std::vector<std::int64_t> RenderInstructionSets();
const char* RenderInstructionSetName(std::int64_t instructionSet);
// Doubles per vector of that instruction set (8 with AVX-512, 4 with AVX2, 2 with SSE4).
int RenderLanes(std::int64_t instructionSet);

}  // namespace engine
