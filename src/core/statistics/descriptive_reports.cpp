#include "core/statistics/descriptive_reports.h"

#include <cmath>
#include <functional>

#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/data/min_max.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/report_titles.h"

namespace tavrel {

namespace {

// The name as the tables show it: padded, then right-aligned in 8 characters.
std::string PaddedName(std::string name) {
  PadName(name);
  return AlignRight(name, 8);
}

// The lines of the variables in force, one after the other: the progress
// moves to done + the variable's number out of maximum before each.
void ForEachVariableLine(ResultsFileWriter& out, const DataSet& data, const ProgressFn& progress, int done, int maximum,
                         const std::function<std::string(const Variable& v)>& line) {
  for (int i = 0; i <= data.LastVar; ++i) {
    Report(progress, done + i + 1, maximum);
    out.WriteLn(line(GetVariable(data, i)));
  }
}

std::string ElementaryLine(const ElementaryRow& r) {
  return " " + PaddedName(r.name) + "    " + IntText(r.n, 4) + "  " + FixedText(r.mean, 8, 3) + "  " +
         FixedText(r.sigma, 9, 3) + "  " + FixedText(r.error, 8, 3);
}

std::string VariabilityLine(const VariabilityRow& r) {
  return " " + PaddedName(r.name) + "    " + FixedText(r.min, 8, 3) + "  " + FixedText(r.max, 8, 3) + "    " +
         FixedText(r.low, 8, 3) + "  " + FixedText(r.high, 8, 3);
}

std::string LevelsLine(const LevelsRow& r, const StatOptions& options, int sign) {
  // Only the upper table pads the names.
  const std::string name = sign > 0 ? PaddedName(r.name) : AlignRight(r.name, 8);
  const std::string user = options.UserLevelOn ? FixedText(r.user, 8, 3) : "...?";
  return " " + name + "   " + FixedText(r.mean, 8, 3) + "   " + FixedText(r.sigma, 9, 3) + "   " +
         FixedText(r.at1, 8, 3) + "   " + FixedText(r.at15, 8, 3) + "   " + FixedText(r.at2, 8, 3) + "   " + user;
}

// One table of threshold levels: sign +1 above the mean, -1 below it.
void LevelsTable(ResultsFileWriter& out, const DataSet& data, const StatOptions& options, int sign,
                 const ProgressFn& progress) {
  const int done = sign > 0 ? 0 : data.NumVar;  // the upper table counts first
  ForEachVariableLine(out, data, progress, done, 2 * data.NumVar, [&](const Variable& v) {
    return LevelsLine(LevelsOf(v, data.EmptyValue, options, sign), options, sign);
  });
  EndTable(out);
}

}  // namespace

ElementaryRow ElementaryOf(const Variable& v, double empty) {
  ElementaryRow row{v.name, v.last + 1};
  MeanSigma(v.values, v.last, empty, row.mean, row.sigma);
  row.error = row.sigma / std::sqrt(static_cast<double>(v.last));
  return row;
}

VariabilityRow VariabilityOf(const Variable& v, double empty) {
  VariabilityRow row{v.name};
  double mean = 0, sigma = 0;
  MeanSigma(v.values, v.last, empty, mean, sigma);
  MinMax(v.values, v.last, empty, row.min, row.max);
  OutlierLimits(v.last, mean, sigma, empty, row.low, row.high);
  return row;
}

LevelsRow LevelsOf(const Variable& v, double empty, const StatOptions& options, int sign) {
  LevelsRow row{v.name};
  MeanSigma(v.values, v.last, empty, row.mean, row.sigma);
  row.at1 = row.mean + sign * row.sigma;
  row.at15 = row.mean + sign * 1.5 * row.sigma;
  row.at2 = row.mean + sign * 2 * row.sigma;
  if (options.UserLevelOn) row.user = row.mean + sign * options.UserLevel * row.sigma;
  return row;
}

void ElementaryStat(ResultsFileWriter& out, const DataSet& data, const ProgressFn& progress) {
  TitleElementary(out);
  ForEachVariableLine(out, data, progress, 0, data.NumVar,
                      [&data](const Variable& v) { return ElementaryLine(ElementaryOf(v, data.EmptyValue)); });
  EndTable(out);
}

void Variability(ResultsFileWriter& out, const DataSet& data, const ProgressFn& progress) {
  TitleVariability(out);
  ForEachVariableLine(out, data, progress, 0, data.NumVar,
                      [&data](const Variable& v) { return VariabilityLine(VariabilityOf(v, data.EmptyValue)); });
  EndTable(out);
}

void ThresholdLevels(ResultsFileWriter& out, const DataSet& data, const StatOptions& options,
                     const ProgressFn& progress) {
  TitleLevelsUp(out, options);
  LevelsTable(out, data, options, +1, progress);
  TitleLevelsDown(out, options);
  LevelsTable(out, data, options, -1, progress);
}

}  // namespace tavrel
