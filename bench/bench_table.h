#pragma once
// The tables the benchmarks work on: equally long variables whose values a
// routine gives, missing-value code -999.
#include <cstdint>
#include <functional>
#include <string>

#include "core/data/dataset.h"

namespace tavrel::bench {

inline constexpr std::int32_t kBenchEmptyValue = -999;

// A data set of the variables prefix1, prefix2, ..., each of observations
// values: value(v, j) for variable v and observation j, asked variable by
// variable and observation by observation in order (so a routine drawing from
// one random generator gives the same table each time).
inline DataSet MakeTable(int variables, std::int32_t observations,
                         const std::function<double(int v, std::int32_t j)>& value, const std::string& prefix = "Var") {
  DataSet d;
  for (int v = 0; v < variables; ++v) {
    Array<double> column(static_cast<std::size_t>(observations));
    for (std::int32_t j = 0; j < observations; ++j) column[j] = value(v, j);
    d.DataValues.push_back(std::move(column));
    d.VarNames.push_back(prefix + std::to_string(v + 1));
    d.VarCounts.push_back(observations);
  }
  d.NumVar = variables;
  d.LastVar = d.FullLastVar = variables - 1;
  d.NumObs = observations;
  d.LastObs = observations - 1;
  d.EmptyValue = kBenchEmptyValue;
  return d;
}

}  // namespace tavrel::bench
