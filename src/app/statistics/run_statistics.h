#pragma once

namespace tavrel {

class TfmMain;

// The command "Статистика": the variables, the analysis, the results file, the
// report, and the results shown.
void RunStatistics(TfmMain& main);

}  // namespace tavrel
