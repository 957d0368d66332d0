#pragma once

namespace tavrel {

class TfmMain;

// The command "Дерево кластеров": the dendrogram of the last cluster run,
// from which the text tree opens.
void RunClusterTree(TfmMain& main);

}  // namespace tavrel
