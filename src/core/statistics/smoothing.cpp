#include "core/statistics/smoothing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/base/text_codec.h"

namespace tavrel {

namespace {

bool IsPresent(double x, double emptyValue) { return x != emptyValue && std::isfinite(x); }

// Applies the passes of s that a run of values 0..last is long enough for.
void SmoothRun(Array<double>& run, std::int32_t last, const RunSmoothing& s) {
  if (s.by3 && Smoothable(last, 3)) (void)SmoothBy3(run, last, {});
  if (s.by5 && Smoothable(last, 5)) (void)SmoothBy5(run, last, {});
}

// Running extremes, the values that are not finite left out.
struct Extremes {
  double min = std::numeric_limits<double>::infinity();
  double max = -std::numeric_limits<double>::infinity();
  void Add(double x) {
    if (!std::isfinite(x)) return;
    min = std::min(min, x);
    max = std::max(max, x);
  }
};

// The sum the smoothing by kPoints divides at position i, added in its order.
template <int kPoints>
double WindowSum(const double* r, std::int32_t i) {
  if constexpr (kPoints == 3) return r[i - 1] + r[i] + r[i + 1];
  return r[i - 2] + r[i - 1] + r[i] + r[i + 1] + r[i + 2];
}

// Extremes of run r[0..last] smoothed by kPoints (last long enough for it).
// The ends go through the smoothing itself on the shortest run that holds
// them. Inside, a smoothed value is its window's sum divided by kPoints, and
// division by a positive number keeps the order: the extremes of the sums
// divided once are exactly the extremes of the values.
template <int kPoints>
void AddSmoothed(const double* r, std::int32_t last, Extremes& e) {
  constexpr std::int32_t kShortest = kPoints == 3 ? 7 : 11;
  constexpr std::int32_t kReach = kPoints / 2;
  const auto smooth = kPoints == 3 ? &SmoothBy3 : &SmoothBy5;
  Array<double> end(r, r + kShortest + 1);
  (void)smooth(end, kShortest, {});
  for (std::int32_t i = 0; i <= kReach; ++i) e.Add(end[i]);
  end.assign(r + last - kShortest, r + last + 1);
  (void)smooth(end, kShortest, {});
  for (std::int32_t i = kShortest - kReach + 1; i <= kShortest; ++i) e.Add(end[i]);

  const std::int32_t from = kReach + 1, to = last - kReach;
  // Two positions a step, each with extremes of its own, so that neither
  // waits for the other's comparison.
  double lo = std::numeric_limits<double>::infinity(), hi = -lo, lo2 = lo, hi2 = hi;
  std::int32_t i = from;
  for (; i < to; i += 2) {
    const double sum = WindowSum<kPoints>(r, i), sum2 = WindowSum<kPoints>(r, i + 1);
    lo = sum < lo ? sum : lo;
    hi = sum > hi ? sum : hi;
    lo2 = sum2 < lo2 ? sum2 : lo2;
    hi2 = sum2 > hi2 ? sum2 : hi2;
  }
  if (i == to) {
    const double sum = WindowSum<kPoints>(r, i);
    lo2 = sum < lo2 ? sum : lo2;
    hi2 = sum > hi2 ? sum : hi2;
  }
  lo = std::min(lo, lo2);
  hi = std::max(hi, hi2);
  if (std::isfinite(lo) && std::isfinite(hi)) {
    e.Add(lo / kPoints);
    e.Add(hi / kPoints);
    return;
  }
  // Sums beyond the doubles' range are left out one by one.
  for (std::int32_t i = from; i <= to; ++i) e.Add(WindowSum<kPoints>(r, i) / kPoints);
}

}  // namespace

std::string TooFewValuesMessage(int points, const std::string& name) {
  return "Ошибка сглаживания по " + std::to_string(points) + " точкам:  в " + std::string(TrimBlanks(name)) +
         " мало значений";
}

std::string SmoothBy3(Array<double>& values, std::int32_t last, const std::string& name) {
  if (!Smoothable(last, 3)) return TooFewValuesMessage(3, name);
  const Array<double>& v = values;
  const std::int32_t n = last;
  const double f = (5 * v[1] + 2 * v[2] - v[3]) / 6;
  const double l = (5 * v[n] + 2 * v[n - 1] - v[n - 2]) / 6;
  // In place: the value before i is kept as it was before it was smoothed.
  double before = v[1];
  for (std::int32_t i = 2; i <= n - 1; ++i) {
    const double here = v[i];
    values[i] = (before + here + v[i + 1]) / 3;
    before = here;
  }
  values[1] = f >= 0 ? f : values[2];
  values[n] = l >= 0 ? l : values[n - 1];
  return {};
}

std::string SmoothBy5(Array<double>& values, std::int32_t last, const std::string& name) {
  if (!Smoothable(last, 5)) return TooFewValuesMessage(5, name);
  const Array<double>& v = values;
  const std::int32_t n = last;
  const double e1 = (3 * v[1] + 2 * v[2] + v[3] - v[5]) / 5;
  const double e2 = (4 * v[1] + 3 * v[2] + 2 * v[3] + v[4]) / 10;
  const double e3 = (v[n - 3] + 2 * v[n - 2] + 3 * v[n - 1] + 4 * v[n]) / 10;
  const double e4 = (3 * v[n] + 2 * v[n - 1] + v[n - 2] - v[n - 4]) / 5;
  // In place: the two values before i are kept as they were before they were smoothed.
  double twoBefore = v[1], before = v[2];
  for (std::int32_t i = 3; i <= n - 2; ++i) {
    const double here = v[i];
    values[i] = (twoBefore + before + here + v[i + 1] + v[i + 2]) / 5;
    twoBefore = before;
    before = here;
  }
  values[2] = e2 >= 0 ? e2 : values[3];
  values[1] = e1 >= 0 ? e1 : e2;
  values[n - 1] = e3 >= 0 ? e3 : values[n - 2];
  values[n] = e4 >= 0 ? e4 : e3;
  return {};
}

std::string SmoothRuns(Array<double>& values, std::int32_t last, const std::string& name, double emptyValue,
                       int points) {
  const auto smooth = points == 3 ? &SmoothBy3 : &SmoothBy5;
  const auto present = [&](std::int32_t j) { return values[j] != emptyValue && std::isfinite(values[j]); };
  std::string refusal;
  bool smoothed = false;
  Array<double> run;
  for (std::int32_t from = 0; from <= last;) {
    if (!present(from)) {
      ++from;
      continue;
    }
    std::int32_t to = from;
    while (to < last && present(to + 1)) ++to;
    run.assign(values.begin() + from, values.begin() + to + 1);
    std::string message = smooth(run, to - from, name);
    if (message.empty()) {
      std::copy(run.begin(), run.end(), values.begin() + from);
      smoothed = true;
    } else if (refusal.empty()) {
      refusal = std::move(message);
    }
    from = to + 1;
  }
  if (smoothed) return {};
  return refusal.empty() ? smooth(run, -1, name) : refusal;
}

SmoothedExtremes ExtremesOf(const RunSmoothing& s) {
  SmoothedExtremes out;
  Extremes e;
  Array<double> smoothedBy3;  // a run on its way to the smoothing by 5
  const double* const values = s.values;
  const double empty = s.emptyValue;
  const double* const end = values + s.last + 1;
  for (const double* p = values; p < end;) {
    if (!IsPresent(*p, empty)) {
      ++p;
      continue;
    }
    // The run's end, and its extremes as loaded on the way.
    const double* q = p + 1;
    double lo = *p, hi = lo;
    for (; q < end; ++q) {
      const double x = *q;
      if (!IsPresent(x, empty)) break;
      lo = x < lo ? x : lo;
      hi = x > hi ? x : hi;
    }
    const auto from = static_cast<std::int32_t>(p - values), to = static_cast<std::int32_t>(q - values) - 1;
    p = q;
    const std::int32_t last = to - from;
    out.longestRun = std::max(out.longestRun, last);
    const double* run = values + from;
    const bool by3 = s.by3 && Smoothable(last, 3), by5 = s.by5 && Smoothable(last, 5);
    if (by3 && by5) {
      smoothedBy3.assign(run, run + last + 1);
      (void)SmoothBy3(smoothedBy3, last, {});
      AddSmoothed<5>(smoothedBy3.data(), last, e);
    } else if (by3) {
      AddSmoothed<3>(run, last, e);
    } else if (by5) {
      AddSmoothed<5>(run, last, e);
    } else {
      e.Add(lo);
      e.Add(hi);
    }
  }
  if (e.min <= e.max) {
    out.min = e.min;
    out.max = e.max;
  }
  return out;
}

void SmoothedStretch(const RunSmoothing& s, std::int32_t first, std::int32_t final, std::vector<double>& out) {
  out.assign(static_cast<std::size_t>(std::max(0, final - first + 1)), std::numeric_limits<double>::quiet_NaN());
  // A run reaching beyond the stretch read is smoothed as if it ended there:
  // that changes only values a few positions from where it was cut, well
  // inside the margin.
  constexpr std::int32_t kMargin = 16;
  const std::int32_t lo = std::max(0, first - kMargin), hi = std::min(s.last, final + kMargin);
  Array<double> run;
  for (std::int32_t from = lo; from <= hi;) {
    if (!IsPresent(s.values[from], s.emptyValue)) {
      ++from;
      continue;
    }
    std::int32_t to = from;
    while (to < hi && IsPresent(s.values[to + 1], s.emptyValue)) ++to;
    if (to >= first && from <= final) {
      run.assign(s.values + from, s.values + to + 1);
      SmoothRun(run, to - from, s);
      for (std::int32_t j = std::max(from, first); j <= std::min(to, final); ++j)
        out[static_cast<std::size_t>(j - first)] = run[j - from];
    }
    from = to + 1;
  }
}

}  // namespace tavrel
