#include <string>

#include "cli/cli_common.h"
#include "core/cluster/cluster_command.h"
#include "core/cluster/cluster_options.h"
#include "cli/commands.h"
#include "core/data/data_table_writer.h"
#include "core/data/dataset.h"
#include "core/data/program_version.h"
#include "core/data/results_file.h"
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
void ChooseOptions(const Arguments& args) {
  InitClusterOptions();
  ClusterOptions& o = ClusterConfig();
  o.ObjectDistance = RangeValue(args, "--distance", o.ObjectDistance, 0, kObjectDistanceCount - 1);
  o.ClusterDistance = RangeValue(args, "--method", o.ClusterDistance, 0, kJoiningMethodCount - 1);
  o.ClusterNumber = RangeValue(args, "--clusters", o.ClusterNumber, kMinClusterNumber, kMaxClusterNumber);
  o.Beta = args.DoubleValue("--beta", o.Beta);
  o.PrintDistances = args.Has("--print-distances");
  o.ClustCont = o.ClustCont || args.Has("--contents");
  o.AddClustNumber = o.AddClustNumber || args.Has("--add-variable");
  Config().ObjectDistanceName = ObjectDistanceCaption(o.ObjectDistance);
  Config().ClusterDistanceName = JoiningMethodCaption(o.ClusterDistance);
}

}  // namespace

void RunClusterFor(const Arguments& args, const std::string& dataFile, const std::string& resultsFile, bool rewrite) {
  LoadSettingsFor(args);
  ChooseOptions(args);
  LoadDataFor(args, dataFile);

  DataSet& d = Data();
  d.OperationMode = kModeCluster;
  if (!RemoveEmptyVars(Data())) throw CommandFailure(kRemoveEmptyVarsFailed);
  SelectVariables(args);
  const std::string refusal = ClusterRefusal();
  if (!refusal.empty()) throw CommandFailure(refusal);

  d.ResultsFileName = resultsFile.empty()
                          ? ResultsFilePath(Config().OutputCat, ProposedResultsName(d.DataFileShortName))
                          : resultsFile;
  RefuseDataFile(d.ResultsFileName);
  if (args.Has("--save")) RefuseDataFile(args.Value("--save"));
  ResultsFile().Open(d.ResultsFileName, !rewrite);
  ClusterOutcome outcome;
  try {
    outcome = WriteClusterReport(ProgramCaption(), {});
  } catch (...) {
    ResultsFile().Close();
    throw;
  }
  ResultsFile().Close();
  if (!outcome.completed) throw CommandFailure(outcome.message);
  WidenUnlessKept(Data());
}

int RunCluster(const std::vector<std::string>& raw) {
  std::set<std::string> options = kClusterAnalysisOptions;
  options.insert("--save");
  const Arguments args(raw, {"--print-distances", "--contents", "--add-variable", "--rewrite"}, options);
  const std::string& dataFile = args.Required(0, "файл данных");
  if (args.Positional().size() > 2) throw UsageError("лишний аргумент " + args.Positional()[2]);
  RunClusterFor(args, dataFile, args.Positional().size() > 1 ? args.Positional()[1] : std::string(),
                args.Has("--rewrite"));

  if (args.Has("--save")) {
    ResultsFile().Open(args.Value("--save"), false);
    WriteDataTable(Data());
    ResultsFile().Close();
  }
  return 0;
}

}  // namespace tavrel::cli
