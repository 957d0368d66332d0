#pragma once
// The cluster analysis of the observations: the distance matrix, the joins,
// the classification at the requested number of clusters, the most probable
// classification and the report.
#include <cstdint>
#include <functional>
#include <string>

#include "core/base/checked_array.h"
#include "core/cluster/cluster_options.h"
#include "core/cluster/cluster_report.h"
#include "core/cluster/distance_matrix.h"
#include "core/data/cluster_result.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/shell/settings.h"
#include "core/statistics/progress.h"

namespace tavrel {

// What a long run tells its caller: the progress (once per matrix row and once
// per join, 0 at the end) and the status text ("" clears it).
struct ClusterFeedback {
  ProgressFn progress;
  std::function<void(const std::string& text)> status;
};

// What a run gives back: the error message when the distances cannot be
// computed (a constant feature), empty when the run completed; and a completed
// run's join history, classification and chosen step, for the caller to keep
// in the data set.
struct ClusterRun {
  std::string error;
  ClusterResult result;
};

// Runs the analysis with the options on the objects 0..N of the data set (N + 1
// = the count of the first variable in force; the join history holds N + 1
// records) and writes its report to out: the heading, the distances when
// asked, the joins (with the distance captions of the settings), the
// statistics of the classification and, when asked, the data by cluster.
ClusterRun RunClusterAnalysis(const DataSet& data, const ClusterOptions& options, const Settings& settings,
                              ResultsFileWriter& out, const ClusterFeedback& feedback);

// The joining part of a run on the distances d: the joins by the options'
// method (beta for the flexible one), the classification at the options'
// number of clusters, the most probable step and the increments of the
// quality graph. joinDone is called once per join.
ClusterJoins JoinClusters(DistanceMatrix d, const ClusterOptions& options, const std::function<void()>& joinDone);

// Numbers the clusters of a classification 1..clusters in the order of their
// lowest object.
void RenumberClassification(Array<std::int32_t>& classes, std::int32_t clusters);

}  // namespace tavrel
