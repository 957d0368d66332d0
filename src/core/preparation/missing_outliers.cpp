#include "core/preparation/missing_outliers.h"

#include <algorithm>
#include <vector>

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

bool HasOutliers(const DataSet& d) {
  return AnyVariable(d, [&d](int v) {
    const Limits limits = PlainLimits(d, v);
    const Array<double>& row = d.DataValues[v];
    for (std::int32_t j = 0; j < d.VarCounts[v]; ++j)
      if (limits.Outside(row[j])) return true;
    return false;
  });
}

}  // namespace tavrel
