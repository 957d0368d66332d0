#include "core/statistics/descriptive.h"

#include <cmath>

#include "core/base/text_codec.h"

namespace tavrel {

namespace {

// The factor e of the outlier limits for a series of k values.
double OutlierFactor(std::int32_t k) {
  static const Array<double> kUpTo18 = {2.78, 2.62, 2.51, 2.43, 2.37, 2.33, 2.29,
                                        2.26, 2.24, 2.22, 2.2,  2.18, 2.17};  // k = 6 .. 18
  struct Band {
    std::int32_t upTo;
    double e;
  };
  static const Array<Band> kBands = {{20, 2.145}, {25, 2.105}, {30, 2.079}, {35, 2.061}, {40, 2.048},
                                     {45, 2.038}, {50, 2.03},  {60, 2.018}, {70, 2.009}, {80, 2.003},
                                     {90, 1.998}, {100, 1.994}};
  if (k <= 5) return 3.04;
  if (k <= 18) return kUpTo18[k - 6];
  for (const Band& b : kBands)
    if (k <= b.upTo) return b.e;
  return 1.96 + (1.994 - 1.96) * 100 / k;
}

// The values kept for an estimate, reused from call to call: a long series
// would otherwise cost a fresh allocation every time.
Array<double>& KeptValues() {
  thread_local Array<double> kept;
  kept.clear();
  return kept;
}

}  // namespace

namespace {

// std::nearbyint in the default rounding mode, halves to even, without the
// library call that the basic x86-64 instruction set needs for it: adding and
// taking away 2^52 leaves the whole number nearest to a smaller size.
double NearestWhole(double x) {
  constexpr double kTwo52 = 4503599627370496.0;
  if (!(std::fabs(x) < kTwo52)) return x;  // whole already, infinite or undefined
  return std::copysign(std::fabs(x) + kTwo52 - kTwo52, x);
}

}  // namespace

double RoundDecimals(double x, int d) {
  double f = 1;
  for (int i = 0; i < d; ++i) f *= 10;
  return NearestWhole(f * x) / f;
}

void MeanSigma(const Array<double>& values, std::int32_t last, double empty, double& mean, double& sigma) {
  if (last < 0) {
    mean = sigma = empty;
    return;
  }
  if (last == 0) {
    mean = sigma = values[0];
    return;
  }
  double sum = 0;
  for (std::int32_t i = 0; i <= last; ++i) sum += values[i];
  mean = sum / (last + 1);
  double squares = 0;
  for (std::int32_t i = 0; i <= last; ++i) {
    const double d = RoundDecimals(values[i] - mean, 4);
    squares += d * d;
  }
  const double s = squares / last;
  sigma = s > 0 ? std::sqrt(s) : 0;
}

void MeanSigmaNoEmpty(const Array<double>& values, std::int32_t last, double empty, double& mean, double& sigma) {
  if (last <= 0) {
    MeanSigma(values, last, empty, mean, sigma);
    return;
  }
  Array<double>& kept = KeptValues();
  for (std::int32_t i = 0; i <= last; ++i)
    if (values[i] != empty) kept.push_back(values[i]);
  if (kept.empty()) {
    mean = sigma = 0;
    return;
  }
  MeanSigma(kept, static_cast<std::int32_t>(kept.Count() - 1), empty, mean, sigma);
}

void MeanSigmaInLimits(const Array<double>& values, std::int32_t last, double empty, double& mean, double& sigma) {
  if (last <= 0) {
    MeanSigma(values, last, empty, mean, sigma);
    return;
  }
  double low = 0, high = 0;
  MeanSigma(values, last, empty, mean, sigma);
  OutlierLimits(last + 1, mean, sigma, empty, low, high);
  Array<double>& kept = KeptValues();
  for (std::int32_t i = 0; i <= last; ++i)
    if (values[i] >= low && values[i] <= high) kept.push_back(values[i]);
  MeanSigma(kept, static_cast<std::int32_t>(kept.Count() - 1), empty, mean, sigma);
}

void OutlierLimits(std::int32_t index, double mean, double sigma, double empty, double& low, double& high) {
  if (index < 0) {
    low = high = empty;
    return;
  }
  if (index == 0) {
    low = high = mean;
    return;
  }
  const std::int32_t k = index + 1;
  const double e = OutlierFactor(k);
  const double f = k < 30 ? std::sqrt(static_cast<double>(k + 1) / k) : 1.0;
  high = RoundDecimals(mean + e * sigma * f, 4);
  low = RoundDecimals(mean - e * sigma * f, 4);
}

void PadName(std::string& name) {
  if (Utf8Length(TrimBlanks(name)) < 8) name = AlignLeft(name, 8);
}

}  // namespace tavrel
