#include "app/graphs/run_graph_editor.h"

#include "app/data/command_frame.h"
#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "app/data/tfm_var.h"
#include "app/graphs/tfm_gr_edit.h"
#include "app/graphs/tfm_gragh_cfg.h"
#include "app/shell/tfm_main.h"

namespace tavrel {

void RunGraphEditor(TfmMain& main) {
  Data().OperationMode = kModeGraphicEditor;
  WidenOnExit widen;
  if (!main.fmVar->Execute()) return;
  if (!main.fmGraghCfg->Execute()) return;
  TfmGrEdit editor(&main);
  editor.Execute();
}

}  // namespace tavrel
