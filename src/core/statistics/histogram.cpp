#include "core/statistics/histogram.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/base/numbers.h"

namespace tavrel {

namespace {

// The smallest expected count an end class may keep.
double MinimumExpected(std::int32_t last, std::int32_t df) {
  if (last < 51) return (last < 40 || df < 8) ? 4 : 1;
  if (df >= 6) return 0.5;
  if (df >= 3) return 1;
  if (df == 2) return 2;
  return 4;
}

constexpr double kDeleted = -99999;

// observed[i] := how many of values 0..last lie in class i, above its lower
// bound start + i * width and up to its upper one, that plus width. One pass
// over the values: each is tried against the classes about where it falls
// (the bounds are rounded, so a value may belong to two classes or to none,
// and only the bounds themselves decide). Where the classes are too narrow
// for where they lie to be worked out that way, each class counts its own.
void CountClasses(const Array<double>& values, std::int32_t last, std::int32_t k, double width, double start,
                  Array<double>& observed) {
  if (k <= 0) return;
  std::vector<double> lo(static_cast<std::size_t>(k)), hi(static_cast<std::size_t>(k));
  for (std::int32_t i = 0; i < k; ++i) {
    lo[static_cast<std::size_t>(i)] = start + i * width;
    hi[static_cast<std::size_t>(i)] = lo[static_cast<std::size_t>(i)] + width;
  }
  std::vector<std::int32_t> counts(static_cast<std::size_t>(k), 0);
  const auto inClass = [&](double v, std::int32_t i) {
    return v > lo[static_cast<std::size_t>(i)] && v <= hi[static_cast<std::size_t>(i)];
  };
  const bool placeable = width > 0 && std::isfinite(start) && std::fabs(start) + k * width < width * 0x1p40;
  if (last >= 0) static_cast<void>(values[last]);  // the whole range lies in the array
  const double* x = values.data();
  for (std::int32_t j = 0; j <= last; ++j) {
    const double v = x[j];
    std::int32_t from = 0, to = k - 1;  // the classes v is tried against
    if (placeable) {
      // Rounding moves a value's place by far less than a class.
      const double place = (v - start) / width;
      if (!(place > -2 && place < k + 1)) continue;  // outside every class, or undefined
      const auto c = static_cast<std::int32_t>(std::floor(place));
      from = std::max(0, c - 1);
      to = std::min(k - 1, c + 1);
    }
    for (std::int32_t i = from; i <= to; ++i) counts[static_cast<std::size_t>(i)] += inClass(v, i);
  }
  for (std::int32_t i = 0; i < k; ++i) observed[i] = counts[static_cast<std::size_t>(i)];
}

}  // namespace

void HistClasses(const Array<double>& values, std::int32_t last, std::int32_t& k, double& width, double& start) {
  k = last < 1 ? 0 : RoundInt(5 * std::log10(static_cast<double>(last)));
  if (k == 0) return;
  double smallest = values[0], largest = values[0];
  for (std::int32_t i = 1; i <= last; ++i) {
    if (values[i] < smallest) smallest = values[i];
    if (values[i] > largest) largest = values[i];
  }
  width = (largest - smallest) * 1.02 / k;
  start = smallest - 0.01 * width;
}

std::int32_t HistNormal(const Array<double>& values, std::int32_t last, double mean, double sigma, std::int32_t& k,
                        double width, double& start, Array<double>& observed, Array<double>& expected, bool merge) {
  const double factor = (last + 1) * width / sigma;
  const double density = 1 / std::sqrt(2 * std::numbers::pi);
  CountClasses(values, last, k, width, start, observed);
  for (std::int32_t i = 0; i < k; ++i) {
    const double lo = start + i * width;
    const double hi = lo + width;
    const double u = ((lo + hi) / 2 - mean) / sigma;
    expected[i] = factor * std::exp(-u * u / 2) * density;
  }
  if (merge) MergeSmallClasses(k, last, k - 3, start, width, expected, observed);
  return k - 3;
}

void MergeSmallClasses(std::int32_t& k, std::int32_t last, std::int32_t df, double& start, double width,
                       Array<double>& expected, Array<double>& observed) {
  if (k <= 0) return;
  const double e = MinimumExpected(last, df);
  if (expected[0] >= e && expected[k - 1] >= e) return;
  std::int32_t first = 0;
  while (first < k - 1 && expected[first] < e) {
    expected[first + 1] += expected[first];
    observed[first + 1] += observed[first];
    expected[first] = observed[first] = kDeleted;
    start += width;
    ++first;
  }
  // From the right the merging stops at the second class, or at the first one kept.
  const std::int32_t lowest = first > 1 ? first : 1;
  std::int32_t lastKept = k - 1;
  while (lastKept > lowest && expected[lastKept] < e) {
    expected[lastKept - 1] += expected[lastKept];
    observed[lastKept - 1] += observed[lastKept];
    expected[lastKept] = observed[lastKept] = kDeleted;
    --lastKept;
  }
  std::int32_t kept = 0;
  for (std::int32_t i = 0; i < k; ++i) {
    if (expected[i] == kDeleted) continue;
    expected[kept] = expected[i];
    observed[kept] = observed[i];
    ++kept;
  }
  k = kept;
}

}  // namespace tavrel
