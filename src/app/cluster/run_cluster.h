#pragma once

namespace tavrel {

class TfmMain;

// The command "Кластерный анализ": the variables, the parameters, the results
// file, the report, and the results shown; a completed run enables the
// cluster display commands.
void RunClusterCommand(TfmMain& main);

}  // namespace tavrel
