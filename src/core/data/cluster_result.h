#pragma once
// What a cluster run leaves behind for the report, the graphs and the trees.
// It belongs to the data set's per-load state: every load clears it.
#include <cstdint>

#include "core/base/checked_array.h"

namespace tavrel {

// One join of the hierarchy.
struct Clust {
  double Clevel = 0;          // the distance at which the join was made
  std::int32_t iclson = 0;    // number of the left son
  std::int32_t icrson = 0;    // number of the right son
  std::int32_t newclust = 0;  // number of the cluster formed
};

struct ClusterResult {
  // The join history, indexed by step: one record per object of the run, the
  // last one (index N, past the last join) repeating the last join's distance.
  Array<Clust> ClustArray;
  Array<std::int32_t> Classification;   // cluster 1..k of each object at the requested count
  int ChosenStep = 255;                 // 255 when no most probable step was chosen
  bool Found = false;                   // a most probable classification was reported
  int AddedClusterVars = 0;             // cluster-number variables added to the data set
};

}  // namespace tavrel
