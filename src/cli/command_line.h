#pragma once
// Runs one command line of the batch tool: finds the command, runs it and
// turns its failures into messages and exit codes (2 for a wrong call with the
// usage text, 1 for a failed run).
#include <span>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace tavrel::cli {

// args are the words after the program's name; commands the ones this program knows.
int RunCommandLine(const std::vector<std::string>& args, std::span<const CommandEntry> commands);

}  // namespace tavrel::cli
