#include "cluster/run_cluster_views.h"

#include "cluster/tfm_clust_tree.h"
#include "data/dataset.h"
#include "data/results_file.h"
#include "graphs/chart_model.h"
#include "graphs/tfm_comb_graph.h"
#include "shell/settings.h"
#include "shell/tfm_main.h"

namespace tavrel {

void RunClusterTree(TfmMain& main) {
  TfmClustTree tree(&main, &main);
  tree.exec();
}

void ClGraph(TfmMain& main) {
  ++main.nmb;
  main.fmCombGraph->st = QString::fromStdString(
      ResultsFilePath(EffectiveDirectory(Config().OutputCat), "clustgraph" + std::to_string(main.nmb) + ".bmp"));
  main.fmCombGraph->Execute(ClusterDynamicsModel(Data().Cluster), {});
}

}  // namespace tavrel
