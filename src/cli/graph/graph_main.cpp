// tavrel-cli-graph: the pictures of the batch tool, which runs this program
// for its graph command.
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/graph/graph_kinds.h"

using namespace tavrel::cli;

int main(int argc, char** argv) {
  const CommandEntry commands[] = {{"graph", RunGraph, GraphUsage()}};
  return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), commands);
}
