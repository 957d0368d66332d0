#include "app/cluster/run_cluster.h"

#include "app/shell/program_session.h"
#include "core/cluster/cluster_command.h"
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

namespace {

// However the report ends: the progress bar and status line are reset, and a
// results file still open (the report did not complete) is left as it was.
class ReportCleanUp {
 public:
  explicit ReportCleanUp(TfmMain& main) : main_(main) {}
  ReportCleanUp(const ReportCleanUp&) = delete;
  ReportCleanUp& operator=(const ReportCleanUp&) = delete;
  ~ReportCleanUp() {
    main_.SetProgress(0, 1);
    main_.SetInform({});
    ResultsFile().Abandon();
  }

 private:
  TfmMain& main_;
};

}  // namespace

void RunClusterCommand(TfmMain& main) {
  Data().OperationMode = kModeCluster;
  WidenOnExit widen;
  if (!main.fmVar->Execute()) return;
  const std::string refusal = ClusterRefusal(Data());
  if (!refusal.empty()) {
    ShowMessage(MessageKind::Warning, refusal, &main);
    return;
  }
  if (!main.fmParamCluster->Execute()) return;
  if (!main.fmDBFout->Execute()) return;
  ClusterOutcome outcome;
  {
    BusyCursor busy;
    ReportCleanUp cleanUp(main);
    ClusterFeedback feedback;
    feedback.progress = [&main](int position, int maximum) { main.SetProgress(position, maximum); };
    feedback.status = [&main](const std::string& text) { main.SetInform(QString::fromStdString(text)); };
    outcome = WriteClusterReport(ResultsFile(), Data(), ClusterConfig(), Config(), main.windowTitle().toStdString(),
                                 feedback);
    if (outcome.completed) ResultsFile().Close();  // a failed close is reported, not swallowed
  }
  if (!outcome.completed) {
    ShowMessage(outcome.isError ? MessageKind::Error : MessageKind::Warning, outcome.message, &main);
    return;
  }
  main.EnableClusterCommands(true);
  ShowResults(ResultsCaller::AfterRun, *main.fmSeeFile);
}

}  // namespace tavrel
