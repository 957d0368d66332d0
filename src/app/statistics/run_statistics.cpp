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
#include "core/commands/command_refusal.h"
#include "core/commands/report_commands.h"
#include "app/statistics/tfm_stat_cfg1.h"

namespace tavrel {

void RunStatistics(TfmMain& main) {
  Data().OperationMode = kModeStatistics;
  main.EnableClusterCommands(false);
  WidenOnExit widen;
  if (!main.fmVar->Execute()) return;
  if (!main.fmStatCfg1->Execute()) return;
  try {
    RefuseStatistics(Data(), StatConfig());
    if (!main.fmDBFout->Execute()) return;
    BusyCursor busy;
    ProgressShown progress(main, QStringLiteral("Вычисление..."));
    WriteStatisticsCommand(ResultsFile(), Data(), StatConfig(), main.windowTitle().toStdString(),
                           [&main](int position, int maximum) { main.SetProgress(position, maximum); });
  } catch (const CommandRefusal& refusal) {
    ShowRefusal(refusal, &main);
    return;
  }
  ShowResults(ResultsCaller::AfterRun, *main.fmSeeFile);
}

}  // namespace tavrel
