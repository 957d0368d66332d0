#pragma once
// The statistics command as an engine operation, shared by the window and the
// batch tool: its options, its refusal, and the report it writes.
#include <string>

#include "core/statistics/progress.h"

namespace tavrel {

struct DataSet;
class ResultsFileWriter;

// The ten analyses, in the order of the choice dialog's list.
enum StatAnalysis : int {
  kElementary = 0,
  kVariability = 1,
  kThresholdLevels = 2,
  kNormality = 3,
  kPearson = 4,
  kSpearman = 5,
  kStudent = 6,
  kPairStudent = 7,
  kWilcoxon = 8,
  kPairWilcoxon = 9,
};
inline constexpr int kAnalysisCount = 10;

// The options of the statistics command; the program keeps one set for its
// whole run, the batch tool makes one per command.
struct StatOptions {
  int StSel = kElementary;
  bool EqualNamesOnly = false;
  bool ReliableOnly = false;
  bool UserLevelOn = false;
  double UserLevel = 0;
};

// The list item of each analysis, as the choice dialog shows it.
const char* AnalysisCaption(int stSel);

inline constexpr const char* kMissingNotRemoved = "Пропуски не удалены.";
inline constexpr const char* kDivisionByZero = "Ошибка деления на 0";
inline constexpr const char* kInvalidFloatOperation = "Ошибка операций с вещественными числами";

// The check before a run: sets the data set's HasMissing and returns
// kMissingNotRemoved when the chosen analysis may not start with missing
// values, empty when it may run.
std::string StatisticsRefusal(DataSet& data, const StatOptions& options);

// Whether the analysis stSel may start with missing values when pairwise
// deletion of missing values is on.
bool AllowsPairwiseMissing(int stSel);

// Writes the report of the chosen analysis to the open results file out: the
// title block (title, DataFileName, ProcessingNote), the variable list and the
// analysis's table. A pairwise deletion is added to the processing note. A
// failure propagates.
void WriteStatisticsReport(ResultsFileWriter& out, DataSet& data, const StatOptions& options,
                           const std::string& title, const ProgressFn& progress);

// The clean-up after a report, also after a failed one: the variables of data are
// widened again unless KeepSelection is set, and the results file is closed
// when the report is complete (a failure to close is an InOutError), or
// otherwise abandoned, so it stays as it was before the report.
void EndStatisticsReport(ResultsFileWriter& out, DataSet& data, bool completed);

// WriteStatisticsReport and EndStatisticsReport as the command runs them.
// Returns the message to show when the report failed, empty when it is complete.
std::string RunStatisticsReport(ResultsFileWriter& out, DataSet& data, const StatOptions& options,
                                const std::string& title, const ProgressFn& progress);

}  // namespace tavrel
