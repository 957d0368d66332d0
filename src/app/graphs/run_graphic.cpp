#include "graphs/run_graphic.h"

#include "data/command_frame.h"
#include "data/dataset.h"
#include "data/tfm_var.h"
#include "graphs/graph_state.h"
#include "graphs/tfm_gragh_cfg.h"
#include "graphs/tfm_graphic.h"
#include "shell/tfm_main.h"

namespace tavrel {

void RunSequentialGraph(TfmMain& main, bool fromToolBar) {
  Data().OperationMode = kModeSequentialGraph;
  if (fromToolBar) Graph().ShowXMarks = false;
  WidenOnExit widen;
  main.fmVar->Execute();
  if (main.fmVar->IsAbort) return;
  main.fmGraghCfg->Execute();
  if (main.fmGraghCfg->IsAbort) return;
  main.fmGraphic->Execute();
}

}  // namespace tavrel
