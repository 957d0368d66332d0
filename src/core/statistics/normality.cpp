#include "core/statistics/normality.h"

#include "core/data/dataset.h"
#include "core/data/numbers.h"
#include "core/data/results_file.h"
#include "core/data/text_codec.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/histogram.h"
#include "core/statistics/report_titles.h"

namespace tavrel {

bool SkewExcess(const Array<double>& values, std::int32_t last, double mean, double sigma, bool showNs,
                SkewExcessResult& result) {
  double s3 = 0, s4 = 0;
  for (std::int32_t i = 0; i <= last; ++i) {
    const double d = values[i] - mean;
    s3 += d * d * d;
    s4 += d * d * d * d;
  }
  result = SkewExcessResult{};
  if (sigma == 0) {
    result.error = "   @ = 0        ";
    result.as = result.ex = Data().EmptyValue;
    return true;
  }
  const double n = last + 1;
  result.as = s3 / (n * sigma * sigma * sigma);
  result.ex = s4 / (n * sigma * sigma * sigma * sigma) - 3;
  const bool normalAs = PBySkew(last + 1, result.as, showNs, result.pAs);
  const bool normalEx = PByExcess(last + 1, result.ex, showNs, result.pEx);
  return normalAs && normalEx;
}

bool Chi2Normality(const Array<double>& values, std::int32_t last, double mean, double sigma, bool showNs,
                   Chi2Result& result) {
  result = Chi2Result{};
  if (sigma == 0) {
    result.chi2 = Data().EmptyValue;
    result.error = "@ = 0";
    return true;
  }
  std::int32_t k = 0;
  double width = 0, start = 0;
  HistClasses(values, last, k, width, start);
  Array<double> observed(static_cast<std::size_t>(k)), expected(static_cast<std::size_t>(k));
  const std::int32_t df = HistNormal(values, last, mean, sigma, k, width, start, observed, expected, true);
  if (df < 1) {
    result.chi2 = Data().EmptyValue;
    result.p = "    ";
    result.error = "  ст.свободы = 0";
    return true;
  }
  double chi2 = 0;
  for (std::int32_t i = 0; i < k; ++i) {
    const double d = observed[i] - expected[i];
    chi2 += d * d / expected[i];
  }
  result.chi2 = chi2;
  return PByChi2(df, chi2, showNs, result.p);
}

void NormalityStat(const ProgressFn& progress) {
  const DataSet& d = Data();
  const double empty = d.EmptyValue;
  TitleNormality();
  for (int i = 0; i <= d.LastVar; ++i) {
    Report(progress, i + 1, d.NumVar);
    Variable v = GetVariable(d, i);
    PadName(v.name);
    double mean = 0, sigma = 0;
    MeanSigma(v.values, v.last, mean, sigma);
    SkewExcessResult moments;
    Chi2Result fit;
    SkewExcess(v.values, v.last, mean, sigma, false, moments);
    Chi2Normality(v.values, v.last, mean, sigma, false, fit);
    const auto field = [empty](double value, const PText& p, const std::string& error) {
      return value != empty ? FixedText(value, 8, 2) + "  " + p : error;
    };
    ResultsFile().WriteLn(" " + AlignRight(v.name, 8) + "    " + field(moments.as, moments.pAs, moments.error) + "  " +
                          field(moments.ex, moments.pEx, moments.error) + "    " + field(fit.chi2, fit.p, fit.error));
  }
  EndTable();
}

}  // namespace tavrel
