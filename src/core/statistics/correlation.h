#pragma once
// The correlation tables: one line per pair of variables in force.
#include <cstddef>

#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/pair_loop.h"
#include "core/statistics/progress.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

// Pearson's coefficient r with its t test, for every pair of variables in
// force of equal sizes (after the pairwise deletions the data set asks for).
// A pair gets n, r, t and p, or kUnequalSizes or kSigmaZero.
PairTable PearsonCorrelations(const DataSet& data, const ProgressFn& progress = {});
// Spearman's rank coefficient rho with its t test; a pair gets n, rho, t and
// p, or kUnequalSizes, kTiedRanks (with n) or kNoTStatistic (with n and rho).
// The ranks of at most keptRanksBytes' worth of variables are kept at a time
// (by default a tenth of a 100 x 1,000,000 table), those of the others worked
// out again as they are needed.
inline constexpr std::size_t kKeptRanksBytes = std::size_t{80} << 20;
PairTable SpearmanCorrelations(const DataSet& data, const ProgressFn& progress = {},
                               std::size_t keptRanksBytes = kKeptRanksBytes);

// The reports: the heading, then the line of each pair as it is computed
// (with ReliableOnly none for a p of ">0.05"), then the end of the table. A
// pairwise deletion is added to the data set's processing note.
void PearsonStat(ResultsFileWriter& out, DataSet& data, const StatOptions& options, const ProgressFn& progress = {});
void SpearmanStat(ResultsFileWriter& out, DataSet& data, const StatOptions& options, const ProgressFn& progress = {});

}  // namespace tavrel
