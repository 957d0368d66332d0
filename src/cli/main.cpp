// tavrel-cli: the batch companion of Tavrel, for scripted work on the same
// settings and data files.
#include <iostream>
#include <string>
#include <vector>

#include "cli_common.h"
#include "commands.h"
#include "data/errors.h"

using namespace tavrel::cli;

namespace {

const CommandEntry kCommands[] = {
    {"info", RunInfo, "info DATAFILE [--missing CODE] [--ini PATH]"},
    {"save", RunSave, "save DATAFILE OUTFILE [--vars NAME,...] [--append] [--missing CODE] [--ini PATH]"},
    {"cluster", RunCluster,
     "cluster DATAFILE [OUTFILE] [--vars NAME,...] [--distance 0|1|2] [--method 0..5] [--clusters 1..10] "
     "[--beta B] [--print-distances] [--contents] [--add-variable] [--save FILE] [--rewrite] [--missing CODE] "
     "[--ini PATH]"},
    {"stat", RunStat,
     "stat ANALYSIS DATAFILE [OUTFILE] [--vars NAME,...] [--missing CODE] [--pairwise-missing]\n"
     "        [--pairwise-outliers] [--equal-names] [--reliable] [--level N] [--rewrite] [--ini PATH]\n"
     "        ANALYSIS: 0-9 or elementary, variability, levels, normality, pearson, spearman,\n"
     "        student, pair-student, wilcoxon, pair-wilcoxon"},
    {"calc", RunCalc,
     "calc student M1 S1 N1 M2 S2 N2 [--sem]\n"
     "        calc table22 X1 TOTAL1 X2 TOTAL2\n"
     "        calc diagnostic TP FP FN TN"},
    {"graph", RunGraph, GraphUsage()},
    {"prepare", RunPrepare,
     "prepare DATAFILE OUTFILE STEP... [--missing CODE] [--ini PATH]\n"
     "        STEP: missing-to-mean, delete-missing, delete-missing-rows, outliers-to-mean,\n"
     "        delete-outliers, delete-outlier-rows, keep-outliers, keep-outlier-rows,\n"
     "        normalise[:NAMES], differences[:NAMES], log[:NAMES], shift:N[:NAMES],\n"
     "        replace:OLD:NEW[:NAME], arith:A:OP:B:R (OP + - * /), rename:OLD:NEW"},
};

void PrintUsage(std::ostream& out) {
  out << "Использование: tavrel-cli КОМАНДА ...\n";
  for (const CommandEntry& c : kCommands) out << "  tavrel-cli " << c.usage << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    PrintUsage(args.empty() ? std::cerr : std::cout);
    return args.empty() ? 2 : 0;
  }
  for (const CommandEntry& c : kCommands) {
    if (args[0] != c.name) continue;
    try {
      return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const UsageError& e) {
      std::cerr << "tavrel-cli " << c.name << ": " << e.what() << "\n";
      std::cerr << "Использование: tavrel-cli " << c.usage << "\n";
      return 2;
    } catch (const CommandFailure& e) {
      std::cerr << e.what() << "\n";
      return 1;
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
      return 1;
    }
  }
  std::cerr << "tavrel-cli: неизвестная команда " << args[0] << "\n";
  PrintUsage(std::cerr);
  return 2;
}
