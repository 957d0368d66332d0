#pragma once
// The tables of the descriptive analyses, one line per variable in force,
// written to the open results file.
#include "core/statistics/progress.h"

namespace tavrel {

// N, mean, sigma and the standard error of each variable.
void ElementaryStat(const ProgressFn& progress = {});
// Smallest and largest value and the outlier limits of each variable.
void Variability(const ProgressFn& progress = {});
// The upper and then the lower threshold levels M +/- n sigma.
void ThresholdLevels(const ProgressFn& progress = {});

}  // namespace tavrel
