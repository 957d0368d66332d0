#pragma once
// The options of the graph settings dialog: how the graphs of a run look.
// The program keeps one set for its run; a batch run makes its own.
#include <string>

namespace tavrel {

struct DataSet;

struct GraphOptions {
  bool UpperXAxis = false;
  bool XLabelsEvery5 = false;
  bool Smooth3 = false;
  bool Smooth5 = false;
  std::string PrintTitle;
};

// Adds the sentences on the smoothing the options choose to the data set's processing note.
void AppendSmoothingNotes(const GraphOptions& options, DataSet& data);

}  // namespace tavrel
