#include "engine/Render.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include <hwy/targets.h>

#include "engine/Map.h"
#include "engine/RenderKernel.h"
#include "engine/RenderPool.h"

namespace engine {

int RenderCountsReference(const RenderJob& job, int* counts) {
  int largest = 0;
  const int rows = job.BandRows();
  for (int px = 0; px < job.width; ++px) {
    for (int row = 0; row < rows; ++row) {
      const int py = job.firstRow + row;
      const Point p0 = PixelToPlane(px, py, job.width, job.height, job.scale, job.centreX, job.centreY);
      const int count = EscapeCount(job.coef, job.maxIter, p0.x, p0.y);
      if (count < job.maxIter && count > largest) largest = count;
      counts[static_cast<std::size_t>(row) * job.width + px] = count;
    }
  }
  return largest;
}

namespace detail {
std::int64_t CompiledInstructionSets();
}  // namespace detail

namespace {

using detail::RenderShared;
using detail::WorkerTally;

// The error radius factor of the certified step (see RenderKernel.cpp): a power of two.
constexpr double RadiusFactor = 0x1p-49;

struct RenderRun {
  RenderShared shared;
  bool simd = true;
  std::int64_t instructionSet = 0;
  // One tally per participant, each on its own cache lines.
  struct alignas(64) Slot {
    WorkerTally tally;
  };
  Slot slots[256];
};

void RunParticipant(void* arg, int participant) {
  RenderRun& run = *static_cast<RenderRun*>(arg);
  WorkerTally& tally = run.slots[participant].tally;
  if (run.simd) {
    detail::RunKernel(run.shared, tally, run.instructionSet);
  } else {
    detail::RunScalar(run.shared, tally);
  }
}

bool AllFinite(const float (&coef)[12]) {
  for (float c : coef)
    if (!std::isfinite(c)) return false;
  return true;
}

}  // namespace

int RenderThreadsAvailable() { return detail::RenderPool::Instance().Workers() + 1; }

int RenderCounts(const RenderJob& job, int* counts) { return RenderCounts(job, counts, RenderOptions{}); }

int RenderCounts(const RenderJob& job, int* counts, const RenderOptions& options) {
  if (options.stats) *options.stats = RenderStats{};
  if (job.width <= 0 || job.height <= 0 || job.BandRows() <= 0) return 0;
  if (job.maxIter <= 0) {
    // The reference's loop never runs: every count is maxIter and none escaped.
    std::fill_n(counts, static_cast<std::size_t>(job.width) * job.BandRows(), job.maxIter);
    return 0;
  }

  // The run lives on the stack: no allocation per render.
  RenderRun run;
  RenderShared& s = run.shared;
  s.job = job;
  s.counts = counts;
  s.periodicity = options.periodicity;
  s.tilesPerRow = (job.width + detail::TileWidth - 1) / detail::TileWidth;
  s.tileCount = s.tilesPerRow * job.BandRows();
  for (int i = 0; i < 12; ++i) {
    s.coef[i] = job.coef[i];
    s.radius[i] = RadiusFactor * std::fabs(s.coef[i]);  // exact: a power of two, no underflow
  }
  // The certified step needs finite coefficients; a map with an infinity or NaN in it is
  // worked in scalar code (its orbits turn NaN or escape within a step or two).
  run.simd = options.simd && AllFinite(job.coef);
  run.instructionSet = options.instructionSet;

  detail::RenderPool& pool = detail::RenderPool::Instance();
  int threads = options.threads > 0 ? options.threads
                                    : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  threads = std::clamp(threads, 1, std::min(pool.Workers() + 1, static_cast<int>(std::size(run.slots))));
  // No more threads than tiles.
  threads = static_cast<int>(std::min<std::int64_t>(threads, s.tileCount));
  pool.Run(threads, RunParticipant, &run);

  int largest = 0;
  RenderStats total;
  for (int i = 0; i < threads; ++i) {
    const WorkerTally& t = run.slots[i].tally;
    largest = std::max(largest, t.largest);
    total.laneSteps += t.stats.laneSteps;
    total.stepFallbacks += t.stats.stepFallbacks;
    total.escapeFallbacks += t.stats.escapeFallbacks;
    total.scalarSteps += t.stats.scalarSteps;
    total.cyclesFound += t.stats.cyclesFound;
  }
  if (options.stats) *options.stats = total;
  return largest;
}

std::vector<std::int64_t> RenderInstructionSets() {
  std::vector<std::int64_t> sets;
  const std::int64_t have = hwy::SupportedTargets() & detail::CompiledInstructionSets();
  for (std::int64_t rest = have; rest != 0; rest &= rest - 1) sets.push_back(rest & -rest);
  return sets;
}

const char* RenderInstructionSetName(std::int64_t instructionSet) {
  return hwy::TargetName(instructionSet == 0 ? detail::BestInstructionSet() : instructionSet);
}

int RenderLanes(std::int64_t instructionSet) { return detail::KernelLanes(instructionSet); }

}  // namespace engine
