#pragma once
// The captions of the cluster distance methods, as the dialogs list them and the report prints them.
#include "data/checked_array.h"

#include <string>

namespace tavrel {

// Distance between objects: 0 Euclidean, 1 Mahalanobis, 2 Hamming.
const Array<std::string>& ObjectDistanceNames();
// Distance between clusters: 0 nearest neighbour .. 5 flexible.
const Array<std::string>& ClusterDistanceNames();

}  // namespace tavrel
