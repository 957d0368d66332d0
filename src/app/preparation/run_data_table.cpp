#include "app/preparation/run_data_table.h"

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "app/preparation/tfm_show_table.h"
#include "app/shell/tfm_main.h"

namespace tavrel {

void RunDataTable(TfmMain& main, bool afterLoad) {
  const DataSet& d = Data();
  if (d.NumVar <= 0 || d.NumObs <= 0) return;
  main.fmShowTable->Execute(afterLoad);
}

}  // namespace tavrel
