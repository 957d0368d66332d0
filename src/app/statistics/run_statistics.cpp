#include "app/statistics/run_statistics.h"

#include "app/data/command_frame.h"
#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "app/data/show_results.h"
#include "app/data/tfm_dbf_out.h"
#include "app/data/tfm_var.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/command_options.h"
#include "app/shell/message_service.h"
#include "app/shell/tfm_main.h"
#include "core/data/results_file.h"
#include "core/statistics/statistics_run.h"
#include "app/statistics/tfm_stat_cfg1.h"

namespace tavrel {

namespace {

// Arithmetic failures are warnings; anything else is an error.
MessageKind FailureKind(const std::string& failure) {
  return failure == kDivisionByZero || failure == kInvalidFloatOperation ? MessageKind::Warning : MessageKind::Error;
}

}  // namespace

void RunStatistics(TfmMain& main) {
  Data().OperationMode = kModeStatistics;
  main.EnableClusterCommands(false);
  WidenOnExit widen;
  if (!main.fmVar->Execute()) return;
  if (!main.fmStatCfg1->Execute()) return;
  const std::string refusal = StatisticsRefusal(Data(), StatConfig());
  if (!refusal.empty()) {
    ShowMessage(MessageKind::Warning, refusal, &main);
    return;
  }
  if (!main.fmDBFout->Execute()) return;
  std::string failure;
  {
    BusyCursor busy;
    main.SetProgress(0, 1);
    main.SetInform(QStringLiteral("Вычисление..."));
    failure = RunStatisticsReport(ResultsFile(), Data(), StatConfig(), main.windowTitle().toStdString(),
                                  [&main](int position, int maximum) { main.SetProgress(position, maximum); });
    main.SetProgress(0, 1);
    main.SetInform({});
  }
  if (!failure.empty()) {
    ShowMessage(FailureKind(failure), failure, &main);
    return;
  }
  ShowResults(ResultsCaller::AfterRun, *main.fmSeeFile);
}

}  // namespace tavrel
