#include "core/commands/table_commands.h"

#include "core/commands/command_refusal.h"
#include "core/commands/command_steps.h"
#include "core/data/data_table_writer.h"
#include "core/data/results_file.h"
#include "core/data/saved_table.h"

namespace tavrel {

void RefuseUnsavable(const DataSet& d, int mostVariables) {
  try {
    RefuseUnsavableTable(d, mostVariables);
  } catch (const RangeError& e) {
    throw CommandRefusal(RefusalKind::Choice, e.what());
  }
}

void WriteTableCommand(ResultsFileWriter& out, const DataSet& d, const KeptFiles& kept, char decimalPoint) {
  try {
    WriteSavedTable(out, d, kept, decimalPoint);
  } catch (const RangeError& e) {
    out.Abandon();
    throw CommandRefusal(RefusalKind::Choice, e.what());
  } catch (const InOutError& e) {
    out.Abandon();
    throw CommandRefusal(RefusalKind::Output, e.what());
  } catch (...) {
    out.Abandon();
    throw;
  }
}

void SaveTableCommand(const DataSet& d, const std::string& path, bool append, const KeptFiles& kept,
                      char decimalPoint) {
  RefuseUnsavable(d, MostSavedVariables(path));
  ResultsFileWriter out;
  OpenCommandOutput(out, path, append, kept);
  WriteTableCommand(out, d, kept, decimalPoint);
}

}  // namespace tavrel
