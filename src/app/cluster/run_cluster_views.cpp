#include "cluster/run_cluster_views.h"

#include "cluster/tfm_clust_tree.h"
#include "shell/tfm_main.h"

namespace tavrel {

void RunClusterTree(TfmMain& main) {
  TfmClustTree tree(&main, &main);
  tree.exec();
}

}  // namespace tavrel
