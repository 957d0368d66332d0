#pragma once
// The tests of two independent samples: one line per pair of variables in force.
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/pair_loop.h"
#include "core/statistics/progress.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

// Student's t test, pooled or for unequal spreads by the variance-ratio test,
// for every pair of variables in force (with equalNamesOnly, of equal names):
// n, n2, t and p, or kSigmaZero.
PairTable StudentTests(const DataSet& data, bool equalNamesOnly, const ProgressFn& progress = {});
// The rank-sum test in its U form with the normal approximation: n, n2, U and
// p, or kTooFew (with n and n2), kZeroVariance or kNegativeVariance.
PairTable WilcoxonTests(const DataSet& data, bool equalNamesOnly, const ProgressFn& progress = {});

// The reports: the heading, then the line of each pair as it is computed
// (with ReliableOnly none for a p of ">0.05"), then the end of the table.
void StudentStat(ResultsFileWriter& out, const DataSet& data, const StatOptions& options,
                 const ProgressFn& progress = {});
void WilcoxonStat(ResultsFileWriter& out, const DataSet& data, const StatOptions& options,
                  const ProgressFn& progress = {});

}  // namespace tavrel
