#pragma once
// The classification of the last cluster run as a new variable of the data set.

namespace tavrel {

// Appends the variable "CL_" + the count of such variables added since the
// load (its first two digits) behind the last variable, holding the cluster
// number of every object (0 when the classification was never captured).
// More than 256 variables is an OverflowError.
void AddClusterVariable();

}  // namespace tavrel
