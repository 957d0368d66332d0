#pragma once
// The batch tool's commands; each returns the process exit code.
#include <string>
#include <vector>

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
int RunStat(const std::vector<std::string>& args);
int RunCalc(const std::vector<std::string>& args);
int RunGraph(const std::vector<std::string>& args);
// The graph command's usage, one line per kind of picture.
const char* GraphUsage();
int RunPrepare(const std::vector<std::string>& args);

}  // namespace tavrel::cli
