#pragma once
// The classification of the last cluster run as a new variable of the data set.

#include "core/data/dataset.h"
#include "core/shell/settings.h"

namespace tavrel {

// Appends the variable "CL_" + the count of such variables added since the
// load (its first two digits) behind the last variable, holding the cluster
// number of every object (0 when the classification was never captured), as
// the data set's cluster result holds it; its scale step follows the
// settings. More than 256 variables is an OverflowError.
void AddClusterVariable(DataSet& d, const Settings& settings);

}  // namespace tavrel
