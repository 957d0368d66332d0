#include "core/preparation/table_edit.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/data/dataset.h"
#include "core/data/min_max.h"
#include "core/data/variable_name.h"
#include "core/preparation/missing_outliers.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

int TotalVariables(const DataSet& d) { return d.FullLastVar + 1; }

template <class T>
void MoveEntry(Array<T>& a, long long from, long long to) {
  T moved = std::move(a[from]);
  a.erase(a.begin() + from);
  a.insert(a.begin() + to, std::move(moved));
}

}  // namespace

std::string CellEditError(const DataSet& d, const CellEdit& edit) {
  try {
    UserNumber(TrimBlanks(edit.text));
    return {};
  } catch (const ConversionError& e) {
    std::string name = d.VarNames[edit.variable];
    name = std::string(TrimBlanks(name));
    return "Переменная " + name + ", наблюдение " + std::to_string(edit.observation + 1) + ": " + e.what();
  }
}

std::string ApplyCellEdits(DataSet& d, const Settings& s, const std::vector<CellEdit>& edits, bool missingAbsent) {
  // Every text is checked before the first value is written.
  std::vector<double> values;
  values.reserve(edits.size());
  for (const CellEdit& e : edits) {
    const std::string error = CellEditError(d, e);
    if (!error.empty()) return error;
    values.push_back(UserNumber(e.text));
  }
  for (std::size_t i = 0; i < edits.size(); ++i) {
    const CellEdit& e = edits[i];
    d.DataValues[e.variable][e.observation] = values[i];
    std::int32_t& count = d.VarCounts[e.variable];
    if (values[i] != d.EmptyValue && e.observation >= count) count = e.observation + 1;
  }
  if (missingAbsent) {
    for (const CellEdit& e : edits) {
      std::int32_t& count = d.VarCounts[e.variable];
      while (count > 0 && d.DataValues[e.variable][count - 1] == d.EmptyValue) --count;
    }
  }
  // Only the steps of the variables typed in can have changed.
  std::vector<int> typedIn;
  for (const CellEdit& e : edits) typedIn.push_back(e.variable);
  std::sort(typedIn.begin(), typedIn.end());
  typedIn.erase(std::unique(typedIn.begin(), typedIn.end()), typedIn.end());
  if (!edits.empty()) ComputeVarStepsOf(d, s, typedIn);
  return {};
}

bool InsertObservation(DataSet& d, const Settings& s, std::int32_t at) {
  if (at < 0 || at > d.NumObs) return false;
  for (int v = 0; v < TotalVariables(d); ++v) {
    Array<double>& row = d.DataValues[v];
    std::int32_t& count = d.VarCounts[v];
    // Below a shortened variable's values the new place is padding like its neighbours.
    const bool inside = at <= count;
    row.insert(row.begin() + at, inside ? 0.0 : static_cast<double>(d.EmptyValue));
    if (inside) ++count;
  }
  if (!d.Dates.empty()) d.Dates.insert(d.Dates.begin() + at, std::nan(""));  // a new row has no date
  ++d.NumObs;
  d.LastObs = d.NumObs - 1;
  ComputeVarSteps(d, s);
  return true;
}

bool DeleteObservation(DataSet& d, const Settings& s, std::int32_t at) {
  if (at < 0 || at >= d.NumObs || d.NumObs < 2) return false;
  for (int v = 0; v < TotalVariables(d); ++v) {
    Array<double>& row = d.DataValues[v];
    row.erase(row.begin() + at);
    std::int32_t& count = d.VarCounts[v];
    if (at < count) --count;
  }
  if (!d.Dates.empty()) d.Dates.erase(d.Dates.begin() + at);
  --d.NumObs;
  d.LastObs = d.NumObs - 1;
  ComputeVarSteps(d, s);
  return true;
}

bool MoveObservation(DataSet& d, const Settings& s, std::int32_t from, std::int32_t to) {
  if (from < 0 || from >= d.NumObs || to < 0 || to >= d.NumObs) return false;
  if (from == to) return true;
  for (int v = 0; v < TotalVariables(d); ++v) MoveEntry(d.DataValues[v], from, to);
  if (!d.Dates.empty()) MoveEntry(d.Dates, from, to);
  ComputeVarSteps(d, s);
  return true;
}

