#pragma once

namespace tavrel {

class TfmMain;

// The command "Редактирование": one variable, the graph settings, and the
// graphic editor with that variable's graph.
void RunGraphEditor(TfmMain& main);

}  // namespace tavrel
