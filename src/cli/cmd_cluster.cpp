#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/base/program_version.h"
#include "core/cluster/cluster_options.h"
#include "core/commands/report_commands.h"
#include "core/commands/table_commands.h"
#include "core/data/csv_writer.h"
#include "core/data/dataset.h"
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
ClusterOptions ChooseOptions(const Arguments& args, Settings& settings) {
  ClusterOptions o = ClusterOptionsFrom(settings);
  o.ObjectDistance = RangeValue(args, "--distance", o.ObjectDistance, 0, kObjectDistanceCount - 1);
  o.ClusterDistance = RangeValue(args, "--method", o.ClusterDistance, 0, kJoiningMethodCount - 1);
  o.ClusterNumber = RangeValue(args, "--clusters", o.ClusterNumber, kMinClusterNumber, kMaxClusterNumber);
  o.Beta = args.DoubleValue("--beta", o.Beta);
  o.PrintDistances = args.Has("--print-distances");
  o.ClustCont = o.ClustCont || args.Has("--contents");
  o.AddClustNumber = o.AddClustNumber || args.Has("--add-variable");
  settings.ObjectDistanceName = ObjectDistanceCaption(o.ObjectDistance);
  settings.ClusterDistanceName = JoiningMethodCaption(o.ClusterDistance);
  return o;
}

}  // namespace

void RunClusterFor(Session& session, const Arguments& args, const std::string& dataFile,
                   const std::string& resultsFile, bool rewrite, const std::string& laterOutput) {
  LoadSettingsFor(args, session);
  const ClusterOptions options = ChooseOptions(args, session.settings);
  LoadDataFor(args, dataFile, session);
  ChooseVariablesFor(args, session, kModeCluster);
  DataSet& d = session.data;
  RefuseCluster(d);

  d.ResultsFileName = resultsFile.empty()
                          ? ResultsFilePath(session.settings.OutputCat, ProposedResultsName(d.DataFileShortName))
                          : resultsFile;
  if (!laterOutput.empty()) CheckOutputFile(laterOutput, d, d.ResultsFileName);
  ResultsFileWriter out;
  OpenReport(out, d, {d.ResultsFileName, !rewrite});
  WriteClusterCommand(out, d, options, session.settings, ProgramCaption(), {});
}

int RunCluster(const std::vector<std::string>& raw) {
  std::set<std::string> options = kClusterAnalysisOptions;
  options.insert("--save");
  const Arguments args(raw, {"--print-distances", "--contents", "--add-variable", "--rewrite"}, options);
  const std::string& dataFile = args.Required(0, "файл данных");
  if (args.Positional().size() > 2) throw UsageError("лишний аргумент " + args.Positional()[2]);
  Session session;
  RunClusterFor(session, args, dataFile, args.Positional().size() > 1 ? args.Positional()[1] : std::string(),
                args.Has("--rewrite"), args.Value("--save"));
  if (args.Has("--save")) {
    const DataSet& d = session.data;
    SaveTableCommand(d, args.Value("--save"), false, KeptFor(d, d.ResultsFileName), SystemDecimalPoint());
  }
  return 0;
}

}  // namespace tavrel::cli
