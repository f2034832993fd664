// The fast renderer against the sequential scalar reference: every count and the largest
// escaping count equal, bit for bit, over many maps, views, limits, sizes, thread counts,
// instruction sets and with periodicity detection on and off.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/StartValues.h"
#include "engine/Map.h"
#include "engine/Random.h"
#include "engine/Render.h"

namespace {

struct Config {
  std::int64_t set;
  int threads;
  bool periodicity;
};

std::string Describe(const engine::RenderJob& j, const Config& c) {
  std::string s = std::string(engine::RenderInstructionSetName(c.set)) + " threads " +
                  std::to_string(c.threads) + (c.periodicity ? " cycles on" : " cycles off") + " size " +
                  std::to_string(j.width) + "x" + std::to_string(j.height) + " maxIter " +
                  std::to_string(j.maxIter) + " view " + std::to_string(j.scale) + " @ " +
                  std::to_string(j.centreX) + "," + std::to_string(j.centreY) + " coef";
  char buf[32];
  for (float c : j.coef) {
    std::snprintf(buf, sizeof buf, " %a", c);
    s += buf;
  }
  return s;
}

// Renders with the fast path and the reference and compares everything.
::testing::AssertionResult SameAsReference(const engine::RenderJob& job, const Config& c,
                                           engine::RenderStats* stats = nullptr) {
  const std::size_t n = static_cast<std::size_t>(job.width) * job.height;
  std::vector<int> want(n, -7), got(n, -9);
  const int wantLargest = engine::RenderCountsReference(job, want.data());
  engine::RenderOptions o;
  o.threads = c.threads;
  o.periodicity = c.periodicity;
  o.instructionSet = c.set;
  o.stats = stats;
  const int gotLargest = engine::RenderCounts(job, got.data(), o);
  for (std::size_t i = 0; i < n; ++i)
    if (got[i] != want[i])
      return ::testing::AssertionFailure() << "pixel " << i % job.width << "," << i / job.width << ": "
                                           << got[i] << " instead of " << want[i] << " (" << Describe(job, c)
                                           << ")";
  if (gotLargest != wantLargest)
    return ::testing::AssertionFailure() << "largest " << gotLargest << " instead of " << wantLargest << " ("
                                         << Describe(job, c) << ")";
  return ::testing::AssertionSuccess();
}

// The configurations a run of many maps cycles through: every instruction set, 1 to 3
// threads, periodicity on and off.
std::vector<Config> Configs() {
  std::vector<Config> out;
  for (std::int64_t set : engine::RenderInstructionSets())
    for (int threads = 1; threads <= 3; ++threads)
      for (bool p : {false, true}) out.push_back({set, threads, p});
  return out;
}

engine::RenderJob Job(const float (&coef)[12], int w, int h, int maxIter, float scale, float cx, float cy) {
  engine::RenderJob j{};
  std::memcpy(j.coef, coef, sizeof j.coef);
  j.maxIter = maxIter;
  j.width = w;
  j.height = h;
  j.scale = scale;
  j.centreX = cx;
  j.centreY = cy;
  return j;
}

TEST(FastRender, OffersTheVectorWidthsOfItsInstructionSets) {
  const std::vector<std::int64_t> sets = engine::RenderInstructionSets();
  ASSERT_FALSE(sets.empty());
  for (std::int64_t set : sets) {
    const int lanes = engine::RenderLanes(set);
    EXPECT_TRUE(lanes == 1 || lanes == 2 || lanes == 4 || lanes == 8) << engine::RenderInstructionSetName(set);
  }
  EXPECT_GE(engine::RenderThreadsAvailable(), 2);
}

TEST(FastRender, StartMapAtEveryConfiguration) {
  const int sizes[][2] = {{160, 120}, {1, 1}, {7, 3}, {33, 17}};
  for (const Config& c : Configs())
    for (const auto& wh : sizes)
      for (int maxIter : {1, 2, 200, 999})
        ASSERT_TRUE(SameAsReference(Job(start::Coef, wh[0], wh[1], maxIter, start::Scale, 0, 0), c));
}

// Random maps of the kind the program's generator makes, and wider ones: huge, tiny and
// zero coefficients, views far out or overflowing, limits from 0 up.
TEST(FastRender, ThousandsOfRandomMapsViewsAndLimits) {
  std::mt19937 rng(20240611);
  const std::vector<Config> configs = Configs();
  engine::Random programRandom;
  programRandom.Seed(77);
  auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const int sizes[][2] = {{1, 1}, {7, 3}, {33, 17}, {2, 9}, {16, 16}, {41, 1}, {13, 11}};
  const float odd[] = {0.0f, -0.0f, 1e-30f, -1e-38f, 1e-42f, 3e38f, -1e30f, 1e20f, 65504.0f, 1e-7f};
  constexpr int Maps = 8000;
  for (int m = 0; m < Maps; ++m) {
    float coef[12];
    const int kind = m % 4;
    for (float& c : coef) {
      const int r = programRandom.Next();
      c = static_cast<float>((100 - r % 200) * 0.01L);  // the program's coefficient rule
      if (kind >= 2 && pick(4) == 0) c = odd[pick(10)];
      if (kind == 3 && pick(3) == 0) c = static_cast<float>(uniform(-3, 3) * std::pow(10.0, uniform(-8, 8)));
    }
    if (pick(5) == 0)
      for (int i = 0; i < 12; ++i)
        if (pick(3) == 0) coef[i] = 0;
    const auto& wh = sizes[pick(7)];
    int maxIter = pick(300);
    if (pick(10) == 0) maxIter = pick(3);
    if (pick(40) == 0) maxIter = 999 + pick(600);
    float scale = static_cast<float>(std::pow(10.0, uniform(-6, 1.5)));
    float cx = static_cast<float>(uniform(-2, 2)), cy = static_cast<float>(uniform(-2, 2));
    if (pick(30) == 0) {  // far out, overflowing start points, NaN start points
      const float far[] = {3e38f, -3e38f, 1e30f, std::numeric_limits<float>::infinity()};
      scale = far[pick(4)];
      cx = pick(2) ? far[pick(3)] : 0.0f;
    }
    const engine::RenderJob job = Job(coef, wh[0], wh[1], maxIter, scale, cx, cy);
    ASSERT_TRUE(SameAsReference(job, configs[m % configs.size()])) << "map " << m;
  }
}

// Cases the double arithmetic cannot decide alone, each worked through the scalar fallback.
TEST(FastRender, UndecidableStepsAndEscapeTestsFallBackExactly) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* what;
    float coef[12];
    float scale, cx, cy;
    bool needsStepFallback, needsEscapeFallback;
  };
  const Case cases[] = {
      // From (1, 1): new x = 1000 + 2^-15 + 2^-50, just past the tie between 1000 and the
      // next float up, so the reference rounds up and escapes at once; a double sum loses
      // the 2^-50, lands on the tie, rounds to 1000 and would not escape.
      {"step just past a float tie", {0, 0, 0, 0x1p-15f, 0x1p-50f, 1000, 0, 0, 0, 0, 0, 0}, 2, 2, 2, true, false},
      // From (1, 1): new y = 2^33 x - 2^33 cancels to 0, and the next new y turns the last
      // bit of new x = 1 + 2^-24 + 2^-60 (past a tie again) into an escape.
      {"exact cancellation", {0, 0, 0, 0x1p-24f, 0x1p-60f, 1, 0, 0, 0, 0x1p33f, 0, -0x1p33f}, 2, 2, 2, true, false},
      // x' = 1000, y' = 2^-20: x^2 + y^2 = 1e6 + 2^-40 escapes in extended precision while
      // the double sum rounds to exactly 1e6.
      {"escape sum just above the bound", {0, 0, 0, 0, 0, 1000, 0, 0, 0, 0, 0, 0x1p-20f}, 1, 0, 0, false, true},
      // x' = 600, y' = 800: exactly 1e6, not above it.
      {"escape sum exactly on the bound", {0, 0, 0, 0, 0, 600, 0, 0, 0, 0, 0, 800}, 1, 0, 0, false, true},
      // Coefficients that are not finite, and overflow to infinity.
      {"NaN coefficient", {nan, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5f}, 3, 0, 0, false, false},
      {"infinite coefficient", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, inf, 0}, 3, 0, 0, false, false},
      {"overflow to infinity", {3e38f, 3e38f, 0, 0, 0, 0, 0, 0, 1e38f, 0, 0, 0}, 40, 0, 0, false, false},
      {"overflowing start points", {1, -1, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0.1f}, 3e38f, 3e38f, 0, false, false},
      {"NaN start points", {1, -1, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0.1f}, inf, 0, 0, false, false},
  };
  for (const Case& k : cases) {
    for (const Config& c : Configs()) {
      for (int w : {1, 5, 9}) {
        engine::RenderStats stats;
        ASSERT_TRUE(SameAsReference(Job(k.coef, w, w == 1 ? 1 : 3, 50, k.scale, k.cx, k.cy), c, &stats))
            << k.what;
        if (w == 1 && k.needsStepFallback) {
          EXPECT_GT(stats.stepFallbacks, 0u) << k.what;
        }
        if (w == 1 && k.needsEscapeFallback) {
          EXPECT_GT(stats.escapeFallbacks, 0u) << k.what;
        }
      }
    }
  }
}

