#pragma once
// The tests of paired measurements: one line per pair of variables in force.
#include "core/statistics/progress.h"

namespace tavrel {

// Student's t test of the paired differences.
void PairStudentStat(const ProgressFn& progress = {});
// The signed-rank test with the normal approximation.
void PairWilcoxonStat(const ProgressFn& progress = {});

}  // namespace tavrel
