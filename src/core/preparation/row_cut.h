#pragma once
// Cutting observations out of the whole data set in one compaction pass.
#include <vector>

namespace tavrel {

struct DataSet;

// Keeps the observations flagged in keep (one flag for each of the first
// keep.size() observations; those beyond are dropped) in their order, for
// every variable 0..FullLastVar and the dates. A count becomes the number of kept
// observations below it. When none is kept the data set becomes a single
// observation of the missing-value code, counted once.
void KeepRows(DataSet& d, const std::vector<char>& keep);

// Makes every variable's row NumObs long (new places hold the missing-value
// code) and lowers every count above NumObs to it; the dates, when there are
// any, follow (new places without a date).
void FitRowsToNumObs(DataSet& d);

}  // namespace tavrel
