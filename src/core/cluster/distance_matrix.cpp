#include "core/cluster/distance_matrix.h"

#include <sys/mman.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <utility>

#include "core/base/errors.h"
#include "core/base/ordered_parallel.h"
#include "core/base/text_codec.h"
#include "core/cluster/cluster_options.h"
#include "core/data/dataset.h"
#include "core/data/min_max.h"

namespace tavrel {

DistanceMatrix::DistanceMatrix(std::int32_t n) : n_(n) {
  if (n < 0 || static_cast<long long>(n) * n > std::numeric_limits<std::int32_t>::max())
    throw OverflowError("Слишком много объектов: " + std::to_string(n));
  if (n == 0) return;
  // A large block comes straight from the system, already zeroed, so nothing
  // has to be written before the distances themselves. Huge pages spare the
  // tens of thousands of page faults a full-size matrix would otherwise take.
  const std::size_t bytes = static_cast<std::size_t>(n) * static_cast<std::size_t>(n) * sizeof(double);
  values_ = static_cast<double*>(std::calloc(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), sizeof(double)));
  if (!values_) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t kHugePage = std::uintptr_t{1} << 21;
  const auto begin = (reinterpret_cast<std::uintptr_t>(values_) + kHugePage - 1) & ~(kHugePage - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(values_) + bytes) & ~(kHugePage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);  // only advice
#endif
}

DistanceMatrix::~DistanceMatrix() { std::free(values_); }

void DistanceMatrix::MirrorRows(std::int32_t from, std::int32_t to) {
  if (from < 0 || from > to || to > n_) ThrowIndexError(from < 0 || from > to ? from : to, static_cast<std::size_t>(n_));
  double* const d = values_;
  const long long n = n_;
  // Row by row below row from: each takes a short run of entries, one from
  // each of the rows, which stay in the cache while they are read across.
  for (long long l = from + 1; l < n; ++l) {
    double* const out = d + l * n;
    const long long last = std::min<long long>(to, l);
    for (long long k = from; k < last; ++k) out[k] = d[k * n + l];
  }
}

Features SelectedFeatures(const DataSet& d, std::int32_t lastObject) {
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

// Sums each feature's part of the distance from object k to every object
// after it, feature by feature in order, into row[k + 1..n - 1], and puts
// each sum through finish; the sums come out exactly as a pair-by-pair loop
// over the features would form them. A run of objects is summed at a time,
// so that its sums stay in registers until they are written.
template <class Part, class Finish>
void FillRow(const Array<const double*>& x, std::int32_t n, std::int32_t k, double* row, Part part, Finish finish) {
  constexpr std::int32_t kRun = 4;
  const long long count = x.Count();
  const double* const* const column = x.data();
  std::int32_t l = k + 1;
  for (; l + 2 * kRun <= n; l += 2 * kRun) {
    double sum[kRun] = {}, next[kRun] = {};  // two runs, to keep more additions under way
    for (long long v = 0; v < count; ++v) {
      const double xk = column[v][k];
      const double* const xl = column[v] + l;
      for (std::int32_t t = 0; t < kRun; ++t) sum[t] = sum[t] + part(v, xk, xl[t]);
      for (std::int32_t t = 0; t < kRun; ++t) next[t] = next[t] + part(v, xk, xl[kRun + t]);
    }
    for (std::int32_t t = 0; t < kRun; ++t) row[l + t] = finish(sum[t]);
    for (std::int32_t t = 0; t < kRun; ++t) row[l + kRun + t] = finish(next[t]);
  }
  for (; l < n; ++l) {
    double sum = 0;
    for (long long v = 0; v < count; ++v) sum = sum + part(v, column[v][k], column[v][l]);
    row[l] = finish(sum);
  }
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
      // Without objects both extremes are the same code, so the range is 0 whatever the code is.
      MinMax(features.values[v], features.Objects() - 1, 0, min, max);
      const double range = max - min;
      if (range == 0) return std::string(TrimBlanks(features.names[v])) + ": Расстояние нельзя рассчитать(max-min=0)";
      ranges.push_back(range);
    }
  } else if (measure != kHamming) {
    throw RangeError("Неизвестная мера расстояния " + std::to_string(measure));
  }
  for (const Array<double>& x : features.values)
    if (x.Count() != features.Objects()) throw RangeError("Признаки разной длины");
  const std::int32_t n = features.Objects();
  d = DistanceMatrix(n);
  // Rows in blocks, two at a time: the blocks share few of the large pages
  // the system clears as they are first written. Each block is mirrored
  // while it is still in the cache.
  constexpr std::int32_t kBlock = 32;
  const auto block = [n](long long b) {
    return std::pair<std::int32_t, std::int32_t>(static_cast<std::int32_t>(b * kBlock),
                                                 static_cast<std::int32_t>(std::min<long long>(n, (b + 1) * kBlock)));
  };
  Array<const double*> columns;
  for (const Array<double>& x : features.values) columns.push_back(x.data());
  const auto fill = [&](int, long long b) {
    for (std::int32_t k = block(b).first; k < block(b).second; ++k) {
      double* row = d.Row(k);
      if (measure == kEuclidean) {
        FillRow(
            columns, n, k, row, [](long long, double xk, double xl) { return (xk - xl) * (xk - xl); },
            [](double sum) { return std::sqrt(sum); });
      } else if (measure == kRangeCityBlock) {
        const double* range = ranges.data();
        FillRow(
            columns, n, k, row, [range](long long v, double xk, double xl) { return std::fabs(xl - xk) / range[v]; },
            [](double sum) { return sum; });
      } else {
        FillRow(
            columns, n, k, row, [](long long, double xk, double xl) { return xk != xl ? 1.0 : 0.0; },
            [](double sum) { return sum; });
      }
    }
    d.MirrorRows(block(b).first, block(b).second);
  };
  ForEachInOrder((n + kBlock - 1) / kBlock, fill, [&](long long b) {
    for (std::int32_t k = block(b).first; k < block(b).second; ++k)
      if (rowDone) rowDone();
  });
  return {};
}

}  // namespace tavrel
