#pragma once
// The report sections on the classification: the statistics of every
// variable by cluster, and the source data grouped by cluster.
#include <cstdint>

#include "core/base/checked_array.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"

namespace tavrel {

// For every cluster, in the order of its first object: the count, mean,
// standard deviation and standard error of every variable of the data set
// over the cluster's objects. classes holds the cluster of each object
// (0 = none); only the headings are written when no object has one.
void PrintClusterStatistics(ResultsFileWriter& out, const DataSet& data, Array<std::int32_t> classes);

// The rows of the data set (every variable) cluster by cluster. The last row
// is left open: the next text written ends it.
void PrintClusterData(ResultsFileWriter& out, const DataSet& data, const Array<std::int32_t>& classes);

}  // namespace tavrel
