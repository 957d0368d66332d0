#include <cmath>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/base/numbers.h"
#include "core/base/program_version.h"
#include "core/commands/report_commands.h"
#include "core/data/results_file.h"
#include "core/shell/settings.h"

namespace tavrel::cli {

namespace {

// The analyses by name, in the order of the choice dialog's list.
const char* const kAnalysisNames[kAnalysisCount] = {"elementary", "variability",  "levels",  "normality",
                                                    "pearson",    "spearman",     "student", "pair-student",
                                                    "wilcoxon",   "pair-wilcoxon"};

int AnalysisIndex(const std::string& text) {
  for (int i = 0; i < kAnalysisCount; ++i)
    if (text == kAnalysisNames[i] || text == std::to_string(i)) return i;
  throw UsageError("неизвестный анализ " + text);
}

double UserLevel(const Arguments& args) {
  double level = 0;
  const std::string& text = args.Value("--level");
  if (!ParseFixedNumber(text, level)) throw UsageError("--level: не число " + text);
  if (!std::isfinite(level)) throw UsageError("--level: " + text + " " + kBeyondNumbers);
  return level;
}

}  // namespace

int RunStat(const std::vector<std::string>& raw) {
  const Arguments args(raw, {"--pairwise-missing", "--pairwise-outliers", "--equal-names", "--reliable", "--rewrite"},
                       {"--ini", "--missing", "--vars", "--level"});
  const int stSel = AnalysisIndex(args.Required(0, "анализ"));
  const std::string& dataFile = args.Required(1, "файл данных");
  if (args.Positional().size() > 3) throw UsageError("лишний аргумент " + args.Positional()[3]);
  StatOptions options;
  options.StSel = stSel;
  options.EqualNamesOnly = args.Has("--equal-names");
  options.ReliableOnly = args.Has("--reliable");
  options.UserLevelOn = args.Has("--level");
  options.UserLevel = options.UserLevelOn ? UserLevel(args) : 0;

  Session session;
  LoadSettingsFor(args, session);
  LoadDataFor(args, dataFile, session);
  ChooseVariablesFor(args, session, kModeStatistics);
  DataSet& d = session.data;
  d.PairwiseMissing = args.Has("--pairwise-missing");
  d.PairwiseOutliers = args.Has("--pairwise-outliers");
  RefuseStatistics(d, options);
  d.ResultsFileName = args.Positional().size() > 2
                          ? args.Positional()[2]
                          : ResultsFilePath(session.settings.OutputCat, ProposedResultsName(d.DataFileShortName));
  ResultsFileWriter out;
  OpenReport(out, d, {d.ResultsFileName, !args.Has("--rewrite")});
  WriteStatisticsCommand(out, d, options, ProgramCaption(), {});
  return 0;
}

}  // namespace tavrel::cli
