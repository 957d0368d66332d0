#include "core/graphs/picture_layouts.h"

#include <algorithm>
#include <cmath>

#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/data/min_max.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/histogram.h"
#include "core/statistics/normality.h"
#include "core/statistics/pair_deletion.h"

namespace tavrel {

namespace {

// An axis label: 2 decimals right-aligned in 6 characters.
std::string AxisLabel(double value) { return FixedText(value, 6, 2); }

std::string Trimmed(const std::string& text) { return std::string(TrimBlanks(text)); }

// A statistic as the reports write it ("..." for a missing one), without blanks.
std::string StatisticText(double value, double empty) {
  return Trimmed(ValueText(value, empty, "..."));
}

}  // namespace

std::optional<int> PixelOf(double value) {
  // Far beyond any image, yet safely inside the integer range for the painter's arithmetic.
  constexpr double kReach = 1e7;
  if (!std::isfinite(value) || std::fabs(value) > kReach) return std::nullopt;
  return RoundInt(value);
}

DistributionLayout ComputeDistributionLayout(const Variable& variable, double empty, int width, int height) {
  DistributionLayout g;
  g.width = width;
  g.height = height;
  g.right = width - 60;
  g.bottom = height - 100;
  g.name = variable.name;
  const Array<double>& values = variable.values;
  const std::int32_t last = variable.last;
  if (last < 1) {
    g.refusal = kTooFewDataMessage;
    return g;
  }
  double mean = 0, sigma = 0;
  MeanSigma(values, last, empty, mean, sigma);
  if (sigma == 0) {
    g.refusal = kSigmaZeroMessage;
    return g;
  }
  double min = 0, max = 0;
  MinMax(values, last, empty, min, max);
  std::int32_t k = 0;
  double step = 0, start = 0;
  HistClasses(values, last, k, step, start);
  if (k <= 0) {
    g.refusal = kTooFewDataMessage;
    return g;
  }
  Array<double> observed(k), expected(k);
  const std::int32_t df = HistNormal(values, last, mean, sigma, k, step, start, observed, expected, false);
  if (df < 1) {
    g.refusal = kDegreesOfFreedomMessage + std::to_string(df);
    return g;
  }

  const double n = last + 1.0;
  const int plot = g.bottom - g.top - 10;
  // A plot narrower than its classes still steps one pixel per class.
  g.classWidth = std::max(1, (g.right - g.left - 10) / k);
  for (std::int32_t i = 0; i < k; ++i) {
    const int x = g.left + g.classWidth / 2 + i * g.classWidth;
    if (const auto y = PixelOf(observed[i] / n * plot)) g.empirical.push_back({x, g.bottom - *y - 1});
    if (const auto y = PixelOf(expected[i] / n * plot)) g.theoretical.push_back({x, g.bottom - 1 - *y});
  }
  const int u = plot / 5;
  for (int j = 0; j <= 5; ++j) g.yTicks.push_back({g.bottom - j * u - 1, std::to_string(20 * j) + "%"});
  int j = 0;
  for (int x = g.left; x < g.right; x += g.classWidth, ++j) g.xTicks.push_back({x, AxisLabel(min + step * j)});

  SkewExcessResult shape;
  SkewExcess(values, last, mean, sigma, empty, true, shape);
  Chi2Result fit;
  Chi2Normality(values, last, mean, sigma, empty, true, fit);
  const int l = g.left, b = g.bottom;
  const std::string lastTick = g.xTicks.empty() ? AxisLabel(min) : g.xTicks.back().label;
  g.statistics = {
      {l + 10, b + 30, "Асимметрия  = " + StatisticText(shape.as, empty) + ",  p" + shape.pAs},
      {l + 10, b + 50, "Эксцесс  = " + StatisticText(shape.ex, empty) + ",  p" + shape.pEx},
      {l + 10, b + 70, "Критерий Х2  = " + StatisticText(fit.chi2, empty) + ",  p" + fit.p},
      {l + 250, b + 30, "Интервал  = " + Trimmed(FixedText(min, 1, 2)) + " - " + Trimmed(lastTick)},
      {l + 250, b + 50, "Шаг  = " + Trimmed(AxisLabel(step))},
  };
  return g;
}

ScatterLayout ComputeScatterLayout(const Variable& x, const Variable& y, bool pairwiseMissing, bool pairwiseOutliers,
                                   double empty, std::string& note, int width, int height) {
  ScatterLayout g;
  g.width = width;
  g.height = height;
  g.right = width - 60;
  g.bottom = height - 60;
  g.xName = x.name;
  g.yName = y.name;
  // Only the pairs both variables have: a shorter variable ends the pairs.
  std::int32_t last = std::min(x.last, y.last);
  Array<double> xs, ys;
  if (last >= 0) {
    xs.assign(x.values.begin(), x.values.begin() + last + 1);
    ys.assign(y.values.begin(), y.values.begin() + last + 1);
  }
  if (pairwiseMissing && last >= 0) {
    DeletePairsEmpty(xs, ys, last, empty);
    NotePairDeletion(note, kMissingDeletedNote);
  }
  if (pairwiseOutliers && last >= 0) {
    DeletePairsOutliers(xs, ys, last, empty);
    NotePairDeletion(note, kOutliersDeletedNote);
  }
  if (last < 0) {
    g.refusal = kTooFewDataMessage;
    return g;
  }
  g.pairs = last + 1;
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  MinMax(xs, last, empty, minX, maxX);
  MinMax(ys, last, empty, minY, maxY);
  const int spanX = g.right - g.left - 20, spanY = g.bottom - g.top - 20;
  const double kX = maxX != minX ? spanX / (maxX - minX) : 0;
  const double kY = maxY != minY ? spanY / (maxY - minY) : 0;
  for (std::int32_t i = 0; i <= last; ++i) {
    const auto px = PixelOf((xs[i] - minX) * kX);
    const auto py = PixelOf((ys[i] - minY) * kY);
    if (!px || !py) {
      ++g.undrawable;
      continue;
    }
    g.points.push_back({g.left + *px + 10, g.bottom - *py - 10});
  }
  g.stepX = spanX / 5;
  g.stepY = spanY / 5;
  const double dX = (maxX - minX) / 5, dY = (maxY - minY) / 5;
  for (int i = 0; i <= 5; ++i) {
    g.xTicks.push_back({g.left + g.stepX * i + 10, AxisLabel(minX + dX * i)});
    g.yTicks.push_back({g.bottom - g.stepY * i - 10, AxisLabel(minY + dY * i)});
  }
  return g;
}

}  // namespace tavrel
