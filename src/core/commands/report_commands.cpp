#include "core/commands/report_commands.h"

#include "core/commands/command_refusal.h"
#include "core/commands/command_steps.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"

namespace tavrel {

void OpenReport(ResultsFileWriter& out, const DataSet& d, const ReportTarget& target) {
  OpenCommandOutput(out, target.path, target.append, KeptFor(d));
}

void RefuseStatistics(DataSet& d, const StatOptions& options) {
  const std::string refusal = StatisticsRefusal(d, options);
  if (!refusal.empty()) throw CommandRefusal(RefusalKind::Choice, refusal);
}

void WriteStatisticsCommand(ResultsFileWriter& out, DataSet& d, const StatOptions& options, const std::string& title,
                            const ProgressFn& progress) {
  const std::string failure = RunStatisticsReport(out, d, options, title, progress);
  // An arithmetic failure is a warning; anything else an error.
  if (!failure.empty())
    throw CommandRefusal(RefusalKind::Analysis, failure,
                         failure != kDivisionByZero && failure != kInvalidFloatOperation);
}

void RefuseCluster(DataSet& d) {
  const std::string refusal = ClusterRefusal(d);
  if (!refusal.empty()) throw CommandRefusal(RefusalKind::Choice, refusal);
}

void WriteClusterCommand(ResultsFileWriter& out, DataSet& d, const ClusterOptions& options, const Settings& settings,
                         const std::string& title, const ClusterFeedback& feedback) {
  ClusterOutcome outcome;
  try {
    outcome = WriteClusterReport(out, d, options, settings, title, feedback);
  } catch (...) {
    out.Abandon();
    throw;
  }
  if (!outcome.completed) {
    out.Abandon();
    throw CommandRefusal(RefusalKind::Analysis, outcome.message, outcome.isError);
  }
  out.Close();
  WidenUnlessKept(d);
}

}  // namespace tavrel
