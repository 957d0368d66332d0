#pragma once
// The batch tool's commands; each returns the process exit code.
#include <set>
#include <string>
#include <vector>

namespace tavrel {
struct Session;
}

namespace tavrel::cli {

using Command = int (*)(const std::vector<std::string>& args);

struct CommandEntry {
  const char* name;
  Command run;
  const char* usage;
};

int RunInfo(const std::vector<std::string>& args);
int RunSave(const std::vector<std::string>& args);
int RunCluster(const std::vector<std::string>& args);
// The cluster command's options that choose the analysis, shared by the cluster graphs.
inline const std::set<std::string> kClusterAnalysisOptions = {"--ini",    "--missing",  "--vars", "--distance",
                                                              "--method", "--clusters", "--beta"};
class Arguments;
// The cluster run of the cluster command in session: settings, options, data,
// the report written to resultsFile (empty: the proposed results file).
// laterOutput, the file written after the run (empty: none), is checked with
// the report before anything is written. A refusal or a failed run is a
// CommandRefusal, and a failed run leaves the results file as it was.
void RunClusterFor(Session& session, const Arguments& args, const std::string& dataFile,
                   const std::string& resultsFile, bool rewrite, const std::string& laterOutput);
int RunStat(const std::vector<std::string>& args);
int RunCalc(const std::vector<std::string>& args);
// The graph command: runs the drawing program tavrel-cli-graph beside this one with the same words.
int RunGraphTool(const std::vector<std::string>& args);
// The graph command's usage, one line per kind of picture.
const char* GraphUsage();
int RunPrepare(const std::vector<std::string>& args);

}  // namespace tavrel::cli
