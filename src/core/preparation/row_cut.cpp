#include "core/preparation/row_cut.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/data/dataset.h"

namespace tavrel {

void KeepRows(DataSet& d, const std::vector<char>& keep) {
  const auto n = static_cast<std::int32_t>(keep.size());
  std::int32_t kept = 0;
  for (char k : keep) kept += k ? 1 : 0;
  for (int v = 0; v <= d.FullLastVar; ++v) {
    Array<double>& row = d.DataValues[v];
    std::int32_t& count = d.VarCounts[v];
    std::int32_t w = 0;
    std::int32_t counted = 0;
    for (std::int32_t j = 0; j < n && j < row.Count(); ++j) {
      if (!keep[static_cast<std::size_t>(j)]) continue;
      if (j < count) ++counted;
      row[w++] = row[j];
    }
    row.resize(static_cast<std::size_t>(w));
    count = counted;
  }
  if (!d.Dates.empty()) {
    std::int32_t w = 0;
    for (std::int32_t j = 0; j < n && j < d.Dates.Count(); ++j)
      if (keep[static_cast<std::size_t>(j)]) d.Dates[w++] = d.Dates[j];
    d.Dates.resize(static_cast<std::size_t>(w));
  }
  if (kept == 0) {
    for (int v = 0; v <= d.FullLastVar; ++v) {
      d.DataValues[v].assign(1, d.EmptyValue);
      d.VarCounts[v] = 1;
    }
    kept = 1;
  }
  d.NumObs = kept;
  d.LastObs = kept - 1;
  FitRowsToNumObs(d);
}

void FitRowsToNumObs(DataSet& d) {
  if (!d.Dates.empty()) d.Dates.resize(static_cast<std::size_t>(d.NumObs), std::nan(""));
  for (int v = 0; v <= d.FullLastVar; ++v) {
    d.DataValues[v].resize(static_cast<std::size_t>(d.NumObs), d.EmptyValue);
    d.VarCounts[v] = std::min(d.VarCounts[v], d.NumObs);
  }
}

}  // namespace tavrel
