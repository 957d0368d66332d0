#include "core/statistics/statistics_run.h"

#include <exception>

#include "core/data/checked_array.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/correlation.h"
#include "core/statistics/descriptive_reports.h"
#include "core/statistics/normality.h"
#include "core/statistics/paired_tests.h"
#include "core/statistics/two_sample.h"

namespace tavrel {

StatOptions& StatConfig() {
  static StatOptions options;
  return options;
}

void ResetStatOptions() { StatConfig() = StatOptions{}; }

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

std::string StatisticsRefusal() {
  DataSet& d = Data();
  d.HasMissing = HasMissingValues(d);
  if (d.HasMissing && !(AllowsPairwiseMissing(StatConfig().StSel) && d.PairwiseMissing)) return kMissingNotRemoved;
  return {};
}

void WriteStatisticsReport(const std::string& title, const ProgressFn& progress) {
  static const Array<void (*)(const ProgressFn&)> kReports = {
      ElementaryStat, Variability, ThresholdLevels, NormalityStat, PearsonStat,
      SpearmanStat,   StudentStat, PairStudentStat, WilcoxonStat,  PairWilcoxonStat};
  const DataSet& d = Data();
  const auto report = kReports[StatConfig().StSel];
  WriteTitle(d.DataFileName, title, d.ProcessingNote);
  WriteVarList();
  report(progress);
}

void EndStatisticsReport() {
  WidenUnlessKept(Data());
  ResultsFile().Close();
}

std::string RunStatisticsReport(const std::string& title, const ProgressFn& progress) {
  std::string failure;
  try {
    WriteStatisticsReport(title, progress);
  } catch (const std::exception& e) {
    failure = e.what();
  }
  try {
    EndStatisticsReport();
  } catch (const std::exception& e) {
    if (failure.empty()) failure = e.what();
  }
  return failure;
}

}  // namespace tavrel
