// The graph command. Pictures are drawn by the companion program
// tavrel-cli-graph beside this one, which brings the window system's libraries
// with it; the commands that draw nothing start without them.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/base/system_error_text.h"

namespace tavrel::cli {

namespace {

// After "graph ", one line per kind of picture.
const char* const kGraphKindUsages[] = {
    "sequential DATAFILE OUTFILE [--vars NAME,...] [--levels] [--smooth 3|5] [--dates] [--missing CODE] [--ini PATH]",
    "editor DATAFILE OUTFILE [--var NAME] [--size WIDTHxHEIGHT] [--levels] [--smooth 3|5] [--dates] [--missing CODE] "
    "[--ini PATH]",
    "dendrogram DATAFILE OUTFILE [--vars NAME,...] [--distance 0|1|2] [--method 0..5] [--clusters 1..10] "
    "[--beta B] [--missing CODE] [--ini PATH]",
    "combined DATAFILE OUTFILE [--vars NAME,...] [--type line|bar|area] [--mode none|side|stacked|stacked100] "
    "[--3d] [--elevation 1..600] [--rotation 1..600] [--depth 1..50] [--dates] [--missing CODE] [--ini PATH]",
    "cluster-dynamics DATAFILE OUTFILE [--vars NAME,...] [--distance 0|1|2] [--method 0..5] [--clusters 1..10] "
    "[--beta B] [--missing CODE] [--ini PATH]",
    "distribution DATAFILE OUTFILE --vars NAME [--missing CODE] [--ini PATH]",
    "scatter DATAFILE OUTFILE --vars X,Y [--pairwise-missing] [--pairwise-outliers] [--missing CODE] [--ini PATH]",
};

// The drawing program in this program's own directory (links resolved, so
// the installed link in bin finds it beside the real file).
std::string GraphToolPath() {
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) throw std::runtime_error("tavrel-cli: не найден путь к программе: " + SystemErrorText(errno));
  const std::string path(self, static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1) + "tavrel-cli-graph";
}

}  // namespace

const char* GraphUsage() {
  static const std::string usage = [] {
    std::string text = "graph KIND ...";
    for (const char* kind : kGraphKindUsages) text += std::string("\n        graph ") + kind;
    return text;
  }();
  return usage.c_str();
}

int RunGraphTool(const std::vector<std::string>& args) {
  std::vector<std::string> words{GraphToolPath(), "graph"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::cout.flush();
  execv(argv[0], argv.data());
  throw std::runtime_error("tavrel-cli: не запускается программа рисования " + words[0] + ": " + SystemErrorText(errno));
}

}  // namespace tavrel::cli
