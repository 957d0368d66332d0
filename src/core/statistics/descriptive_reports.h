#pragma once
// The tables of the descriptive analyses, one line per variable in force.
#include <cstdint>
#include <string>

#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/progress.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

// N, mean, sigma and the standard error m = sigma / sqrt(N - 1) of a variable;
// empty is the missing-value code (the mean and sigma of a variable without values).
struct ElementaryRow {
  std::string name;  // as stored
  std::int32_t n = 0;
  double mean = 0, sigma = 0, error = 0;
};
ElementaryRow ElementaryOf(const Variable& v, double empty);

// Smallest and largest value and the outlier limits of a variable.
struct VariabilityRow {
  std::string name;  // as stored
  double min = 0, max = 0, low = 0, high = 0;
};
VariabilityRow VariabilityOf(const Variable& v, double empty);

// The threshold levels of a variable on one side of the mean (sign +1 above
// it, -1 below): M + sign * k * sigma for k = 1, 1.5, 2 and the user's level.
struct LevelsRow {
  std::string name;  // as stored
  double mean = 0, sigma = 0;
  double at1 = 0, at15 = 0, at2 = 0;
  double user = 0;  // when the user's level is on
};
LevelsRow LevelsOf(const Variable& v, double empty, const StatOptions& options, int sign);

// The reports: the heading, then the line of each variable as it is computed,
// then the end of the table.
void ElementaryStat(ResultsFileWriter& out, const DataSet& data, const ProgressFn& progress = {});
void Variability(ResultsFileWriter& out, const DataSet& data, const ProgressFn& progress = {});
// The upper and then the lower threshold levels; the progress counts both tables.
void ThresholdLevels(ResultsFileWriter& out, const DataSet& data, const StatOptions& options,
                     const ProgressFn& progress = {});

}  // namespace tavrel
