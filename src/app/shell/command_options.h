#pragma once
// The options of the statistics and cluster commands as the program keeps
// them for its whole run: the dialogs show and change them, the commands pass
// them to the engine.
#include "core/cluster/cluster_options.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

StatOptions& StatConfig();
ClusterOptions& ClusterConfig();

}  // namespace tavrel
