#pragma once
// The tests of paired measurements: one line per pair of variables in force.
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/pair_loop.h"
#include "core/statistics/progress.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

// Student's t test of the paired differences, for every pair of variables in
// force of equal sizes (with equalNamesOnly, of equal names): n, t and p, or
// kUnequalSizes or kIdentical.
PairTable PairStudentTests(const DataSet& data, bool equalNamesOnly, const ProgressFn& progress = {});
// The signed-rank test with the normal approximation: n, z and p, or
// kUnequalSizes or kIdentical.
PairTable PairWilcoxonTests(const DataSet& data, bool equalNamesOnly, const ProgressFn& progress = {});

// The reports: the heading, then the line of each pair as it is computed
// (with ReliableOnly none for a p of ">0.05" or identical series), then the
// end of the table. A pairwise deletion is added to the data set's processing note.
void PairStudentStat(ResultsFileWriter& out, DataSet& data, const StatOptions& options,
                     const ProgressFn& progress = {});
void PairWilcoxonStat(ResultsFileWriter& out, DataSet& data, const StatOptions& options,
                      const ProgressFn& progress = {});

}  // namespace tavrel
