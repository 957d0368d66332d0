#pragma once

namespace tavrel {

class TfmMain;

// The command "Дерево кластеров": the dendrogram of the last cluster run,
// from which the text tree opens.
void RunClusterTree(TfmMain& main);

// The command "Динамика кластеров": the distances of the last joins and their
// increases as bars in the chart window, the chosen step in maroon.
void ClGraph(TfmMain& main);

}  // namespace tavrel
