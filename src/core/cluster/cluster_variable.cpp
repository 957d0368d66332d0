#include "core/cluster/cluster_variable.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/base/errors.h"
#include "core/data/min_max.h"

namespace tavrel {

namespace {
constexpr int kMaxLastVar = 255;  // the data set holds at most 256 variables
}

void AddClusterVariable(DataSet& d, const Settings& s) {
  const Array<std::int32_t>& classes = d.Cluster.Classification;
  if (d.FullLastVar >= kMaxLastVar) throw OverflowError("Слишком много переменных для переменной кластеров");
  const std::int32_t last = static_cast<std::int32_t>(classes.Count()) - 1;
  ++d.Cluster.AddedClusterVars;
  ++d.FullLastVar;
  const auto size = static_cast<std::size_t>(d.FullLastVar + 1);
  d.DataValues.resize(size);
  d.VarNames.resize(size);
  d.VarCounts.resize(size, 0);
  d.VarSteps.resize(size, 0.0);

  d.VarNames[d.FullLastVar] = "CL_" + std::to_string(d.Cluster.AddedClusterVars).substr(0, 2);
  Array<double> values(static_cast<std::size_t>(std::max(d.NumObs, last + 1)), 0.0);
  for (std::int32_t k = 0; k <= last; ++k) values[k] = classes[k];
  d.DataValues[d.FullLastVar] = std::move(values);
  d.VarCounts[d.FullLastVar] = last + 1;

  std::int32_t kmin = 0, kmax = 0;
  MinMaxInt(classes, last, d.EmptyValue, kmin, kmax);
  d.VarSteps[d.FullLastVar] = s.YScaleType == 2 ? s.StepY * static_cast<double>(kmax) / 100 : NiceStep(kmax);
}

}  // namespace tavrel
