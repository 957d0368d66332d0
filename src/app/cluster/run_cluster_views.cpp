#include "app/cluster/run_cluster_views.h"

#include "app/cluster/tfm_clust_tree.h"
#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/graphs/chart_model.h"
#include "app/graphs/tfm_comb_graph.h"
#include "app/shell/message_service.h"
#include "core/shell/settings.h"
#include "app/shell/tfm_main.h"

namespace tavrel {

void RunClusterTree(TfmMain& main) {
  TfmClustTree tree(&main, &main);
  tree.exec();
}

void ClGraph(TfmMain& main) {
  ChartModel model = ClusterDynamicsModel(Data().Cluster);
  std::vector<StackedSeries> stacked = StackedWithBlocks(model);
  const std::string refusal = UndrawableRange(model, stacked);
  if (!refusal.empty()) {
    ShowMessage(MessageKind::Warning, refusal, &main);
    return;
  }
  const int number = main.NextClusterGraphNumber();
  main.fmCombGraph->st = QString::fromStdString(
      ResultsFilePath(EffectiveDirectory(Config().OutputCat), "clustgraph" + std::to_string(number) + ".bmp"));
  main.fmCombGraph->Execute(std::move(model), std::move(stacked), {});
}

}  // namespace tavrel
