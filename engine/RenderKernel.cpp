// The vector kernel of the fast render, compiled once per instruction set (Highway picks the
// best one the processor has at run time).
//
// Why the counts are exact
// ------------------------
// The reference keeps the point as two floats and evaluates each new coordinate in extended
// precision (64-bit mantissa), rounding once to float. A float is exact in a double, so the
// kernel holds the same float state in double lanes and evaluates the new coordinate in
// double: x*x, y*y and x*y of floats are exact in double (48-bit products, no underflow:
// the smallest is 2^-298), then
//     a = c0*xx + (c1*yy + (c2*xy + (c3*x + (c4*y + c5))))
// as five multiply-adds, innermost first. Highway's MulAdd is fused with AVX2 and AVX-512
// and a rounded multiply then a rounded add on SSE4 and the portable targets; the bound
// below holds either way.
//
// Write u = 2^-53 (double), v = 2^-64 (extended; v = u where long double is only double),
// gamma_n(w) = n*w/(1-n*w), E the exact value of the sum and
//     T = |c0|x^2 + |c1|y^2 + |c2||xy| + |c3||x| + |c4||y| + |c5|.
// No value anywhere underflows or overflows: every nonzero product or partial sum is a
// multiple of 2^-447 (three float factors; 2^-496 in the radius below, with its factor K) and
// at most about 2^387, far inside double's range (and extended's), so every rounding is a
// relative one.
//  1. The reference: c0*x, c3*x, c4*y are exact, (c0*x)*x, (c1*y)*y, (c2*x)*y each round
//     once, and the five additions round once each; no term meets more than 6 roundings, so
//     |s_ref - E| <= gamma_6(v) T.
//  2. The kernel: fused, the term c4*y (and c5) meets the five roundings of the chain and
//     the others fewer; unfused, c0*xx, c1*yy, c2*xy also round as products but sit further
//     out (2, 3 and 4 roundings), c3*x and c4*y are exact. So |a - E| <= gamma_5(u) T.
//  3. The radius R = K*T, evaluated like a with every factor made non-negative:
//         R = k0*xx + (k1*yy + (k2*|xy| + (k3*|x| + (k4*|y| + k5)))),  k_i = K*|c_i|,
//     K = 2^-49 (a power of two: k_i is exact and not subnormal). k3*|x| and k4*|y| are
//     exact, the other products round when not fused; no term meets more than five
//     roundings, each downward by at most a factor 1/(1+u), so R >= K T/(1+u)^5. (A
//     cheaper S >= T such as (max(|c0|,|c1|) + |c2|/2)(x^2+y^2) + ... is far too wide where
//     one coordinate is near 0: |xy| << x^2+y^2, and orbits settling on the real axis fell
//     back at one step in twenty.)
//  4. The interval ends lo = fl(a - R), hi = fl(a + R) round too: fl(a - R) <= a - R +
//     u(|a| + R), and |a| <= (1 + gamma_5(u)) T. lo <= s_ref <= hi therefore holds when
//         (1 - u) R >= (gamma_5(u) + gamma_6(v) + u (1 + gamma_5(u))) T,
//     i.e. when K (1-u)/(1+u)^5 >= about 6.003u (about 12.0u where long double is double).
//     K = 2^-49 = 16u covers both with room to spare.
//  5. Rounding to float (round to nearest even, the reference's rounding too) is monotonic:
//     when float(lo) == float(hi), the reference's float(s_ref) is that same float. The
//     test compares values, so -0 and +0 pass as one; the sign of a zero never changes a
//     count (a signed zero only ever decides the sign of another zero: x + (+-0) = x for
//     every nonzero x, a zero factor makes a zero product, and the escape test squares).
//     Otherwise that lane's step is redone by the scalar extended-precision MapStep.
//  6. Overflow: an end beyond the float range rounds to infinity (the AVX targets) or
//     saturates at the largest float (Highway's portable demotion). Either way the new
//     point is at least 3.4e38 from the origin with a finite other coordinate, so it
//     escapes at once whichever of the two it is; the count is the same, the point is not
//     stepped again. The state therefore never holds an infinity or NaN while the vector
//     code steps it; start points that are not finite and maps whose coefficients are not
//     finite go to the scalar code whole.
//
// The escape test. The reference computes X = x*x + y*y of the stored floats in extended
// precision: both squares are exact (48 bits) and the sum rounds once, then X > 1e6. In
// double the squares are exact too and the sum e = fl53(E2) rounds once (E2 the exact sum).
// If e > 1e6, then e >= 1e6 + 2^-33 (the next double), so E2 >= 1e6 + 2^-34 (at least the
// midpoint that rounds up to it) and the extended sum, rounding monotonically onto a
// finer grid that holds 1e6 + 2^-34, is > 1e6: escaped. If e < 1e6, E2 <= 1e6 - 2^-34 and
// the extended sum is <= that: not escaped. Only e == 1e6 exactly is undecided; that
// lane's test is redone with the scalar Escaped.
//
// Periodicity (optional, exact): the float state fixes the rest of the orbit, so when the
// state after step k equals a state already met, the orbit cycles through states that have
// all passed the escape test (the start point, never tested itself, is then equal to a
// tested later state) and the pixel gets maxIter. Brent's scheme: the state after step
// 2^j is kept, and each later state is compared with it until step 2^(j+1). States are
// compared by value, so -0 and +0 meet as one, which is sound by the argument of 5.
//
// Layout: each thread runs NV independent vectors of lanes; a lane that finishes (escape,
// the limit, a cycle) is refilled at once from the thread's feed of pixels, so the lanes
// stay busy until the picture runs out.

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/RenderKernel.cpp"
#include <hwy/foreach_target.h>  // must come before highway.h
#include <hwy/highway.h>

