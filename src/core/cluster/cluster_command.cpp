#include "core/cluster/cluster_command.h"

#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

std::string ClusterRefusal() {
  DataSet& d = Data();
  d.HasMissing = HasMissingValues(d);
  if (d.HasMissing) return kMissingNotRemoved;
  if (d.NumVar <= 0 || d.VarCounts.empty()) return kTooFewObjects;
  if (CountsDiffer(d.VarCounts, d.LastVar)) return kCountsDiffer;
  if (d.VarCounts[0] < 2) return kTooFewObjects;
  if (d.VarCounts[0] - 1 > kMaxLastObject) return TooManyObjects(d.VarCounts[0]);
  return {};
}

std::string TooManyObjects(std::int32_t count) {
  return "Массив данных >3000: " + std::to_string(count) + " значений";
}

ClusterOutcome WriteClusterReport(const std::string& title, const ClusterFeedback& feedback) {
  const DataSet& d = Data();
  WriteTitle(d.DataFileName, title, d.ProcessingNote);
  WriteVarList();
  if (d.VarCounts[0] < 2) return {false, kTooFewObjects, false};
  const std::string error = RunClusterAnalysis(feedback);
  if (!error.empty()) return {false, error, true};
  return {true, {}, false};
}

}  // namespace tavrel
