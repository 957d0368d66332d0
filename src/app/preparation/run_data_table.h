#pragma once
// The main window's command "Подготовка данных", also run after a load or new data.

namespace tavrel {

class TfmMain;

// Shows the data table window; afterLoad: the data set was just replaced.
void RunDataTable(TfmMain& main, bool afterLoad);

}  // namespace tavrel
