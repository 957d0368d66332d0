#include "core/data/dataset.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <utility>
#include <vector>

#include "core/base/value_search.h"
#include "core/data/data_file_lines.h"
#include "core/data/min_max.h"
#include "core/shell/settings.h"

namespace tavrel {

Variable GetVariable(const DataSet& d, int v) {
  Variable out;
  out.name = d.VarNames[v];
  out.last = d.VarCounts[v] - 1;
  const Array<double>& row = d.DataValues[v];
  if (out.last >= row.Count()) throw RangeError("Число значений переменной больше длины строки данных");
  if (out.last >= 0) out.values.assign(row.begin(), row.begin() + (out.last + 1));
  return out;
}

double NiceStep(double range) {
  static constexpr std::pair<double, double> kSteps[] = {
      {1, 0.1},       {5, 0.5},       {10, 1},        {20, 2},        {50, 5},       {100, 10},
      {150, 15},      {200, 20},      {500, 50},      {1000, 100},    {1500, 150},   {2000, 200},
      {2500, 250},    {5000, 500},    {10000, 1000},  {20000, 2000},  {25000, 2500}, {50000, 5000},
      {100000, 10000}, {150000, 15000}};
  for (const auto& [bound, step] : kSteps)
    if (range < bound) return step;
  return 50000;
}

namespace {

// The number of steps ComputeVarSteps keeps.
std::size_t StepCount(const DataSet& d) {
  return static_cast<std::size_t>(std::min<long long>(std::max(d.FullLastVar, 0) + 1, d.DataValues.Count()));
}

// Variable v's step from its extremes, unless the settings leave the steps as they are.
void SetVarStep(DataSet& d, const Settings& s, int v, double min, double max) {
  double r;
  if (s.ZeroY) {
    r = max;
    if (r < 0) r = std::fabs(min);
  } else {
    r = std::fabs(max - min);
  }
  if (s.YScaleType == 0) {
    d.VarSteps[v] = NiceStep(r);
  } else if (s.YScaleType == 1) {
    d.VarSteps[v] = s.StepY * r / 100;
  }
}

}  // namespace

void ComputeVarSteps(DataSet& d, const Settings& s) {
  if (d.FullLastVar > d.DataValues.Count() - 1) d.FullLastVar = static_cast<int>(d.DataValues.Count() - 1);
  if (d.FullLastVar < 0) d.FullLastVar = 0;
  d.VarSteps.resize(StepCount(d), 0.0);
  // The variables' extremes, a large table's on every core.
  std::vector<std::pair<double, double>> extremes(static_cast<std::size_t>(d.VarSteps.Count()));
  ForEachVariable(d, static_cast<int>(d.VarSteps.Count()), [&](int v) {
    auto& [min, max] = extremes[static_cast<std::size_t>(v)];
    MinMaxNoEmpty(d.DataValues[v], d.VarCounts[v] - 1, d.EmptyValue, min, max);
  });
  for (int i = 0; i < d.VarSteps.Count(); ++i) {
    const auto [min, max] = extremes[static_cast<std::size_t>(i)];
    SetVarStep(d, s, i, min, max);
  }
}

void ComputeVarStepsOf(DataSet& d, const Settings& s, const std::vector<int>& variables) {
  if (d.FullLastVar < 0 || d.FullLastVar >= d.DataValues.Count() || d.VarSteps.size() != StepCount(d)) {
    ComputeVarSteps(d, s);
    return;
  }
  for (const int v : variables) {
    if (v < 0 || v >= d.VarSteps.Count()) continue;
    double min = 0, max = 0;
    MinMaxNoEmpty(d.DataValues[v], d.VarCounts[v] - 1, d.EmptyValue, min, max);
    SetVarStep(d, s, v, min, max);
  }
}

namespace {

// A variable holds data when some value that is not missing differs from 0.
bool HoldsData(const DataSet& d, int v) {
  const double empty = d.EmptyValue;
  const Array<double>& row = d.DataValues[v];
  for (std::int32_t k = 0; k < d.VarCounts[v]; ++k) {
    const double x = row[k];
    if (x != empty && x != 0) return true;
  }
  return false;
}

}  // namespace

bool RemoveEmptyVars(DataSet& d) {
  // Which variables are empty is settled first: that is where a failure can
  // come from, and the data set is still untouched then.
  if (d.LastVar >= d.DataValues.Count() || d.LastVar >= d.VarNames.Count()) return false;
  std::vector<bool> empty;
  try {
    for (int v = 0; v <= d.LastVar; ++v) empty.push_back(!HoldsData(d, v));
  } catch (const TavrelError&) {
    return false;
  }
  // Variables outside a narrowed set (beyond LastVar up to FullLastVar) move
  // down with the others, so that removing an empty variable never loses them.
  const int whole = std::max(d.LastVar, std::min<int>(d.FullLastVar, static_cast<int>(d.DataValues.Count()) - 1));
  int i = d.LastVar;
  int last = whole;
  int j = 0;
  int removed = 0;
  while (j <= i && i > 0) {
    if (empty[static_cast<std::size_t>(j)]) {
      for (int m = j + 1; m <= last; ++m) {
        d.DataValues[m - 1] = std::move(d.DataValues[m]);
        d.VarCounts[m - 1] = d.VarCounts[m];
        d.VarNames[m - 1] = std::move(d.VarNames[m]);
        if (m < d.VarSteps.Count()) d.VarSteps[m - 1] = d.VarSteps[m];
      }
      empty.erase(empty.begin() + j);
      ++removed;
      --i;
      --last;
    } else {
      ++j;
    }
  }
  if (removed > 0) {
    d.NumVar = i + 1;
    d.LastVar = i;
    d.FullLastVar = last;
    const auto size = static_cast<std::size_t>(last + 1);
    d.DataValues.resize(size);
    d.VarNames.resize(size);
    d.VarCounts.resize(size);
    if (d.VarSteps.size() > size) d.VarSteps.resize(size);
  }
  return true;
}

bool HasMissingValues(const DataSet& d) {
  return AnyVariable(d, [&d](int v) { return ContainsEmpty(d.DataValues[v], d.VarCounts[v] - 1, d.EmptyValue); });
}

void ForEachVariable(const DataSet& d, int variables, const std::function<void(int v)>& work) {
  std::size_t values = 0;
  for (int v = 0; v < variables; ++v) values += static_cast<std::size_t>(std::max(d.VarCounts[v], 0));
  ForEachInPieces(variables, PiecesFor(values * sizeof(double)), work);
}

bool AnyVariable(const DataSet& d, const std::function<bool(int v)>& holds) {
  std::atomic<bool> found = false;
  ForEachVariable(d, static_cast<int>(std::min<long long>(d.LastVar + 1, d.DataValues.Count())), [&](int v) {
    if (!found.load(std::memory_order_relaxed) && holds(v)) found = true;
  });
  return found;
}

bool ContainsEmpty(const Array<double>& a, std::int32_t n, double emptyValue) {
  if (n < 0) return false;
  static_cast<void>(a[n]);  // the whole range lies in the array
  const DoublePair empty = BothOf(emptyValue);
  return AnyValue(a.data(), static_cast<std::size_t>(n) + 1, [&](DoublePair v) { return v == empty; });
}

bool CountsDiffer(const Array<std::int32_t>& a, std::int32_t n) {
  for (std::int32_t i = 0; i < n; ++i)
    if (a[i] != a[i + 1]) return true;
  return false;
}

DataSet EmptiedDataSet(const DataSet& d) {
  DataSet e;
  e.EmptyValue = d.EmptyValue;
  e.OperationMode = d.OperationMode;
  e.KeepSelection = d.KeepSelection;
  e.SelectMask = d.SelectMask;
  e.HasMissing = d.HasMissing;
  e.PairwiseMissing = d.PairwiseMissing;
  e.PairwiseOutliers = d.PairwiseOutliers;
  e.DataFileName = d.DataFileName;
  e.DataFileShortName = d.DataFileShortName;
  e.ProcessingNote = d.ProcessingNote;
  e.ExeDir = d.ExeDir;
  return e;
}

void ClearDataSet(DataSet& d) { d = EmptiedDataSet(d); }

void SwapVariables(DataSet& d, int a, int b) {
  std::swap(d.DataValues[a], d.DataValues[b]);
  std::swap(d.VarCounts[a], d.VarCounts[b]);
  std::swap(d.VarNames[a], d.VarNames[b]);
  if (d.VarSteps.Count() > std::max(a, b)) std::swap(d.VarSteps[a], d.VarSteps[b]);
}

void NarrowTo(DataSet& d, const std::vector<int>& chosen) {
  int i = 0;
  for (int j = 0; j <= d.LastVar; ++j) {
    if (std::find(chosen.begin(), chosen.end(), j) == chosen.end()) continue;
    if (j != i) SwapVariables(d, i, j);
    ++i;
  }
  if (i == 0) return;
  d.NumVar = i;
  d.LastVar = i - 1;
}

void WidenVariables(DataSet& d) {
  d.LastVar = d.FullLastVar;
  d.NumVar = d.LastVar + 1;
}

void WidenUnlessKept(DataSet& d) {
  if (!d.KeepSelection) WidenVariables(d);
}

}  // namespace tavrel
