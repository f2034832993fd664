// The renderer's benchmark: the single-thread scalar reference and the fast renderer side by
// side on the same pictures, with periodicity detection off and on. `make bench` runs it.
//
// Steps are counted as the reference takes them: a pixel that escapes with count n took
// n + 1 steps, one that reaches the limit took maxIter, whatever shortcut the fast renderer
// found. The reference is timed on the whole picture for the main picture's size and on an
// exact subsample (every 8th column and row: a 200 x 150 job over the same view hits the
// same plane points) for the full-screen pictures; its full-picture time is extrapolated
// from its steps per second.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "engine/Render.h"

namespace {

struct Picture {
  const char* name;
  engine::RenderJob job;
  int subsample;  // the reference works every subsample-th column and row
};

engine::RenderJob MakeJob(std::initializer_list<float> coef, int w, int h, int maxIter, float scale, float cx,
                          float cy) {
  engine::RenderJob j{};
  std::copy(coef.begin(), coef.end(), j.coef);
  j.maxIter = maxIter;
  j.width = w;
  j.height = h;
  j.scale = scale;
  j.centreX = cx;
  j.centreY = cy;
  return j;
}

const std::initializer_list<float> StartCoef = {1.8f, -1.8f, 0, 0, 0, 0, 0, 0, 3.6f, 0, 0, 0.36f};
// z -> z^2 + c with c = -0.1226 + 0.7449i (the rabbit): the view lies inside the basin of the
// attracting 3-cycle, so every pixel reaches the limit.
const std::initializer_list<float> RabbitCoef = {1, -1, 0, 0, 0, -0.1226f, 0, 0, 2, 0, 0, 0.7449f};
// z -> z^2 + c with c = -0.390541 - 0.586788i: a Siegel disk, whose orbits turn for ever
// without repeating, inside a boundary full of detail with slow escapes.
const std::initializer_list<float> SiegelCoef = {1, -1, 0, 0, 0, -0.390541f, 0, 0, 2, 0, 0, -0.586788f};

std::vector<Picture>& Pictures() {
  static std::vector<Picture> p = {
      {"start 160x120x200", MakeJob(StartCoef, 160, 120, 200, 9.9f, 0, 0), 1},
      {"start 160x120x999", MakeJob(StartCoef, 160, 120, 999, 9.9f, 0, 0), 1},
      {"limit 1600x1200x999", MakeJob(RabbitCoef, 1600, 1200, 999, 0.4f, 0, 0), 8},
      {"mixed 1600x1200x999", MakeJob(SiegelCoef, 1600, 1200, 999, 2.0f, 0, 0), 8},
  };
  return p;
}

// CPU time of the whole process (every thread), to tell how many cores a run really had on a
// machine shared with other work.
double ProcessCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + 1e-6 * (u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

double StepsOf(const int* counts, std::size_t n, int maxIter) {
  double steps = 0;
  for (std::size_t i = 0; i < n; ++i) steps += counts[i] < maxIter ? counts[i] + 1.0 : maxIter;
  return steps;
}

engine::RenderJob Subsampled(const Picture& p) {
  engine::RenderJob j = p.job;
  j.width /= p.subsample;
  j.height /= p.subsample;
  return j;
}

void BenchReference(benchmark::State& state, const Picture* p) {
  const engine::RenderJob job = Subsampled(*p);
  std::vector<int> counts(static_cast<std::size_t>(job.width) * job.height);
  for (auto _ : state) benchmark::DoNotOptimize(engine::RenderCountsReference(job, counts.data()));
  const double steps = StepsOf(counts.data(), counts.size(), job.maxIter);
  state.counters["steps/s"] = benchmark::Counter(steps * state.iterations(), benchmark::Counter::kIsRate);
}

void BenchFast(benchmark::State& state, const Picture* p, bool periodicity, std::int64_t set, bool subsample) {
  const engine::RenderJob job = subsample ? Subsampled(*p) : p->job;
  std::vector<int> counts(static_cast<std::size_t>(job.width) * job.height);
  engine::RenderStats stats, total;
  engine::RenderOptions o;
  o.periodicity = periodicity;
  o.instructionSet = set;
  o.stats = &stats;
  const double cpu0 = ProcessCpuSeconds();
  const auto wall0 = std::chrono::steady_clock::now();
  for (auto _ : state) {
    benchmark::DoNotOptimize(engine::RenderCounts(job, counts.data(), o));
    total.laneSteps += stats.laneSteps;
    total.stepFallbacks += stats.stepFallbacks;
    total.escapeFallbacks += stats.escapeFallbacks;
  }
  const double steps = StepsOf(counts.data(), counts.size(), job.maxIter);
  state.counters["steps/s"] = benchmark::Counter(steps * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["fallback"] =
      total.laneSteps ? static_cast<double>(total.stepFallbacks + total.escapeFallbacks) / total.laneSteps : 0.0;
  state.counters["lanesteps/step"] = total.laneSteps / (steps * state.iterations());
  state.counters["cores"] = (ProcessCpuSeconds() - cpu0) /
                            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
}

// Collects the medians for the summary while the console shows every run.
class Collector : public benchmark::ConsoleReporter {
 public:
  struct Median {
    double seconds = 0;
    double stepsPerSecond = 0;
    double fallback = 0;
    double cores = 0;
  };
  std::map<std::string, Median> medians;

  void ReportRuns(const std::vector<Run>& runs) override {
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Aggregate || r.aggregate_name != "median") continue;
      Median m;
      m.seconds = r.GetAdjustedRealTime() / 1e3;  // milliseconds
      auto it = r.counters.find("steps/s");
      if (it != r.counters.end()) m.stepsPerSecond = it->second.value;
      it = r.counters.find("fallback");
      if (it != r.counters.end()) m.fallback = it->second.value;
      it = r.counters.find("cores");
      if (it != r.counters.end()) m.cores = it->second.value;
      medians[r.run_name.function_name] = m;
    }
  }
};

// The fast picture and the reference's subsample must agree pixel for pixel.
bool SubsampleAgrees(const Picture& p) {
  const engine::RenderJob sub = Subsampled(p);
  std::vector<int> full(static_cast<std::size_t>(p.job.width) * p.job.height);
  std::vector<int> ref(static_cast<std::size_t>(sub.width) * sub.height);
  engine::RenderCounts(p.job, full.data());
  engine::RenderCountsReference(sub, ref.data());
  for (int y = 0; y < sub.height; ++y)
    for (int x = 0; x < sub.width; ++x)
      if (ref[static_cast<std::size_t>(y) * sub.width + x] !=
          full[static_cast<std::size_t>(y) * p.subsample * p.job.width + x * p.subsample])
        return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const int threads = std::min(engine::RenderThreadsAvailable(), static_cast<int>(std::thread::hardware_concurrency()));
  std::printf("fast renderer: %s, %d doubles per vector, %d threads\n", engine::RenderInstructionSetName(0),
              engine::RenderLanes(0), std::max(1, threads));
  for (const Picture& p : Pictures()) {
    const std::string n = p.name;
    benchmark::RegisterBenchmark(("reference/" + n).c_str(), BenchReference, &p)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
    for (bool periodicity : {false, true})
      benchmark::RegisterBenchmark(("fast/" + n + (periodicity ? "/cycles on" : "/cycles off")).c_str(), BenchFast, &p,
                                   periodicity, 0, false)
          ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
  }
  // Every instruction set this processor runs, on the mixed map's subsample, periodicity off.
  const Picture& mixed = Pictures().back();
  for (std::int64_t set : engine::RenderInstructionSets())
    benchmark::RegisterBenchmark((std::string("isa/") + engine::RenderInstructionSetName(set)).c_str(), BenchFast,
                                 &mixed, false, set, true)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();

  std::printf("\nMedians. Steps per second counted as the reference takes them. The reference runs on one\n"
              "thread; on the full-screen pictures it is timed on an exact 1/64 subsample and its time is\n"
              "extrapolated. fallback: share of lane-steps redone in scalar code. cores: process CPU time over\n"
              "wall time during the fast runs (below the thread count when other work shares the machine).\n");
  std::printf("%-22s %12s %11s %7s %13s %8s %12s %10s %6s\n", "picture", "ref steps/s", "ref time s", "cycles",
              "fast steps/s", "ratio", "fast time s", "fallback", "cores");
  for (const Picture& p : Pictures()) {
    const auto& m = collector.medians;
    const auto ref = m.find(std::string("reference/") + p.name);
    if (ref == m.end()) continue;
    std::vector<int> counts(static_cast<std::size_t>(p.job.width) * p.job.height);
    engine::RenderCounts(p.job, counts.data());
    const double steps = StepsOf(counts.data(), counts.size(), p.job.maxIter);
    const double refTime = steps / ref->second.stepsPerSecond;
    for (bool periodicity : {false, true}) {
      const auto f = m.find(std::string("fast/") + p.name + (periodicity ? "/cycles on" : "/cycles off"));
      if (f == m.end()) continue;
      std::printf("%-22s %12.4g %11.3f %7s %13.4g %7.1fx %12.4f %10.2e %6.2f\n", p.name, ref->second.stepsPerSecond,
                  refTime, periodicity ? "on" : "off", f->second.stepsPerSecond,
                  f->second.stepsPerSecond / ref->second.stepsPerSecond, f->second.seconds, f->second.fallback,
                  f->second.cores);
    }
  }
  const auto& m = collector.medians;
  const auto mixedRef = m.find(std::string("reference/") + mixed.name);
  std::printf("\nEvery instruction set on the mixed map's 200x150 subsample, periodicity off, %d threads:\n",
              std::max(1, threads));
  for (std::int64_t set : engine::RenderInstructionSets()) {
    const auto f = m.find(std::string("isa/") + engine::RenderInstructionSetName(set));
    if (f == m.end() || mixedRef == m.end()) continue;
    std::printf("  %-8s %d lanes %12.4g steps/s %7.1fx the reference, fallback %.2e\n", engine::RenderInstructionSetName(set),
                engine::RenderLanes(set), f->second.stepsPerSecond, f->second.stepsPerSecond / mixedRef->second.stepsPerSecond,
                f->second.fallback);
  }
  for (const Picture& p : Pictures())
    if (p.subsample > 1)
      std::printf("%s: fast picture equals the reference on the subsample: %s\n", p.name,
                  SubsampleAgrees(p) ? "yes" : "NO");
  return 0;
}
