#pragma once

namespace tavrel {

class TfmMain;

// The command "Комбинированный": the variables, the chart type dialog and the chart.
void RunCombinedGraph(TfmMain& main);

}  // namespace tavrel
