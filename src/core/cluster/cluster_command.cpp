#include "core/cluster/cluster_command.h"

#include <utility>

#include "core/cluster/cluster_variable.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

std::string ClusterRefusal(DataSet& d) {
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

ClusterOutcome WriteClusterReport(ResultsFileWriter& out, DataSet& data, const ClusterOptions& options,
                                  const Settings& settings, const std::string& title,
                                  const ClusterFeedback& feedback) {
  WriteTitle(out, data.DataFileName, title, data.ProcessingNote);
  WriteVarList(out, data);
  if (data.VarCounts[0] < 2) return {false, kTooFewObjects, false};
  ClusterRun run = RunClusterAnalysis(data, options, settings, out, feedback);
  if (!run.error.empty()) return {false, run.error, true};
  data.Cluster = std::move(run.result);
  if (options.AddClustNumber) AddClusterVariable(data, settings);
  return {true, {}, false};
}

}  // namespace tavrel
