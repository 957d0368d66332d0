#pragma once
// The graph options the program keeps for its run: set in the graph settings
// and printing dialogs, read by every graph window.
#include "core/graphs/graph_options.h"
#include "core/graphs/sequential_layout.h"

namespace tavrel {

GraphOptions& GraphRunOptions();

// What the program's sequential graphs are drawn from: its session's data
// set, settings and overlays, and the run's options.
SequentialSource ProgramGraphSource();

}  // namespace tavrel
