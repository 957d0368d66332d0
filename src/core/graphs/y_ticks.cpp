#include "core/graphs/y_ticks.h"

#include <cmath>

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/data/dataset.h"

namespace tavrel {

double TickRange(double min, double max, bool zeroY) {
  if (!zeroY) return std::fabs(max - min);
  return max < 0 ? std::fabs(min) : max;
}

namespace {

// The first candidate tick: 0, or the first multiple of step strictly below a negative min.
double StartTick(double min, double step) { return min < 0 ? (std::ceil(min / step) - 1) * step : 0.0; }

// Ticks from the start candidate while they stay within max + step; false when
// more than a band may hold would be needed.
bool TryTicks(double min, double max, double step, bool zeroY, std::vector<double>& out) {
  out.clear();
  const double start = StartTick(min, step);
  if (-start / step > kMaxYTicks) return false;
  // Without zeroY the ticks begin at the largest multiple of step not above min.
  double first = 0;
  if (!zeroY && min >= start + step) first = std::floor((min - start) / step);
  // Counting in whole steps needs counts a double holds exactly, one more
  // included (a step of 0.1 cannot count up to 1e300); a wider step is tried instead.
  if (first >= 0x1p52) return false;
  while (first > 0 && !(min < start + first * step + step)) ++first;
  while (first > 0 && min < start + (first - 1) * step + step) --first;
  // Ticks are multiples of step computed afresh, so a tick meant to lie one
  // step above max may exceed it by a rounding error only.
  const double limit = max + step + std::fabs(step) * 1e-9;
  for (double i = first;; ++i) {
    const double candidate = start + i * step;
    if (!(candidate <= limit)) return true;
    if (static_cast<int>(out.size()) == kMaxYTicks) return false;
    out.push_back(candidate);
  }
}

}  // namespace

YTicks ComputeTicks(double min, double max, double step, int pixelStep, bool zeroY) {
  YTicks t;
  if (!(step > 0) || !std::isfinite(step)) step = NiceStep(TickRange(min, max, zeroY));
  // Each widening doubles the step; a few thousand reach any finite range.
  for (int widen = 0; widen < 4096 && std::isfinite(step); ++widen, step *= 2) {
    if (TryTicks(min, max, step, zeroY, t.values)) break;
  }
  if (!std::isfinite(step) || t.values.empty()) {
    // Values so near the largest doubles that a step above them is no number.
    throw RangeError("Значения от " + FloatText(min) + " до " + FloatText(max) + " не помещаются на шкалу графика");
  }
  t.step = step;
  t.scale = pixelStep / step;
  t.height = pixelStep * static_cast<int>(t.values.size());
  return t;
}

}  // namespace tavrel
