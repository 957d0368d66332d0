#include "app/cluster/run_cluster.h"

#include "app/shell/program_session.h"
#include "core/commands/command_refusal.h"
#include "core/commands/report_commands.h"
#include "app/cluster/tfm_param_cluster.h"
#include "app/data/command_frame.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "app/data/show_results.h"
#include "app/data/tfm_dbf_out.h"
#include "app/data/tfm_var.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/command_options.h"
#include "app/shell/message_service.h"
#include "app/shell/tfm_main.h"

namespace tavrel {

void RunClusterCommand(TfmMain& main) {
  Data().OperationMode = kModeCluster;
  WidenOnExit widen;
  if (!main.fmVar->Execute()) return;
  try {
    RefuseCluster(Data());
    if (!main.fmParamCluster->Execute()) return;
    if (!main.fmDBFout->Execute()) return;
    BusyCursor busy;
    ProgressShown progress(main, {});
    ClusterFeedback feedback;
    feedback.progress = [&main](int position, int maximum) { main.SetProgress(position, maximum); };
    feedback.status = [&main](const std::string& text) { main.SetInform(QString::fromStdString(text)); };
    WriteClusterCommand(ResultsFile(), Data(), ClusterConfig(), Config(), main.windowTitle().toStdString(), feedback);
  } catch (const CommandRefusal& refusal) {
    ShowRefusal(refusal, &main);
    return;
  }
  main.EnableClusterCommands(true);
  ShowResults(ResultsCaller::AfterRun, *main.fmSeeFile);
}

}  // namespace tavrel
