#pragma once
// The pictures the batch tool's graph command draws, one entry per kind.
#include <string>
#include <vector>

namespace tavrel::cli {

struct GraphKind {
  const char* name;
  int (*run)(const std::vector<std::string>& args);  // the arguments after the kind
  const char* usage;                                  // after "graph "
};

int RunSequentialGraph(const std::vector<std::string>& args);
int RunEditorGraph(const std::vector<std::string>& args);
int RunDendrogramGraph(const std::vector<std::string>& args);
int RunClusterDynamicsGraph(const std::vector<std::string>& args);
int RunCombinedGraph(const std::vector<std::string>& args);
int RunDistributionGraph(const std::vector<std::string>& args);
int RunScatterGraph(const std::vector<std::string>& args);

}  // namespace tavrel::cli
