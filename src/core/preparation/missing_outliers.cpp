#include "core/preparation/missing_outliers.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "core/base/value_search.h"
#include "core/data/dataset.h"
#include "core/preparation/row_cut.h"
#include "core/statistics/descriptive.h"

namespace tavrel {

namespace {

struct Limits {
  double low = 0;
  double high = 0;
  bool Outside(double x) const { return x > high || x < low; }
};

// The outlier limits of variable v from its plain mean and deviation.
Limits PlainLimits(const DataSet& d, int v) {
  const std::int32_t last = d.VarCounts[v] - 1;
  double mean = 0, sigma = 0;
  Limits limits;
  MeanSigma(d.DataValues[v], last, d.EmptyValue, mean, sigma);
  OutlierLimits(last, mean, sigma, d.EmptyValue, limits.low, limits.high);
  return limits;
}

// Drops the values of variable v for which drop is true: the others move to
// the front in their order and the freed places get the missing-value code.
template <class Drop>
void CompactVariable(DataSet& d, int v, Drop drop) {
  Array<double>& row = d.DataValues[v];
  std::int32_t& count = d.VarCounts[v];
  std::int32_t w = 0;
  for (std::int32_t j = 0; j < count; ++j) {
    if (!drop(row[j])) row[w++] = row[j];
  }
  for (std::int32_t j = w; j < count; ++j) row[j] = d.EmptyValue;
  count = w;
}

// After single variables were shortened: the table is as long as the longest
// variable (those outside a narrowed set included, so none of them is cut).
void ShrinkToLongestVariable(DataSet& d) {
  std::int32_t longest = 0;
  for (int v = 0; v <= d.FullLastVar; ++v) longest = std::max(longest, d.VarCounts[v]);
  d.NumObs = std::max<std::int32_t>(longest, 1);
  d.LastObs = d.NumObs - 1;
  FitRowsToNumObs(d);
}

// The observations every variable in force has: the smallest count.
std::int32_t CommonLength(const DataSet& d) {
  std::int32_t n = d.NumObs;
  for (int v = 0; v <= d.LastVar; ++v) n = std::min(n, d.VarCounts[v]);
  return n;
}

// For each common observation, whether some variable in force holds a value
// for which hit(v, x) is true. Walks each variable's values in order.
template <class Hit>
std::vector<char> RowsWhereAny(const DataSet& d, Hit hit) {
  const std::int32_t n = CommonLength(d);
  std::vector<char> any(static_cast<std::size_t>(n), 0);
  for (int v = 0; v <= d.LastVar; ++v) {
    const Array<double>& row = d.DataValues[v];
    for (std::int32_t j = 0; j < n; ++j)
      if (hit(v, row[j])) any[static_cast<std::size_t>(j)] = 1;
  }
  return any;
}

// Keeps the flagged common observations for every variable; does nothing
// when every observation of the table stays.
void KeepFlaggedRows(DataSet& d, const std::vector<char>& keep) {
  if (std::count(keep.begin(), keep.end(), 1) != d.NumObs) KeepRows(d, keep);
}

std::vector<char> Inverted(std::vector<char> flags) {
  for (char& f : flags) f = f ? 0 : 1;
  return flags;
}

std::vector<Limits> LimitsInForce(const DataSet& d) {
  std::vector<Limits> limits;
  for (int v = 0; v <= d.LastVar; ++v) limits.push_back(PlainLimits(d, v));
  return limits;
}

std::vector<char> RowsWithOutliers(const DataSet& d) {
  const std::vector<Limits> limits = LimitsInForce(d);
  return RowsWhereAny(d, [&limits](int v, double x) { return limits[static_cast<std::size_t>(v)].Outside(x); });
}

void AddNote(DataSet& d, const char* note) { d.ProcessingNote += note; }

// Whether some of the count values x[0..count) lies outside the limits.
bool AnyOutside(const double* x, std::int32_t count, const Limits& limits) {
  const DoublePair low = BothOf(limits.low), high = BothOf(limits.high);
  return AnyValue(x, static_cast<std::size_t>(count), [&](DoublePair v) { return (v > high) | (v < low); });
}

// A series's mean and deviation as MeanSigma finds them, but summed in any
// order and without rounding each deviation, and its extremes: two passes
// at the speed of reading the values, against two that wait on every sum.
struct QuickSeries {
  double mean = 0;
  double sigma = 0;
  double meanSize = 0;  // the mean of the values' sizes
  double min = 0;
  double max = 0;
};

// Lengthwise sums of pairs of values, four pairs side by side.
double Total(const DoublePair (&parts)[4]) {
  const DoublePair sum = (parts[0] + parts[1]) + (parts[2] + parts[3]);
  return sum[0] + sum[1];
}

QuickSeries QuickLook(const double* x, std::int32_t count) {
  constexpr std::int32_t kStep = 8;
  const std::int32_t whole = count / kStep * kStep;
  DoublePair sum[4] = {}, size[4] = {};
  for (std::int32_t i = 0; i < whole; i += kStep) {
    for (int k = 0; k < 4; ++k) {
      DoublePair v;
      std::memcpy(&v, x + i + 2 * k, sizeof v);
      sum[k] += v;
      size[k] += v < 0 ? -v : v;
    }
  }
  double total = Total(sum), sizes = Total(size);
  for (std::int32_t i = whole; i < count; ++i) {
    total += x[i];
    sizes += std::fabs(x[i]);
  }
  QuickSeries q;
  q.mean = total / count;
  q.meanSize = sizes / count;
  const DoublePair mean = BothOf(q.mean);
  DoublePair squares[4] = {}, lo = BothOf(x[0]), hi = BothOf(x[0]);
  for (std::int32_t i = 0; i < whole; i += kStep) {
    for (int k = 0; k < 4; ++k) {
      DoublePair v;
      std::memcpy(&v, x + i + 2 * k, sizeof v);
      const DoublePair dev = v - mean;
      squares[k] += dev * dev;
      lo = v < lo ? v : lo;
      hi = v > hi ? v : hi;
    }
  }
  double sum2 = Total(squares);
  q.min = std::min(lo[0], lo[1]);
  q.max = std::max(hi[0], hi[1]);
  for (std::int32_t i = whole; i < count; ++i) {
    const double dev = x[i] - q.mean;
    sum2 += dev * dev;
    q.min = std::min(q.min, x[i]);
    q.max = std::max(q.max, x[i]);
  }
  q.sigma = std::sqrt(sum2 / (count - 1));
  return q;
}

}  // namespace

void MissingToMean(DataSet& d) {
  const double empty = d.EmptyValue;
  for (int v = 0; v <= d.LastVar; ++v) {
    const std::int32_t count = d.VarCounts[v];
    Array<double>& row = d.DataValues[v];
    bool present = false;
    for (std::int32_t j = 0; j < count && !present; ++j) present = row[j] != empty;
    if (!present) continue;
    double mean = 0, sigma = 0;
    MeanSigmaNoEmpty(row, count - 1, empty, mean, sigma);
    for (std::int32_t j = 0; j < count; ++j)
      if (row[j] == empty) row[j] = mean;
  }
  AddNote(d, kNoteMissingToMean);
}

void DeleteMissing(DataSet& d) {
  const double empty = d.EmptyValue;
  for (int v = 0; v <= d.LastVar; ++v) CompactVariable(d, v, [empty](double x) { return x == empty; });
  ShrinkToLongestVariable(d);
  d.HasMissing = false;
  AddNote(d, kNoteMissingDeleted);
}

void DeleteMissingRows(DataSet& d) {
  const double empty = d.EmptyValue;
  KeepFlaggedRows(d, Inverted(RowsWhereAny(d, [empty](int, double x) { return x == empty; })));
  d.HasMissing = HasMissingValues(d);
  AddNote(d, kNoteMissingRowsDeleted);
}

void OutliersToMean(DataSet& d) {
  for (int v = 0; v <= d.LastVar; ++v) {
    const std::int32_t last = d.VarCounts[v] - 1;
    if (last < 0) continue;
    Array<double>& row = d.DataValues[v];
    double mean = 0, sigma = 0;
    MeanSigmaInLimits(row, last, d.EmptyValue, mean, sigma);
    Limits limits;
    OutlierLimits(last, mean, sigma, d.EmptyValue, limits.low, limits.high);
    for (std::int32_t j = 0; j <= last; ++j)
      if (limits.Outside(row[j])) row[j] = mean;
  }
  AddNote(d, kNoteOutliersToMean);
}

void DeleteOutliers(DataSet& d) {
  for (int v = 0; v <= d.LastVar; ++v) {
    const Limits limits = PlainLimits(d, v);
    CompactVariable(d, v, [&limits](double x) { return limits.Outside(x); });
  }
  ShrinkToLongestVariable(d);
  AddNote(d, kNoteOutliersDeleted);
}

void DeleteOutlierRows(DataSet& d) {
  KeepFlaggedRows(d, Inverted(RowsWithOutliers(d)));
  AddNote(d, kNoteOutlierRowsDeleted);
}

void KeepOutliers(DataSet& d) {
  for (int v = 0; v <= d.LastVar; ++v) {
    const Limits limits = PlainLimits(d, v);
    CompactVariable(d, v, [&limits](double x) { return !limits.Outside(x); });
  }
  bool any = false;
  for (int v = 0; v <= d.FullLastVar && !any; ++v) any = d.VarCounts[v] > 0;
  if (!any) {
    // Nothing left anywhere: one observation of the missing-value code.
    for (int v = 0; v <= d.FullLastVar; ++v) {
      d.DataValues[v].assign(1, d.EmptyValue);
      d.VarCounts[v] = 1;
    }
  }
  ShrinkToLongestVariable(d);
  AddNote(d, kNoteOutliersKept);
}

void KeepOutlierRows(DataSet& d) {
  KeepFlaggedRows(d, RowsWithOutliers(d));
  AddNote(d, kNoteOutlierRowsKept);
}

bool VariableHasOutliers(const DataSet& d, int v) {
  const std::int32_t count = d.VarCounts[v];
  if (count <= 0) return false;
  const Array<double>& row = d.DataValues[v];
  static_cast<void>(row[count - 1]);  // the whole range lies in the array
  const double* x = row.data();
  // A long series is first looked at quickly. Its quick limits differ from the
  // exact ones by less than the margin: rounding each deviation to 4 decimals
  // moves the deviation by at most 0.00013 (by the root of 0.0001 times it
  // when it is small), the limits lie 2.03 deviations or less from the mean
  // for 64 values and more, and each set of limits is rounded to 4 decimals:
  // 0.00037 in all. The sums, in whatever order, are off by less than the
  // count times 2^-53 of the values' sizes, which the second term covers six
  // times over. When the extremes lie clearly inside the quick limits, or one
  // clearly outside, that settles it; otherwise the exact limits do.
  constexpr std::int32_t kQuickFrom = 64;
  if (count >= kQuickFrom) {
    const QuickSeries q = QuickLook(x, count);
    if (std::isfinite(q.mean) && std::isfinite(q.sigma) && std::isfinite(q.meanSize)) {
      Limits quick;
      OutlierLimits(count - 1, q.mean, q.sigma, d.EmptyValue, quick.low, quick.high);
      const double margin = 0.001 + (1e-8 + 1e-15 * count) * (q.meanSize + 4 * q.sigma);
      if (q.min >= quick.low + margin && q.max <= quick.high - margin) return false;
      if (q.min < quick.low - margin || q.max > quick.high + margin) return true;
    }
  }
  return AnyOutside(x, count, PlainLimits(d, v));
}

bool HasOutliers(const DataSet& d) {
  return AnyVariable(d, [&d](int v) { return VariableHasOutliers(d, v); });
}

}  // namespace tavrel
