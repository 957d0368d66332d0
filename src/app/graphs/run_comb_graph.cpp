#include "app/graphs/run_comb_graph.h"

#include "app/data/command_frame.h"
#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "app/data/tfm_var.h"
#include "app/graphs/tfm_c_graph_cfg.h"
#include "app/shell/tfm_main.h"

namespace tavrel {

void RunCombinedGraph(TfmMain& main) {
  Data().OperationMode = kModeSequentialGraph;
  WidenOnExit widen;
  if (!main.fmVar->Execute()) return;
  main.fmcGraphCfg->exec();
}

}  // namespace tavrel
