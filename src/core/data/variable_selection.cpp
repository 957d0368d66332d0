#include "core/data/variable_selection.h"

#include <algorithm>

#include "core/data/dataset.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

bool RemembersSelection(const DataSet& d, const Settings& s) { return s.SavePrmSel && d.FirstSelection; }

// How many variables a mode needs, 0 for any number.
int RequiredCount(int mode) {
  if (mode == kModeGraphicEditor || mode == kModeDistributionGraph) return 1;
  if (mode == kModeScatterDiagram) return 2;
  return 0;
}

}  // namespace

SelectionStart BeginSelection(DataSet& d, const Settings& s) {
  SelectionStart start;
  if (d.NumObs <= 1) {
    start.warning = kNotEnoughData;
    return start;
  }
  start.enough = true;
  if ((d.OperationMode == kModeStatistics || d.OperationMode == kModeCluster) && !RemoveEmptyVars(d)) {
    start.warning = kRemoveEmptyVarsFailed;
  }
  for (int v = 0; v <= d.LastVar; ++v) start.names.push_back(d.VarNames[v]);
  start.preselected.assign(start.names.size(), false);
  if (RemembersSelection(d, s)) {
    d.SelectMask.resize(static_cast<std::size_t>(d.NumVar), false);
    for (int v = 0; v < start.names.Count() && v < d.SelectMask.Count(); ++v) start.preselected[v] = d.SelectMask[v];
  }
  return start;
}

std::string ConfirmSelection(DataSet& d, const Settings& s, const std::vector<int>& chosen) {
  if (RemembersSelection(d, s)) {
    d.SelectMask.resize(std::max<std::size_t>(d.SelectMask.size(), static_cast<std::size_t>(d.LastVar + 1)), false);
    for (int v = 0; v <= d.LastVar; ++v) {
      d.SelectMask[v] = std::find(chosen.begin(), chosen.end(), v) != chosen.end();
    }
  }
  const int required = RequiredCount(d.OperationMode);
  if (required > 0 && static_cast<int>(chosen.size()) != required) {
    return required == 1 ? kChooseOneVariable : kChooseTwoVariables;
  }
  NarrowTo(d, chosen);
  return {};
}

void EndSelection(DataSet& d, bool keepSelection) {
  d.FirstSelection = false;
  d.KeepSelection = keepSelection;
}

}  // namespace tavrel
