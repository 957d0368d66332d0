#include "graphs/run_graph_editor.h"

#include "data/command_frame.h"
#include "data/dataset.h"
#include "data/tfm_var.h"
#include "graphs/tfm_gr_edit.h"
#include "graphs/tfm_gragh_cfg.h"
#include "shell/tfm_main.h"

namespace tavrel {

void RunGraphEditor(TfmMain& main) {
  Data().OperationMode = kModeGraphicEditor;
  WidenOnExit widen;
  main.fmVar->Execute();
  if (main.fmVar->IsAbort) return;
  main.fmGraghCfg->Execute();
  if (main.fmGraghCfg->IsAbort) return;
  TfmGrEdit editor(&main);
  editor.Execute();
}

}  // namespace tavrel
