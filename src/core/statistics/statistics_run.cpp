#include "core/statistics/statistics_run.h"

#include <exception>

#include "core/base/checked_array.h"
#include "core/base/text_codec.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/correlation.h"
#include "core/statistics/descriptive_reports.h"
#include "core/statistics/normality.h"
#include "core/statistics/paired_tests.h"
#include "core/statistics/two_sample.h"

namespace tavrel {

const char* AnalysisCaption(int stSel) {
  static const Array<const char*> kCaptions = {
      "Элементарная статистика", "Вариативность данных",      "Пороговые уровни ",     "Нормальность данных",
      "Корреляция по Пирсону",   "Корреляция по Спирмену",    "Различие по Стьюденту", "Различие пар по Стьюденту",
      "Различие по Уилкоксону",  "Различие пар по Уилкоксону"};
  return kCaptions[stSel];
}

bool AllowsPairwiseMissing(int stSel) {
  return stSel == kPearson || stSel == kSpearman || stSel == kPairStudent || stSel == kPairWilcoxon;
}

std::string MissingNotRemoved(const DataSet& data) {
  constexpr int kNamesShown = 10;
  std::string names;
  int found = 0;
  for (int v = 0; v <= data.LastVar && v < data.DataValues.Count(); ++v) {
    if (!ContainsEmpty(data.DataValues[v], data.VarCounts[v] - 1, data.EmptyValue)) continue;
    if (++found > kNamesShown) continue;
    if (found > 1) names += ", ";
    names += TrimBlanks(data.VarNames[v]);
  }
  std::string text = kMissingNotRemoved;
  if (found == 0) return text;
  text += " Переменные с пропусками: " + names;
  if (found > kNamesShown) text += " и еще " + std::to_string(found - kNamesShown);
  return text + ".";
}

std::string StatisticsRefusal(DataSet& data, const StatOptions& options) {
  data.HasMissing = HasMissingValues(data);
  if (data.HasMissing && !(AllowsPairwiseMissing(options.StSel) && data.PairwiseMissing)) {
    return MissingNotRemoved(data);
  }
  return {};
}

void WriteStatisticsReport(ResultsFileWriter& out, DataSet& data, const StatOptions& options,
                           const std::string& title, const ProgressFn& progress) {
  using Report = void (*)(ResultsFileWriter&, DataSet&, const StatOptions&, const ProgressFn&);
  static const Array<Report> kReports = {
      [](ResultsFileWriter& o, DataSet& d, const StatOptions&, const ProgressFn& p) { ElementaryStat(o, d, p); },
      [](ResultsFileWriter& o, DataSet& d, const StatOptions&, const ProgressFn& p) { Variability(o, d, p); },
      [](ResultsFileWriter& o, DataSet& d, const StatOptions& s, const ProgressFn& p) { ThresholdLevels(o, d, s, p); },
      [](ResultsFileWriter& o, DataSet& d, const StatOptions&, const ProgressFn& p) { NormalityStat(o, d, p); },
      PearsonStat,
      SpearmanStat,
      [](ResultsFileWriter& o, DataSet& d, const StatOptions& s, const ProgressFn& p) { StudentStat(o, d, s, p); },
      PairStudentStat,
      [](ResultsFileWriter& o, DataSet& d, const StatOptions& s, const ProgressFn& p) { WilcoxonStat(o, d, s, p); },
      PairWilcoxonStat};
  const Report report = kReports[options.StSel];
  WriteTitle(out, data.DataFileName, title, data.ProcessingNote);
  WriteVarList(out, data);
  report(out, data, options, progress);
}

void EndStatisticsReport(ResultsFileWriter& out, DataSet& data, bool completed) {
  WidenUnlessKept(data);
  if (completed) out.Close();
  else out.Abandon();
}

std::string RunStatisticsReport(ResultsFileWriter& out, DataSet& data, const StatOptions& options,
                                const std::string& title, const ProgressFn& progress) {
  std::string failure;
  try {
    WriteStatisticsReport(out, data, options, title, progress);
  } catch (const std::exception& e) {
    failure = e.what();
  }
  try {
    EndStatisticsReport(out, data, failure.empty());
  } catch (const std::exception& e) {
    if (failure.empty()) failure = e.what();
  }
  return failure;
}

}  // namespace tavrel
