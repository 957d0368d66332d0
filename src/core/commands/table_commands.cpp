#include "core/commands/table_commands.h"

#include "core/commands/command_refusal.h"
#include "core/commands/command_steps.h"
#include "core/data/data_table_writer.h"
#include "core/data/results_file.h"
#include "core/data/saved_table.h"

namespace tavrel {

void SaveTableCommand(const DataSet& d, const std::string& path, bool append, const KeptFiles& kept,
                      char decimalPoint) {
  try {
    RefuseUnsavableTable(d, MostSavedVariables(path));
  } catch (const RangeError& e) {
    throw CommandRefusal(RefusalKind::Choice, e.what());
  }
  CheckCommandOutput(path, kept);
  ResultsFileWriter out;
  try {
    out.Open(path, append, kept);
    WriteSavedTable(out, d, kept, decimalPoint);
  } catch (const InOutError& e) {
    out.Abandon();
    throw CommandRefusal(RefusalKind::Output, e.what());
  }
}

}  // namespace tavrel
