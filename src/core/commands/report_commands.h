#pragma once
// The statistics and cluster commands once their variables are chosen: the
// refusal before anything is asked or written, then the report into the
// results file, which keeps its old content when the report fails.
#include <string>

#include "core/cluster/cluster_command.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

class ResultsFileWriter;
struct ClusterOptions;
struct DataSet;
struct Settings;
struct StatOptions;

// Where a report goes: the results file, appended to or replaced.
struct ReportTarget {
  std::string path;
  bool append = true;
};

// Checks the results file of a report on d by the output rule and opens it in
// out; refused (Output). (The output dialog opens it itself, so that the user
// can give another name when it is refused.)
void OpenReport(ResultsFileWriter& out, const DataSet& d, const ReportTarget& target);

// Refuses (Choice) data the chosen analysis may not start with (StatisticsRefusal).
void RefuseStatistics(DataSet& d, const StatOptions& options);

// Writes the report into the open results file out and closes it. A report
// that fails leaves the file as it was before and is refused (Analysis) with
// its message. The variables are widened again unless the selection is kept.
void WriteStatisticsCommand(ResultsFileWriter& out, DataSet& d, const StatOptions& options, const std::string& title,
                            const ProgressFn& progress);

// Refuses (Choice) data the cluster analysis may not start with (ClusterRefusal).
void RefuseCluster(DataSet& d);

// As WriteStatisticsCommand for the cluster analysis; a completed run is kept
// in the data set. A run that does not complete is refused (Analysis).
void WriteClusterCommand(ResultsFileWriter& out, DataSet& d, const ClusterOptions& options, const Settings& settings,
                         const std::string& title, const ClusterFeedback& feedback);

}  // namespace tavrel