bool InsertVariable(DataSet& d, const Settings& s, int at) {
  if (at < 0 || at > d.NumVar || TotalVariables(d) + 1 >= kMaxTableColumns) return false;
  d.DataValues.insert(d.DataValues.begin() + at, Array<double>(static_cast<std::size_t>(d.NumObs), 0.0));
  d.VarNames.insert(d.VarNames.begin() + at, DefaultName(d.NumVar + 1));
  d.VarCounts.insert(d.VarCounts.begin() + at, d.NumObs);
  ++d.NumVar;
  ++d.LastVar;
  ++d.FullLastVar;
  ComputeVarSteps(d, s);
  return true;
}

bool DeleteVariable(DataSet& d, const Settings& s, int at) {
  if (at < 0 || at > d.LastVar || d.NumVar < 2) return false;
  d.DataValues.erase(d.DataValues.begin() + at);
  d.VarNames.erase(d.VarNames.begin() + at);
  d.VarCounts.erase(d.VarCounts.begin() + at);
  --d.NumVar;
  --d.LastVar;
  --d.FullLastVar;
  ComputeVarSteps(d, s);
  return true;
}

bool MoveVariable(DataSet& d, const Settings& s, int from, int to) {
  if (from < 0 || from > d.LastVar || to < 0 || to > d.LastVar) return false;
  if (from == to) return true;
  MoveEntry(d.DataValues, from, to);
  MoveEntry(d.VarNames, from, to);
  MoveEntry(d.VarCounts, from, to);
  ComputeVarSteps(d, s);
  return true;
}

void DropHiddenVariables(DataSet& d, const Settings& s) {
  const auto size = static_cast<std::size_t>(d.LastVar + 1);
  d.DataValues.resize(size);
  d.VarNames.resize(size);
  d.VarCounts.resize(size);
  d.FullLastVar = d.LastVar;
  ComputeVarSteps(d, s);
}

ColumnSummary SummariseVariable(const DataSet& d, int v) {
  ColumnSummary s;
  s.count = d.VarCounts[v];
  const Array<double>& row = d.DataValues[v];
  if (ContainsEmpty(row, s.count - 1, d.EmptyValue)) {
    MinMaxNoEmpty(row, s.count - 1, d.EmptyValue, s.min, s.max);
  } else {
    MinMax(row, s.count - 1, d.EmptyValue, s.min, s.max);
  }
  return s;
}

TableState TableStateKeeper::State(const DataSet& d) {
  const auto variables = static_cast<std::size_t>(std::max(d.LastVar + 1, 0));
  if (missing_.size() != variables) {
    missing_.assign(variables, kUnknown);
    outliers_.assign(variables, kUnknown);
  }
  // Each of the variables still unknown, on every core: missing values first,
  // outliers only while no variable has a missing value.
  const auto look = [&](std::vector<Known>& known, auto holds) {
    ForEachVariable(d, static_cast<int>(variables), [&](int v) {
      Known& k = known[static_cast<std::size_t>(v)];
      if (k == kUnknown) k = holds(v) ? kYes : kNo;
    });
    return std::find(known.begin(), known.end(), kYes) != known.end();
  };
  TableState state;
  state.missing = look(missing_, [&d](int v) { return ContainsEmpty(d.DataValues[v], d.VarCounts[v] - 1, d.EmptyValue); });
  state.outliers = !state.missing && look(outliers_, [&d](int v) { return VariableHasOutliers(d, v); });
  return state;
}

void TableStateKeeper::Forget(int v) {
  if (v < 0 || static_cast<std::size_t>(v) >= missing_.size()) return;
  missing_[static_cast<std::size_t>(v)] = kUnknown;
  outliers_[static_cast<std::size_t>(v)] = kUnknown;
}

void TableStateKeeper::ForgetAll() {
  missing_.clear();
  outliers_.clear();
}

}  // namespace tavrel
