#pragma once

namespace tavrel {

class TfmMain;

// The command "Последовательный": the variables, the graph settings, and the
// sequential graph window. From the tool bar the graph starts without day marks.
void RunSequentialGraph(TfmMain& main, bool fromToolBar);

}  // namespace tavrel
