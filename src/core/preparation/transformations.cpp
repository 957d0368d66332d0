#include "core/preparation/transformations.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/data/dataset.h"
#include "core/data/variable_name.h"
#include "core/statistics/descriptive.h"

namespace tavrel {

void NormaliseVariables(DataSet& d) {
  for (int v = 0; v <= d.LastVar; ++v) {
    const std::int32_t count = d.VarCounts[v];
    if (count < 1) continue;
    Array<double>& row = d.DataValues[v];
    double mean = 0, sigma = 0;
    MeanSigma(row, count - 1, d.EmptyValue, mean, sigma);
    for (std::int32_t j = 0; j < count; ++j) row[j] = sigma != 0 ? (row[j] - mean) / sigma : 0;
  }
  d.ProcessingNote += kNoteNormalised;
}

void Differences(DataSet& d) {
  const double empty = d.EmptyValue;
  for (int v = 0; v <= d.LastVar; ++v) {
    std::int32_t& count = d.VarCounts[v];
    if (count < 1) continue;
    Array<double>& row = d.DataValues[v];
    for (std::int32_t j = 0; j + 1 < count; ++j) {
      if (row[j] == empty) continue;
      row[j] = row[j + 1] == empty ? empty : row[j + 1] - row[j];
    }
    row[count - 1] = empty;
    --count;
  }
  d.ProcessingNote += kNoteDifferences;
}

void LogVariables(DataSet& d) {
  for (int v = 0; v <= d.LastVar; ++v) {
    Array<double>& row = d.DataValues[v];
    for (std::int32_t j = 0; j < d.VarCounts[v]; ++j)
      if (row[j] != 0) row[j] = std::log(std::fabs(row[j]));
  }
  d.ProcessingNote += kNoteLogarithm;
}

namespace {

// The size of a shift, also of the most negative one, which has no 32-bit opposite.
std::int64_t ShiftLength(std::int32_t shift) { return shift < 0 ? -std::int64_t{shift} : shift; }

}  // namespace

bool ShiftSeries(DataSet& d, int shift) {
  const std::int64_t length = ShiftLength(shift);
  const bool enough = length + 1 < d.LastObs;
  if (enough && shift != 0) {
    const auto lag = static_cast<std::int32_t>(length);  // below LastObs
    const std::int32_t last = d.LastObs - lag;
    // A negative shift moves the chosen variables up, a positive one the others.
    const int first = shift < 0 ? 0 : d.LastVar + 1;
    const int end = shift < 0 ? d.LastVar : d.FullLastVar;
    for (int v = 0; v <= d.FullLastVar; ++v) {
      Array<double>& row = d.DataValues[v];
      std::int32_t& count = d.VarCounts[v];
      if (v >= first && v <= end) {
        for (std::int32_t j = 0; j <= last; ++j) row[j] = row[j + lag];
        count = std::max<std::int32_t>(count - lag, 0);
      }
      row.resize(static_cast<std::size_t>(last + 1));
      count = std::min(count, last + 1);
    }
    if (!d.Dates.empty()) d.Dates.resize(static_cast<std::size_t>(last + 1));
    d.LastObs = last;
    d.NumObs = last + 1;
  }
  WidenVariables(d);
  return enough;
}

void ReplaceValues(DataSet& d, double from, double to, int variable) {
  const int first = variable < 0 ? 0 : variable;
  const int last = variable < 0 ? d.LastVar : variable;
  for (int v = first; v <= last; ++v) {
    Array<double>& row = d.DataValues[v];
    for (std::int32_t j = 0; j < d.VarCounts[v]; ++j)
      if (row[j] == from) row[j] = to;
  }
}

std::int32_t Arithmetic(DataSet& d, int a, char op, int b, int r) {
  const double empty = d.EmptyValue;
  const Array<double> x = d.DataValues[a];
  const Array<double> y = d.DataValues[b];
  const std::int32_t countA = d.VarCounts[a];
  const std::int32_t countB = d.VarCounts[b];
  Array<double>& result = d.DataValues[r];
  std::int32_t computed = 0;
  for (std::int32_t j = 0; j <= d.LastObs; ++j) {
    if (j >= countA || j >= countB || x[j] == empty || y[j] == empty) {
      result[j] = empty;
      continue;
    }
    switch (op) {
      case '+': result[j] = x[j] + y[j]; break;
      case '-': result[j] = x[j] - y[j]; break;
      case '*': result[j] = x[j] * y[j]; break;
      default: result[j] = y[j] != 0 ? x[j] / y[j] : 0; break;
    }
    ++computed;
  }
  d.VarCounts[r] = std::min(countA, countB);
  return computed;
}

void RenameVariables(DataSet& d, const std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    d.VarNames[static_cast<long long>(i)] = CleanName(names[i], static_cast<int>(i) + 1);
  }
}

}  // namespace tavrel