#include <cmath>
#include <limits>

#include "engine/RenderKernel.h"

HWY_BEFORE_NAMESPACE();
namespace engine::detail {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

namespace {

constexpr std::size_t kMaxLanes = HWY_MAX_BYTES / sizeof(double);
// Independent vectors per thread: enough to hide the latency of one step's chain of
// multiply-adds and conversions, few enough to keep the state in registers. Measured best
// with AVX-512: three, and two when the periodicity state takes registers too.
constexpr int kVectors = 3;
constexpr int kVectorsCycles = 2;

template <int NV, bool Periodicity>
void RunLanes(RenderShared& s, WorkerTally& tally) {
  const hn::ScalableTag<double> d;
  const hn::Rebind<float, decltype(d)> df;
  using VD = hn::Vec<decltype(d)>;
  using MD = hn::Mask<decltype(d)>;
  const std::size_t N = hn::Lanes(d);

  const RenderJob& job = s.job;
  const int maxIter = job.maxIter;
  const VD c0 = hn::Set(d, s.coef[0]), c1 = hn::Set(d, s.coef[1]), c2 = hn::Set(d, s.coef[2]);
  const VD c3 = hn::Set(d, s.coef[3]), c4 = hn::Set(d, s.coef[4]), c5 = hn::Set(d, s.coef[5]);
  const VD c6 = hn::Set(d, s.coef[6]), c7 = hn::Set(d, s.coef[7]), c8 = hn::Set(d, s.coef[8]);
  const VD c9 = hn::Set(d, s.coef[9]), c10 = hn::Set(d, s.coef[10]), c11 = hn::Set(d, s.coef[11]);
  const VD rx0 = hn::Set(d, s.radius[0]), rx1 = hn::Set(d, s.radius[1]), rx2 = hn::Set(d, s.radius[2]);
  const VD rx3 = hn::Set(d, s.radius[3]), rx4 = hn::Set(d, s.radius[4]), rx5 = hn::Set(d, s.radius[5]);
  const VD ry0 = hn::Set(d, s.radius[6]), ry1 = hn::Set(d, s.radius[7]), ry2 = hn::Set(d, s.radius[8]);
  const VD ry3 = hn::Set(d, s.radius[9]), ry4 = hn::Set(d, s.radius[10]), ry5 = hn::Set(d, s.radius[11]);
  const VD bound = hn::Set(d, 1000000.0);
  const VD one = hn::Set(d, 1.0);
  const VD limit = hn::Set(d, static_cast<double>(maxIter));

  // Lane state, in memory between refills: the point, its squares, the steps taken, the
  // kept state and the step of the next keep (periodicity), whether the lane holds a pixel.
  struct Lanes {
    alignas(64) double x[kMaxLanes], y[kMaxLanes], xx[kMaxLanes], yy[kMaxLanes], r2[kMaxLanes];
    alignas(64) double cnt[kMaxLanes], sx[kMaxLanes], sy[kMaxLanes], keepAt[kMaxLanes];
    alignas(64) double alive[kMaxLanes];
    std::int64_t pixel[kMaxLanes];
  };
  Lanes lanes[NV];
  PixelFeed feed(s);
  bool feedDry = false;

  // Puts the next pixel of the feed into lane i of `l` (or marks the lane empty). Pixels
  // whose start point is not finite are worked in scalar code on the way.
  auto refill = [&](Lanes& l, std::size_t i) {
    std::int64_t index;
    Point p;
    while (!feedDry && feed.Next(index, p)) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
        Finish(s, tally, index, ContinueScalar(job.coef, maxIter, p, 0, tally.stats.scalarSteps));
        continue;
      }
      const double x = p.x, y = p.y;
      l.x[i] = x;
      l.y[i] = y;
      l.xx[i] = x * x;
      l.yy[i] = y * y;
      l.r2[i] = l.xx[i] + l.yy[i];
      l.cnt[i] = 0;
      l.sx[i] = x;
      l.sy[i] = y;
      l.keepAt[i] = 1;
      l.alive[i] = 1;
      l.pixel[i] = index;
      return;
    }
    feedDry = true;
    l.x[i] = l.y[i] = l.xx[i] = l.yy[i] = l.r2[i] = 0;
    l.cnt[i] = -1;  // never meets the limit
    l.sx[i] = l.sy[i] = std::numeric_limits<double>::quiet_NaN();  // never equals the state
    l.keepAt[i] = -1;
    l.alive[i] = 0;
    l.pixel[i] = -1;
  };

