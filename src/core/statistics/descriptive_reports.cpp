#include "core/statistics/descriptive_reports.h"

#include <cmath>
#include <string>

#include "core/data/dataset.h"
#include "core/data/numbers.h"
#include "core/data/results_file.h"
#include "core/data/text_codec.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/min_max.h"
#include "core/statistics/report_titles.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

namespace {

// One table of threshold levels: sign +1 above the mean, -1 below it.
void LevelsTable(int sign, const ProgressFn& progress) {
  const DataSet& d = Data();
  const StatOptions& o = StatConfig();
  const int done = sign > 0 ? 0 : d.NumVar;  // the upper table counts first
  for (int i = 0; i <= d.LastVar; ++i) {
    Report(progress, done + i + 1, 2 * d.NumVar);
    Variable v = GetVariable(d, i);
    if (sign > 0) PadName(v.name);
    double mean = 0, sigma = 0;
    MeanSigma(v.values, v.last, mean, sigma);
    const std::string user = o.UserLevelOn ? FixedText(mean + sign * o.UserLevel * sigma, 8, 3) : "...?";
    ResultsFile().WriteLn(" " + AlignRight(v.name, 8) + "   " + FixedText(mean, 8, 3) + "   " + FixedText(sigma, 9, 3) +
                          "   " + FixedText(mean + sign * sigma, 8, 3) + "   " +
                          FixedText(mean + sign * 1.5 * sigma, 8, 3) + "   " +
                          FixedText(mean + sign * 2 * sigma, 8, 3) + "   " + user);
  }
  EndTable();
}

}  // namespace

void ElementaryStat(const ProgressFn& progress) {
  const DataSet& d = Data();
  TitleElementary();
  for (int i = 0; i <= d.LastVar; ++i) {
    Report(progress, i + 1, d.NumVar);
    Variable v = GetVariable(d, i);
    PadName(v.name);
    double mean = 0, sigma = 0;
    MeanSigma(v.values, v.last, mean, sigma);
    const double m = sigma / std::sqrt(static_cast<double>(v.last));
    ResultsFile().WriteLn(" " + AlignRight(v.name, 8) + "    " + IntText(v.last + 1, 4) + "  " + FixedText(mean, 8, 3) +
                          "  " + FixedText(sigma, 9, 3) + "  " + FixedText(m, 8, 3));
  }
  EndTable();
}

void Variability(const ProgressFn& progress) {
  const DataSet& d = Data();
  TitleVariability();
  for (int i = 0; i <= d.LastVar; ++i) {
    Report(progress, i + 1, d.NumVar);
    Variable v = GetVariable(d, i);
    PadName(v.name);
    double mean = 0, sigma = 0, min = 0, max = 0, low = 0, high = 0;
    MeanSigma(v.values, v.last, mean, sigma);
    MinMax(v.values, v.last, min, max);
    OutlierLimits(v.last, mean, sigma, low, high);
    ResultsFile().WriteLn(" " + AlignRight(v.name, 8) + "    " + FixedText(min, 8, 3) + "  " + FixedText(max, 8, 3) +
                          "    " + FixedText(low, 8, 3) + "  " + FixedText(high, 8, 3));
  }
  EndTable();
}

void ThresholdLevels(const ProgressFn& progress) {
  TitleLevelsUp();
  LevelsTable(+1, progress);
  TitleLevelsDown();
  LevelsTable(-1, progress);
}

}  // namespace tavrel
