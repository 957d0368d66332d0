#pragma once
// The sections of the cluster report, written to the open results file.
#include <cstdint>
#include <string>
#include <vector>

#include "core/cluster/cluster_result.h"
#include "core/cluster/distance_matrix.h"
#include "core/data/checked_array.h"

namespace tavrel {

// The objects (indices) ordered by their cluster number, in object order within a cluster.
std::vector<std::int32_t> ObjectsByCluster(const Array<std::int32_t>& clusters);

// The lower triangle of the distances, rows 2..n by columns 1..n-1.
void PrintDistanceMatrix(const DistanceMatrix& d);

// Which joins a run reports: with lastObject = N (the objects 0..N), the
// quality graph and the most probable search look at the last detail joins
// and the joins after step reportFrom are written in full.
struct JoinLimits {
  std::int32_t lastObject = 0;  // N
  std::int32_t detail = 0;      // P1
  std::int32_t reportFrom = 1;  // P2
};
JoinLimits LimitsFor(std::int32_t lastObject);

// Join step s of the clusters ci and cj (ci at the smaller matrix index).
// Step 0 writes the run header with the two distance captions; a join after
// limits.reportFrom is written in detail, with the members of every cluster
// (membership: the cluster number of each object) unless it is the last join.
void PrintJoin(std::int32_t s, std::int32_t ci, std::int32_t cj, const JoinLimits& limits,
               const Array<Clust>& history, const Array<std::int32_t>& membership);

// The two lines of a most probable classification at step s.
void PrintMostProbable(std::int32_t s, std::int32_t lastObject);

// The quality graph: the increments of the last joins as bars of up to 60
// stars, the chosen step (mark 2) flagged with "!". largest is the largest increment.
void PrintQualityGraph(const JoinLimits& limits, const Array<double>& increments, const Array<std::int32_t>& marks,
                       double largest);

}  // namespace tavrel
