#pragma once
// The options of the graph settings dialog: how the graphs of a run look.
// The program keeps one set for its run; a batch run makes its own.
#include <string>

namespace tavrel {

struct GraphOptions {
  bool UpperXAxis = false;
  bool XLabelsEvery5 = false;
  bool Smooth3 = false;
  bool Smooth5 = false;
  std::string PrintTitle;
};

// The sentences naming the smoothing the options choose, empty without
// smoothing. The graph names it; reports do not, as their numbers come from
// the data set itself.
std::string SmoothingNote(const GraphOptions& options);

}  // namespace tavrel
