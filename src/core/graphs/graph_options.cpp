#include "core/graphs/graph_options.h"

#include "core/data/dataset.h"

namespace tavrel {

void AppendSmoothingNotes(const GraphOptions& options, DataSet& data) {
  if (options.Smooth3) data.ProcessingNote += "Данные сглажены по 3 точкам. ";
  if (options.Smooth5) data.ProcessingNote += "Данные сглажены по 5 точкам. ";
}

}  // namespace tavrel
