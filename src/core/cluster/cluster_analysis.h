#pragma once
// The cluster analysis of the observations: the distance matrix, the joins,
// the classification at the requested number of clusters, the most probable
// classification and the report.
#include <cstdint>
#include <functional>
#include <string>

#include "core/data/checked_array.h"
#include "core/statistics/progress.h"

namespace tavrel {

// What a long run tells its caller: the progress (once per matrix row and once
// per join, 0 at the end) and the status text ("" clears it).
struct ClusterFeedback {
  ProgressFn progress;
  std::function<void(const std::string& text)> status;
};

// Runs the analysis with the cluster options on the objects 0..N (N + 1 =
// the count of the first variable in force; the data set's LastObs is not
// changed, the join history holds N + 1 records) and writes its report to the open
// results file. Returns the error message when the distances cannot be
// computed (a constant feature), empty when the run completed. A completed
// run leaves its join history, classification and chosen step in
// Data().Cluster; a failed one leaves the previous run's there.
std::string RunClusterAnalysis(const ClusterFeedback& feedback);

// The joining part of the run: distance matrix, joins, most probable step and
// quality graph. Stores the result in Data().Cluster when it completes.
std::string JoinClusters(double beta, const ClusterFeedback& feedback);

// Numbers the clusters of a classification 1..clusters in the order of their
// lowest object.
void RenumberClassification(Array<std::int32_t>& classes, std::int32_t clusters);

}  // namespace tavrel
