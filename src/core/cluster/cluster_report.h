#pragma once
// The sections of the cluster report, written to the open results file from
// what the run computed.
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/checked_array.h"
#include "core/cluster/distance_matrix.h"
#include "core/data/cluster_result.h"
#include "core/data/results_file.h"

namespace tavrel {

// The objects (indices) ordered by their cluster number, in object order within a cluster.
std::vector<std::int32_t> ObjectsByCluster(const Array<std::int32_t>& clusters);

// The lower triangle of the distances, rows 2..n by columns 1..n-1.
void PrintDistanceMatrix(ResultsFileWriter& out, const DistanceMatrix& d);

// Which joins a run reports: with lastObject = N (the objects 0..N), the
// quality graph and the most probable search look at the last detail joins
// and the joins after step reportFrom are written in full.
struct JoinLimits {
  std::int32_t lastObject = 0;  // N
  std::int32_t detail = 0;      // P1
  std::int32_t reportFrom = 1;  // P2
};
JoinLimits LimitsFor(std::int32_t lastObject);

// One join of a run: the two clusters joined (ci the one at the smaller
// matrix index); the distance is the history's.
struct JoinStep {
  std::int32_t ci = 0, cj = 0;
  // The cluster number of each object after the join, kept for the joins the
  // report lists with their members.
  Array<std::int32_t> members;
};

// Whether the report lists the members of the clusters after join step s.
bool ListsMembers(std::int32_t s, const JoinLimits& limits);

// What the joining part of a run produces; the report of the joins is written from it.
struct ClusterJoins {
  ClusterResult result;       // the join history, the classification and the chosen step
  JoinLimits limits;
  Array<JoinStep> steps;      // one per join, 0..N-1
  Array<double> increments;   // the increase of the distance after each join
  Array<std::int32_t> marks;  // per step: 1 when followed by a single object's absorption, 2 most probable
  double largest = 0;         // the largest increment
};

// The report of the joins: the two distance captions, the joins after
// limits.reportFrom in detail (with the members of every cluster unless it is
// the last join), the most probable classifications, the quality graph (the
// increments of the last joins as bars of up to 60 stars, a chosen step
// flagged with "!") and an empty line.
void WriteJoins(ResultsFileWriter& out, const ClusterJoins& joins, const std::string& objectDistanceName,
                const std::string& clusterDistanceName);

}  // namespace tavrel
