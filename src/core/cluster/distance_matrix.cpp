#include "cluster/distance_matrix.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "cluster/cluster_options.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "data/text_codec.h"
#include "statistics/min_max.h"

namespace tavrel {

DistanceMatrix::DistanceMatrix(std::int32_t n) : n_(n) {
  if (n < 0 || static_cast<long long>(n) * n > std::numeric_limits<std::int32_t>::max())
    throw OverflowError("Слишком много объектов: " + std::to_string(n));
  values_.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0.0);
}

void DistanceMatrix::MirrorUpper() {
  constexpr std::int32_t kBlock = 64;  // tiles that stay in the cache while the rows cross the columns
  for (std::int32_t k0 = 0; k0 < n_; k0 += kBlock)
    for (std::int32_t l0 = k0; l0 < n_; l0 += kBlock)
      for (std::int32_t k = k0; k < std::min(k0 + kBlock, n_); ++k)
        for (std::int32_t l = std::max(l0, k + 1); l < std::min(l0 + kBlock, n_); ++l)
          values_[Index(l, k)] = values_[Index(k, l)];
}

Features SelectedFeatures(std::int32_t lastObject) {
  const DataSet& d = Data();
  Features f;
  for (int v = 0; v <= d.LastVar; ++v) {
    f.names.push_back(d.VarNames[v]);
    const Array<double>& row = d.DataValues[v];
    Array<double> copy(static_cast<std::size_t>(lastObject + 1));
    for (std::int32_t k = 0; k <= lastObject; ++k) copy[k] = row[k];
    f.values.push_back(std::move(copy));
  }
  return f;
}

std::string StandardiseSelected(Features& features) {
  for (long long v = 0; v < features.values.Count(); ++v) {
    Array<double>& x = features.values[v];
    const long long n = x.Count();
    double sum = 0;
    for (long long k = 0; k < n; ++k) sum += x[k];
    const double mean = sum / static_cast<double>(n);
    double squares = 0;
    for (long long k = 0; k < n; ++k) squares += (x[k] - mean) * (x[k] - mean);
    const double s = std::sqrt(squares / static_cast<double>(n - 1));
    if (s == 0) return "Ошибка нормирования: " + std::string(TrimBlanks(features.names[v])) + " имеет @=0";
    for (long long k = 0; k < n; ++k) x[k] = (x[k] - mean) / s;
  }
  return {};
}

namespace {

// The values object by object ([object * features + feature]), the order the
// distance loops read them in.
Array<double> ByObject(const Features& f) {
  const long long count = f.values.Count();
  const long long n = f.Objects();
  Array<double> out(static_cast<std::size_t>(n * count));
  for (long long v = 0; v < count; ++v)
    for (long long k = 0; k < n; ++k) out[k * count + v] = f.values[v][k];
  return out;
}

}  // namespace

std::string BuildDistanceMatrix(Features features, int measure, DistanceMatrix& d,
                                const std::function<void()>& rowDone) {
  const long long count = features.values.Count();
  Array<double> ranges;
  if (measure == kEuclidean) {
    std::string error = StandardiseSelected(features);
    if (!error.empty()) return error;
  } else if (measure == kRangeCityBlock) {
    for (long long v = 0; v < count; ++v) {
      double min = 0, max = 0;
      MinMax(features.values[v], features.Objects() - 1, min, max);
      const double range = max - min;
      if (range == 0) return std::string(TrimBlanks(features.names[v])) + ": Расстояние нельзя рассчитать(max-min=0)";
      ranges.push_back(range);
    }
  } else if (measure != kHamming) {
    throw RangeError("Неизвестная мера расстояния " + std::to_string(measure));
  }
  const Array<double> x = ByObject(features);
  const std::int32_t n = features.Objects();
  d = DistanceMatrix(n);
  for (std::int32_t k = 0; k < n; ++k) {
    if (rowDone) rowDone();
    const long long a = k * count;
    for (std::int32_t l = k + 1; l < n; ++l) {
      const long long b = l * count;
      double sum = 0;
      for (long long v = 0; v < count; ++v) {
        const double xk = x[a + v];
        const double xl = x[b + v];
        if (measure == kEuclidean) {
          sum += (xk - xl) * (xk - xl);
        } else if (measure == kRangeCityBlock) {
          sum += std::fabs(xl - xk) / ranges[v];
        } else if (xk != xl) {
          sum += 1;
        }
      }
      d.SetUpper(k, l, measure == kEuclidean ? std::sqrt(sum) : sum);
    }
  }
  d.MirrorUpper();
  return {};
}

}  // namespace tavrel
