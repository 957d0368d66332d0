#pragma once
// The captions the settings give the cluster methods (the configuration
// dialog lists them and the cluster report prints the chosen ones).
#include <string>

#include "core/base/checked_array.h"

namespace tavrel {

// Distance between objects: 0 Euclidean, 1 Mahalanobis, 2 Hamming.
const Array<std::string>& ObjectDistanceNames();
// Distance between clusters: 0 nearest neighbour .. 5 flexible.
const Array<std::string>& ClusterDistanceNames();

}  // namespace tavrel
