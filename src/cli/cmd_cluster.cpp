#include <string>

#include "cli/cli_common.h"
#include "core/cluster/cluster_command.h"
#include "core/cluster/cluster_options.h"
#include "cli/commands.h"
#include "core/data/csv_writer.h"
#include "core/data/data_table_writer.h"
#include "core/data/dataset.h"
#include "core/data/program_version.h"
#include "core/data/results_file.h"
#include "core/data/saved_table.h"
#include "core/shell/settings.h"

namespace tavrel::cli {

namespace {

int RangeValue(const Arguments& args, const std::string& name, int fallback, int low, int high) {
  const int value = args.IntValue(name, fallback);
  if (value < low || value > high)
    throw UsageError(name + ": " + std::to_string(low) + ".." + std::to_string(high));
  return value;
}

// The options as the parameter dialog would leave them: the settings, then the command line.
ClusterOptions ChooseOptions(const Arguments& args) {
  ClusterOptions o = ClusterOptionsFrom(Config());
  o.ObjectDistance = RangeValue(args, "--distance", o.ObjectDistance, 0, kObjectDistanceCount - 1);
  o.ClusterDistance = RangeValue(args, "--method", o.ClusterDistance, 0, kJoiningMethodCount - 1);
  o.ClusterNumber = RangeValue(args, "--clusters", o.ClusterNumber, kMinClusterNumber, kMaxClusterNumber);
  o.Beta = args.DoubleValue("--beta", o.Beta);
  o.PrintDistances = args.Has("--print-distances");
  o.ClustCont = o.ClustCont || args.Has("--contents");
  o.AddClustNumber = o.AddClustNumber || args.Has("--add-variable");
  Config().ObjectDistanceName = ObjectDistanceCaption(o.ObjectDistance);
  Config().ClusterDistanceName = JoiningMethodCaption(o.ClusterDistance);
  return o;
}

}  // namespace

void RunClusterFor(const Arguments& args, const std::string& dataFile, const std::string& resultsFile, bool rewrite,
                   const std::string& laterOutput) {
  LoadSettingsFor(args);
  const ClusterOptions options = ChooseOptions(args);
  LoadDataFor(args, dataFile);

  DataSet& d = Data();
  d.OperationMode = kModeCluster;
  if (!RemoveEmptyVars(Data())) throw CommandFailure(kRemoveEmptyVarsFailed);
  SelectVariables(args);
  const std::string refusal = ClusterRefusal(d);
  if (!refusal.empty()) throw CommandFailure(refusal);

  d.ResultsFileName = resultsFile.empty()
                          ? ResultsFilePath(Config().OutputCat, ProposedResultsName(d.DataFileShortName))
                          : resultsFile;
  CheckOutputFile(d.ResultsFileName);
  if (!laterOutput.empty()) CheckOutputFile(laterOutput, d.ResultsFileName);
  ResultsFile().Open(d.ResultsFileName, !rewrite, KeptFor());
  ClusterOutcome outcome;
  try {
    outcome = WriteClusterReport(ResultsFile(), d, options, Config(), ProgramCaption(), {});
  } catch (...) {
    ResultsFile().Abandon();
    throw;
  }
  if (!outcome.completed) {
    ResultsFile().Abandon();
    throw CommandFailure(outcome.message);
  }
  ResultsFile().Close();
  WidenUnlessKept(Data());
}

int RunCluster(const std::vector<std::string>& raw) {
  std::set<std::string> options = kClusterAnalysisOptions;
  options.insert("--save");
  const Arguments args(raw, {"--print-distances", "--contents", "--add-variable", "--rewrite"}, options);
  const std::string& dataFile = args.Required(0, "файл данных");
  if (args.Positional().size() > 2) throw UsageError("лишний аргумент " + args.Positional()[2]);
  RunClusterFor(args, dataFile, args.Positional().size() > 1 ? args.Positional()[1] : std::string(),
                args.Has("--rewrite"), args.Value("--save"));

  if (args.Has("--save")) {
    const std::string& saveFile = args.Value("--save");
    RefuseUnsavableTable(Data(), MostSavedVariables(saveFile));
    ResultsFile().Open(saveFile, false, KeptFor(Data().ResultsFileName));
    WriteSavedTable(ResultsFile(), Data(), KeptFor(Data().ResultsFileName), SystemDecimalPoint());
  }
  return 0;
}

}  // namespace tavrel::cli