  VD x[NV], y[NV], xx[NV], yy[NV], r2[NV], cnt[NV], sx[NV], sy[NV], keepAt[NV];
  MD alive[NV];
  auto load = [&](int v) {
    const Lanes& l = lanes[v];
    x[v] = hn::Load(d, l.x);
    y[v] = hn::Load(d, l.y);
    xx[v] = hn::Load(d, l.xx);
    yy[v] = hn::Load(d, l.yy);
    r2[v] = hn::Load(d, l.r2);
    cnt[v] = hn::Load(d, l.cnt);
    if (Periodicity) {
      sx[v] = hn::Load(d, l.sx);
      sy[v] = hn::Load(d, l.sy);
      keepAt[v] = hn::Load(d, l.keepAt);
    }
    alive[v] = hn::Gt(hn::Load(d, l.alive), hn::Zero(d));
  };
  auto store = [&](int v) {
    Lanes& l = lanes[v];
    hn::Store(x[v], d, l.x);
    hn::Store(y[v], d, l.y);
    hn::Store(xx[v], d, l.xx);
    hn::Store(yy[v], d, l.yy);
    hn::Store(r2[v], d, l.r2);
    hn::Store(cnt[v], d, l.cnt);
    if (Periodicity) {
      hn::Store(sx[v], d, l.sx);
      hn::Store(sy[v], d, l.sy);
      hn::Store(keepAt[v], d, l.keepAt);
    }
  };

  int live[NV];  // lanes holding a pixel, per vector
  auto countLive = [&](int v) {
    live[v] = 0;
    for (std::size_t i = 0; i < N; ++i) live[v] += lanes[v].alive[i] != 0;
  };
  for (int v = 0; v < NV; ++v) {
    for (std::size_t i = 0; i < N; ++i) refill(lanes[v], i);
    load(v);
    countLive(v);
  }

