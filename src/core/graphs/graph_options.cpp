#include "core/graphs/graph_options.h"

namespace tavrel {

std::string SmoothingNote(const GraphOptions& options) {
  std::string note;
  if (options.Smooth3) note += "Данные сглажены по 3 точкам.";
  if (options.Smooth5) note += std::string(note.empty() ? "" : " ") + "Данные сглажены по 5 точкам.";
  return note;
}

}  // namespace tavrel
