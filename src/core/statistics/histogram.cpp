#include "core/statistics/histogram.h"

#include <cmath>
#include <numbers>

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
  for (std::int32_t i = 0; i < k; ++i) {
    const double lo = start + i * width;
    const double hi = lo + width;
    std::int32_t count = 0;
    for (std::int32_t j = 0; j <= last; ++j)
      if (values[j] > lo && values[j] <= hi) ++count;
    observed[i] = count;
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
