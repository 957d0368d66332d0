#pragma once
// The correlation tables: one line per pair of variables in force.
#include "core/statistics/progress.h"

namespace tavrel {

// Pearson's coefficient with its t test.
void PearsonStat(const ProgressFn& progress = {});
// Spearman's rank coefficient with its t test.
void SpearmanStat(const ProgressFn& progress = {});

}  // namespace tavrel
