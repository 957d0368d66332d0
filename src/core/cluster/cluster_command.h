#pragma once
// The cluster command as engine steps, shared by the main window and the batch
// tool. At start-up, once the settings are read, ClusterOptionsFrom gives the
// cluster options their first values. The command then runs:
//   OperationMode := kModeCluster; the variable dialog (aborted: end);
//   ClusterRefusal (a warning ends the command);
//   the parameter dialog;
//   the output dialog (aborted: WidenUnlessKept, end);
//   WriteClusterReport with the window's caption, then close the results file
//   when it completed, otherwise abandon it (it stays as it was before);
//   not completed: show the message (a warning, or an error when isError);
//   completed: EnableClusterCommands(true), WidenUnlessKept, show the results.
#include <cstdint>
#include <string>

#include "core/cluster/cluster_analysis.h"

namespace tavrel {

inline constexpr int kMaxLastObject = 3000;  // 3001 objects at most
inline constexpr const char* kCountsDiffer = "Переменные имеют разное число наблюдений.";
inline constexpr const char* kTooFewObjects = "Для кластерного анализа нужно не менее двух наблюдений.";

// The check after the variable dialog, before anything is asked or written:
// sets the data set's HasMissing and returns the warning that refuses the run
// ("Пропуски не удалены.", features of different counts, fewer than two or
// more than 3001 objects); empty when the run may go on.
std::string ClusterRefusal(DataSet& data);

// The warning for more than 3001 objects, given their count.
std::string TooManyObjects(std::int32_t count);

struct ClusterOutcome {
  bool completed = false;
  std::string message;  // shown when the run did not complete
  bool isError = false; // an error box rather than a warning
};

// With the results file out open, after ClusterRefusal let the run go on: the
// title block (title, DataFileName, ProcessingNote) and the variable list,
// then the analysis. A completed run's result is kept in the data set's
// Cluster (a failed one leaves the previous run's there), and the cluster
// variable is added when the options ask for it. The caller closes the results
// file when the run completed and abandons it otherwise, also when a failure
// raises (it propagates).
ClusterOutcome WriteClusterReport(ResultsFileWriter& out, DataSet& data, const ClusterOptions& options,
                                  const Settings& settings, const std::string& title,
                                  const ClusterFeedback& feedback);

}  // namespace tavrel
