#include "graphs/run_comb_graph.h"

#include "data/command_frame.h"
#include "data/dataset.h"
#include "data/tfm_var.h"
#include "graphs/tfm_c_graph_cfg.h"
#include "shell/tfm_main.h"

namespace tavrel {

void RunCombinedGraph(TfmMain& main) {
  Data().OperationMode = kModeSequentialGraph;
  WidenOnExit widen;
  main.fmVar->Execute();
  if (main.fmVar->IsAbort) return;
  main.fmcGraphCfg->exec();
}

}  // namespace tavrel
