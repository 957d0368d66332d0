#pragma once
// Whether a series follows the normal law: the asymmetry and excess
// coefficients and the chi-square fit of its histogram.
#include <cstdint>
#include <string>

#include "core/base/checked_array.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/p_text.h"
#include "core/statistics/progress.h"

namespace tavrel {

// As and Ex of values 0..last with their significance texts. With sigma 0 both
// are the missing-value code empty with empty texts and the error text "   @ = 0        ".
// Returns true when neither is significant.
struct SkewExcessResult {
  double as = 0, ex = 0;
  PText pAs, pEx;
  std::string error;
};
bool SkewExcess(const Array<double>& values, std::int32_t last, double mean, double sigma, double empty,
                bool showNs, SkewExcessResult& result);

// The chi-square fit of the histogram to the normal law. chi2 is the missing-value code empty
// with the error text "@ = 0" for sigma 0, and "  ст.свободы = 0" when no degree
// of freedom remains (a series of fewer than three values included). Returns
// true when the fit is not rejected.
struct Chi2Result {
  double chi2 = 0;
  PText p;
  std::string error;
};
bool Chi2Normality(const Array<double>& values, std::int32_t last, double mean, double sigma, double empty,
                   bool showNs, Chi2Result& result);

// The normality of a variable: its moments and its chi-square fit, as the table
// shows them (no "n.s." texts).
struct NormalityRow {
  std::string name;  // as stored
  SkewExcessResult moments;
  Chi2Result fit;
};
NormalityRow NormalityOf(const Variable& v, double empty);

// The normality table: the heading, then the line of each variable in force
// as it is computed, then the end of the table.
void NormalityStat(ResultsFileWriter& out, const DataSet& data, const ProgressFn& progress = {});

}  // namespace tavrel