  for (;;) {
    VD nx[NV], ny[NV];
    MD certain[NV];
#pragma GCC unroll 4
    for (int v = 0; v < NV; ++v) {
      const VD xy = hn::Mul(x[v], y[v]);
      const VD ax = hn::Abs(x[v]);
      const VD ay = hn::Abs(y[v]);
      const VD axy = hn::Abs(xy);
      // New x: the sum, its error radius, and the float each end of the interval rounds to.
      VD a = hn::MulAdd(c4, y[v], c5);
      a = hn::MulAdd(c3, x[v], a);
      a = hn::MulAdd(c2, xy, a);
      a = hn::MulAdd(c1, yy[v], a);
      a = hn::MulAdd(c0, xx[v], a);
      VD r = hn::MulAdd(rx4, ay, rx5);
      r = hn::MulAdd(rx3, ax, r);
      r = hn::MulAdd(rx2, axy, r);
      r = hn::MulAdd(rx1, yy[v], r);
      r = hn::MulAdd(rx0, xx[v], r);
      const VD alo = hn::PromoteTo(d, hn::DemoteTo(df, hn::Sub(a, r)));
      const VD ahi = hn::PromoteTo(d, hn::DemoteTo(df, hn::Add(a, r)));
      // New y, the same way with c6..c11.
      VD b = hn::MulAdd(c10, y[v], c11);
      b = hn::MulAdd(c9, x[v], b);
      b = hn::MulAdd(c8, xy, b);
      b = hn::MulAdd(c7, yy[v], b);
      b = hn::MulAdd(c6, xx[v], b);
      VD q = hn::MulAdd(ry4, ay, ry5);
      q = hn::MulAdd(ry3, ax, q);
      q = hn::MulAdd(ry2, axy, q);
      q = hn::MulAdd(ry1, yy[v], q);
      q = hn::MulAdd(ry0, xx[v], q);
      const VD blo = hn::PromoteTo(d, hn::DemoteTo(df, hn::Sub(b, q)));
      const VD bhi = hn::PromoteTo(d, hn::DemoteTo(df, hn::Add(b, q)));
      nx[v] = alo;
      ny[v] = blo;
      certain[v] = hn::And(hn::Eq(alo, ahi), hn::Eq(blo, bhi));
    }

#pragma GCC unroll 4
    for (int v = 0; v < NV; ++v) {
      if (HWY_UNLIKELY(!hn::AllTrue(d, hn::Or(certain[v], hn::Not(alive[v]))))) {
        // Redo the undecided lanes' step in extended precision.
        alignas(64) double ox[kMaxLanes], oy[kMaxLanes], tx[kMaxLanes], ty[kMaxLanes];
        alignas(64) std::uint8_t bits[8] = {};
        hn::Store(x[v], d, ox);
        hn::Store(y[v], d, oy);
        hn::Store(nx[v], d, tx);
        hn::Store(ny[v], d, ty);
        hn::StoreMaskBits(d, hn::AndNot(certain[v], alive[v]), bits);
        for (std::size_t i = 0; i < N; ++i) {
          if (!((bits[i / 8] >> (i % 8)) & 1)) continue;
          const Point p = MapStep(job.coef, Point{static_cast<float>(ox[i]), static_cast<float>(oy[i])});
          tx[i] = p.x;
          ty[i] = p.y;
          ++tally.stats.stepFallbacks;
        }
        nx[v] = hn::Load(d, tx);
        ny[v] = hn::Load(d, ty);
      }
    }

#pragma GCC unroll 4
    for (int v = 0; v < NV; ++v) {
      x[v] = nx[v];
      y[v] = ny[v];
      xx[v] = hn::Mul(nx[v], nx[v]);
      yy[v] = hn::Mul(ny[v], ny[v]);
      r2[v] = hn::Add(xx[v], yy[v]);
      cnt[v] = hn::Add(cnt[v], one);
      const MD escaped = hn::Gt(r2[v], bound);
      const MD edge = hn::Eq(r2[v], bound);
      MD stop = hn::Or(hn::Or(escaped, edge), hn::Eq(cnt[v], limit));
      MD cycle;
      if (Periodicity) {
        cycle = hn::And(hn::Eq(x[v], sx[v]), hn::Eq(y[v], sy[v]));
        stop = hn::Or(stop, cycle);
        const MD keep = hn::Eq(cnt[v], keepAt[v]);
        sx[v] = hn::IfThenElse(keep, x[v], sx[v]);
        sy[v] = hn::IfThenElse(keep, y[v], sy[v]);
        keepAt[v] = hn::IfThenElse(keep, hn::Add(keepAt[v], keepAt[v]), keepAt[v]);
      }
      if (HWY_LIKELY(hn::AllFalse(d, hn::And(stop, alive[v])))) continue;
      // Some lane ends: settle the undecided escape tests, finish and refill.
      alignas(64) std::uint8_t escBits[8] = {}, edgeBits[8] = {}, cycBits[8] = {};
      hn::StoreMaskBits(d, escaped, escBits);
      hn::StoreMaskBits(d, edge, edgeBits);
      if (Periodicity) hn::StoreMaskBits(d, cycle, cycBits);
      store(v);
      Lanes& l = lanes[v];
      for (std::size_t i = 0; i < N; ++i) {
        if (l.alive[i] == 0) continue;
        const auto bit = [&](const std::uint8_t* b) { return ((b[i / 8] >> (i % 8)) & 1) != 0; };
        bool out = bit(escBits);
        if (bit(edgeBits)) {
          out = Escaped(Point{static_cast<float>(l.x[i]), static_cast<float>(l.y[i])});
          ++tally.stats.escapeFallbacks;
        }
        const int steps = static_cast<int>(l.cnt[i]);
        int result;
        if (out) {
          result = steps - 1;
        } else if (steps == maxIter) {
          result = maxIter;
        } else if (Periodicity && bit(cycBits)) {
          result = maxIter;
          ++tally.stats.cyclesFound;
        } else {
          continue;
        }
        tally.stats.laneSteps += static_cast<std::uint64_t>(steps);
        Finish(s, tally, l.pixel[i], result);
        refill(l, i);
      }
      load(v);
      countLive(v);
    }
    int anyLive = 0;
    for (int v = 0; v < NV; ++v) anyLive += live[v];
    if (anyLive == 0) return;
  }
}

}  // namespace

