#include "cli/command_line.h"

#include <iostream>

#include "cli/cli_common.h"
#include "core/commands/command_refusal.h"

namespace tavrel::cli {

namespace {

void PrintUsage(std::ostream& out, std::span<const CommandEntry> commands) {
  out << "Использование: tavrel-cli КОМАНДА ...\n";
  for (const CommandEntry& c : commands) out << "  tavrel-cli " << c.usage << "\n";
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::span<const CommandEntry> commands) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    PrintUsage(args.empty() ? std::cerr : std::cout, commands);
    return args.empty() ? 2 : 0;
  }
  for (const CommandEntry& c : commands) {
    if (args[0] != c.name) continue;
    try {
      return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const UsageError& e) {
      std::cerr << "tavrel-cli " << c.name << ": " << e.what() << "\n";
      std::cerr << "Использование: tavrel-cli " << c.usage << "\n";
      return 2;
    } catch (const CommandRefusal& e) {
      std::cerr << e.what() << "\n";
      return ExitCode(e.kind);
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
      return 1;
    }
  }
  std::cerr << "tavrel-cli: неизвестная команда " << args[0] << "\n";
  PrintUsage(std::cerr, commands);
  return 2;
}

}  // namespace tavrel::cli
