#include "core/data/graph_overlays.h"

namespace tavrel {

void ForgetLevelsAndMarks(GraphOverlays& overlays) {
  overlays.ShowLevels = false;
  overlays.LevelValues.clear();
  overlays.ShowXMarks = false;
  overlays.XMarks.clear();
}

const VariableLevels* LevelsOf(const GraphOverlays& overlays, const std::string& name) {
  for (const VariableLevels& l : overlays.LevelValues)
    if (l.name == name) return &l;
  return nullptr;
}

VariableLevels& LevelsFor(GraphOverlays& overlays, const std::string& name) {
  for (VariableLevels& l : overlays.LevelValues)
    if (l.name == name) return l;
  return overlays.LevelValues.emplace_back(VariableLevels{name, {}});
}

}  // namespace tavrel
