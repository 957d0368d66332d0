#include "core/statistics/normality.h"

#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/histogram.h"
#include "core/statistics/report_titles.h"

namespace tavrel {

bool SkewExcess(const Array<double>& values, std::int32_t last, double mean, double sigma, double empty,
                bool showNs, SkewExcessResult& result) {
  double s3 = 0, s4 = 0;
  for (std::int32_t i = 0; i <= last; ++i) {
    const double d = values[i] - mean;
    s3 += d * d * d;
    s4 += d * d * d * d;
  }
  result = SkewExcessResult{};
  if (sigma == 0) {
    result.error = "   @ = 0        ";
    result.as = result.ex = empty;
    return true;
  }
  const double n = last + 1;
  result.as = s3 / (n * sigma * sigma * sigma);
  result.ex = s4 / (n * sigma * sigma * sigma * sigma) - 3;
  const bool normalAs = PBySkew(last + 1, result.as, showNs, result.pAs);
  const bool normalEx = PByExcess(last + 1, result.ex, showNs, result.pEx);
  return normalAs && normalEx;
}

bool Chi2Normality(const Array<double>& values, std::int32_t last, double mean, double sigma, double empty,
                   bool showNs, Chi2Result& result) {
  result = Chi2Result{};
  if (sigma == 0) {
    result.chi2 = empty;
    result.error = "@ = 0";
    return true;
  }
  std::int32_t k = 0;
  double width = 0, start = 0;
  HistClasses(values, last, k, width, start);
  Array<double> observed(static_cast<std::size_t>(k)), expected(static_cast<std::size_t>(k));
  const std::int32_t df = HistNormal(values, last, mean, sigma, k, width, start, observed, expected, true);
  if (df < 1) {
    result.chi2 = empty;
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

NormalityRow NormalityOf(const Variable& v, double empty) {
  NormalityRow row;
  row.name = v.name;
  double mean = 0, sigma = 0;
  MeanSigma(v.values, v.last, empty, mean, sigma);
  SkewExcess(v.values, v.last, mean, sigma, empty, false, row.moments);
  Chi2Normality(v.values, v.last, mean, sigma, empty, false, row.fit);
  return row;
}

namespace {

std::string NormalityLine(const NormalityRow& r) {
  // A value that could not be computed shows its error text instead.
  const auto field = [](double value, const PText& p, const std::string& error) {
    return error.empty() ? FixedText(value, 8, 2) + "  " + p : error;
  };
  std::string name = r.name;
  PadName(name);
  return " " + AlignRight(name, 8) + "    " + field(r.moments.as, r.moments.pAs, r.moments.error) + "  " +
         field(r.moments.ex, r.moments.pEx, r.moments.error) + "    " + field(r.fit.chi2, r.fit.p, r.fit.error);
}

}  // namespace

void NormalityStat(ResultsFileWriter& out, const DataSet& data, const ProgressFn& progress) {
  TitleNormality(out);
  for (int i = 0; i <= data.LastVar; ++i) {
    Report(progress, i + 1, data.NumVar);
    out.WriteLn(NormalityLine(NormalityOf(GetVariable(data, i), data.EmptyValue)));
  }
  EndTable(out);
}

}  // namespace tavrel
