// tavrel-cli: the batch companion of Tavrel, for scripted work on the same
// settings and data files.
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"

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
    {"graph", RunGraphTool, GraphUsage()},
    {"prepare", RunPrepare,
     "prepare DATAFILE OUTFILE STEP... [--missing CODE] [--ini PATH]\n"
     "        STEP: missing-to-mean, delete-missing, delete-missing-rows, outliers-to-mean,\n"
     "        delete-outliers, delete-outlier-rows, keep-outliers, keep-outlier-rows,\n"
     "        normalise[:NAMES], differences[:NAMES], log[:NAMES], shift:N[:NAMES],\n"
     "        replace:OLD:NEW[:NAME], arith:A:OP:B:R (OP + - * /), rename:OLD:NEW"},
};

}  // namespace

int main(int argc, char** argv) { return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), kCommands); }
