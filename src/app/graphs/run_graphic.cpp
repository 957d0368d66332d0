#include "app/graphs/run_graphic.h"

#include "app/data/command_frame.h"
#include "app/shell/program_session.h"
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
  if (!main.fmVar->Execute()) return;
  if (!main.fmGraghCfg->Execute()) return;
  main.fmGraphic->Execute();
}

}  // namespace tavrel
