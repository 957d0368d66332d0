#include "core/data/variable_selection.h"

#include <algorithm>

#include "core/data/dataset.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

bool RemembersSelection() { return Config().SavePrmSel && Data().FirstSelection; }

// How many variables a mode needs, 0 for any number.
int RequiredCount(int mode) {
  if (mode == kModeGraphicEditor || mode == kModeDistributionGraph) return 1;
  if (mode == kModeScatterDiagram) return 2;
  return 0;
}

}  // namespace

SelectionStart BeginSelection() {
  DataSet& d = Data();
  SelectionStart start;
  if (d.NumObs <= 1) {
    start.warning = kNotEnoughData;
    return start;
  }
  start.enough = true;
  if ((d.OperationMode == kModeStatistics || d.OperationMode == kModeCluster) && !RemoveEmptyVars()) {
    start.warning = kRemoveEmptyVarsFailed;
  }
  for (int v = 0; v <= d.LastVar; ++v) start.names.push_back(d.VarNames[v]);
  start.preselected.assign(start.names.size(), false);
  if (RemembersSelection()) {
    d.SelectMask.resize(static_cast<std::size_t>(d.NumVar), false);
    for (int v = 0; v < start.names.Count() && v < d.SelectMask.Count(); ++v) start.preselected[v] = d.SelectMask[v];
  }
  return start;
}

std::string ConfirmSelection(const std::vector<int>& chosen) {
  DataSet& d = Data();
  if (RemembersSelection()) {
    d.SelectMask.resize(std::max<std::size_t>(d.SelectMask.size(), static_cast<std::size_t>(d.LastVar + 1)), false);
    for (int v = 0; v <= d.LastVar; ++v) {
      d.SelectMask[v] = std::find(chosen.begin(), chosen.end(), v) != chosen.end();
    }
  }
  const int required = RequiredCount(d.OperationMode);
  if (required > 0 && static_cast<int>(chosen.size()) != required) {
    return required == 1 ? kChooseOneVariable : kChooseTwoVariables;
  }
  NarrowTo(chosen);
  return {};
}

void EndSelection(bool keepSelection) {
  Data().FirstSelection = false;
  Data().KeepSelection = keepSelection;
}

}  // namespace tavrel