void RunLanesHere(RenderShared& s, WorkerTally& tally) {
  if (s.periodicity) {
    RunLanes<kVectorsCycles, true>(s, tally);
  } else {
    RunLanes<kVectors, false>(s, tally);
  }
}

int LanesHere() { return static_cast<int>(hn::Lanes(hn::ScalableTag<double>())); }

std::int64_t TargetHere() { return HWY_TARGET; }

}  // namespace HWY_NAMESPACE
}  // namespace engine::detail
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace engine::detail {

HWY_EXPORT(RunLanesHere);
HWY_EXPORT(LanesHere);
HWY_EXPORT(TargetHere);

namespace {
// The table entry of one instruction set, found the way HWY_DYNAMIC_DISPATCH finds the
// best: a chosen-target mask holding just that set (and the portable fallback).
std::size_t TableIndex(std::int64_t instructionSet) {
  hwy::ChosenTarget chosen;
  chosen.Update(instructionSet & hwy::SupportedTargets());
  return chosen.GetIndex();
}
}  // namespace

void RunKernel(RenderShared& s, WorkerTally& tally, std::int64_t instructionSet) {
  if (instructionSet == 0) {
    HWY_DYNAMIC_DISPATCH(RunLanesHere)(s, tally);
  } else {
    HWY_DISPATCH_TABLE(RunLanesHere)[TableIndex(instructionSet)](s, tally);
  }
}

int KernelLanes(std::int64_t instructionSet) {
  if (instructionSet == 0) return HWY_DYNAMIC_DISPATCH(LanesHere)();
  return HWY_DISPATCH_TABLE(LanesHere)[TableIndex(instructionSet)]();
}

std::int64_t BestInstructionSet() { return HWY_DYNAMIC_DISPATCH(TargetHere)(); }

std::int64_t CompiledInstructionSets() { return HWY_TARGETS; }

}  // namespace engine::detail
#endif  // HWY_ONCE