TEST(FastRender, LimitOfZeroOrBelowGivesTheLimitEverywhere) {
  for (int maxIter : {0, -5}) {
    const engine::RenderJob job = Job(start::Coef, 7, 3, maxIter, start::Scale, 0, 0);
    std::vector<int> counts(21, 123);
    EXPECT_EQ(engine::RenderCounts(job, counts.data()), 0);
    for (int c : counts) EXPECT_EQ(c, maxIter);
  }
}

// Periodicity detection ends orbits that cycle early, and the pictures stay the same.
TEST(FastRender, CyclingOrbitsEndEarlyWithTheLimit) {
  // z -> z^2 - 0.1 + 0.1i: every point near the origin falls onto the attracting fixed point.
  const float coef[12] = {1, -1, 0, 0, 0, -0.1f, 0, 0, 2, 0, 0, 0.1f};
  const engine::RenderJob job = Job(coef, 33, 17, 5000, 0.5f, 0, 0);
  engine::RenderStats stats;
  ASSERT_TRUE(SameAsReference(job, {0, 2, true}, &stats));
  EXPECT_EQ(stats.cyclesFound, 33u * 17u);
  EXPECT_LT(stats.laneSteps, 33u * 17u * 5000u / 10);
}

// Renders asked for from several threads at once take turns on the one pool.
TEST(FastRender, ConcurrentCallersEachGetTheirOwnPicture) {
  const float rabbit[12] = {1, -1, 0, 0, 0, -0.1226f, 0, 0, 2, 0, 0, 0.7449f};
  const engine::RenderJob jobs[3] = {Job(start::Coef, 33, 17, 300, start::Scale, 0, 0),
                                     Job(rabbit, 40, 30, 500, 3.0f, 0, 0),
                                     Job(start::Coef, 7, 3, 999, 0.5f, 0.3f, -0.2f)};
  std::vector<int> want[3], got[3];
  int wantLargest[3], gotLargest[3];
  for (int i = 0; i < 3; ++i) {
    want[i].resize(static_cast<std::size_t>(jobs[i].width) * jobs[i].height);
    got[i].resize(want[i].size());
    wantLargest[i] = engine::RenderCountsReference(jobs[i], want[i].data());
  }
  std::thread callers[3];
  for (int i = 0; i < 3; ++i)
    callers[i] = std::thread([&, i] {
      for (int r = 0; r < 20; ++r) gotLargest[i] = engine::RenderCounts(jobs[i], got[i].data());
    });
  for (std::thread& t : callers) t.join();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(got[i], want[i]) << i;
    EXPECT_EQ(gotLargest[i], wantLargest[i]) << i;
  }
}

// The pool's threads outlive every render; leaving the process with them in place is clean.
TEST(FastRenderDeathTest, ProcessExitsCleanlyWhileThePoolExists) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::vector<int> counts(33 * 17);
        engine::RenderOptions o;
        o.threads = 3;
        engine::RenderCounts(Job(start::Coef, 33, 17, 200, start::Scale, 0, 0), counts.data(), o);
        std::exit(counts[0] == 1 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// A child forked after the pool exists (a death test's "fast" style, or any fork) has no
// workers: it still renders correctly on its own thread and exits cleanly.
TEST(FastRenderDeathTest, ForkedChildRendersAndExitsCleanly) {
  GTEST_FLAG_SET(death_test_style, "fast");
  const engine::RenderJob job = Job(start::Coef, 33, 17, 200, start::Scale, 0, 0);
  std::vector<int> want(33 * 17), got(33 * 17);
  engine::RenderCountsReference(job, want.data());
  engine::RenderOptions o;
  o.threads = 3;
  engine::RenderCounts(job, got.data(), o);  // the pool exists before the fork
  EXPECT_EXIT(
      {
        std::fill(got.begin(), got.end(), -1);
        engine::RenderCounts(job, got.data(), o);
        std::exit(got == want ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
