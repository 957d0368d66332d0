#include "core/graphs/graph_state.h"

#include "core/data/dataset.h"

namespace tavrel {

GraphState& Graph() {
  static GraphState state;
  return state;
}

void ResetGraphState() { Graph() = GraphState{}; }

void ClearGraphOverlays() {
  GraphState& g = Graph();
  g.ShowLevels = false;
  g.LevelValues.clear();
  g.ShowXMarks = false;
  g.XMarks.clear();
}

const VariableLevels* LevelsOf(const std::string& name) {
  for (const VariableLevels& l : Graph().LevelValues)
    if (l.name == name) return &l;
  return nullptr;
}

VariableLevels& LevelsFor(const std::string& name) {
  for (VariableLevels& l : Graph().LevelValues)
    if (l.name == name) return l;
  return Graph().LevelValues.emplace_back(VariableLevels{name, {}});
}

void AppendSmoothingNotes() {
  if (Graph().Smooth3) Data().ProcessingNote += "Данные сглажены по 3 точкам. ";
  if (Graph().Smooth5) Data().ProcessingNote += "Данные сглажены по 5 точкам. ";
}

}  // namespace tavrel
