#include "app/graphs/run_graphic.h"

#include "app/data/command_frame.h"
#include "core/data/dataset.h"
#include "app/data/tfm_var.h"
#include "core/data/session.h"
#include "app/graphs/tfm_gragh_cfg.h"
#include "app/graphs/tfm_graphic.h"
#include "app/shell/tfm_main.h"

namespace tavrel {

void RunSequentialGraph(TfmMain& main, bool fromToolBar) {
  Data().OperationMode = kModeSequentialGraph;
  if (fromToolBar) ProgramSession().overlays.ShowXMarks = false;
  WidenOnExit widen;
  main.fmVar->Execute();
  if (main.fmVar->IsAbort) return;
  main.fmGraghCfg->Execute();
  if (main.fmGraghCfg->IsAbort) return;
  main.fmGraphic->Execute();
}

}  // namespace tavrel
