#pragma once
// The tests of two independent samples: one line per pair of variables in force.
#include "core/statistics/progress.h"

namespace tavrel {

// Student's t test, pooled or for unequal spreads by the variance-ratio test.
void StudentStat(const ProgressFn& progress = {});
// The rank-sum test in its U form with the normal approximation.
void WilcoxonStat(const ProgressFn& progress = {});

}  // namespace tavrel
