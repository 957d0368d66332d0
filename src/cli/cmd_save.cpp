#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/data/csv_writer.h"
#include "core/data/data_table_writer.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/data/saved_table.h"

namespace tavrel::cli {

int RunSave(const std::vector<std::string>& raw) {
  const Arguments args(raw, {"--append"}, kDataOptions);
  const std::string& dataFile = args.Required(0, "файл данных");
  const std::string& outFile = args.Required(1, "файл для записи");
  if (args.Positional().size() > 2) throw UsageError("лишний аргумент " + args.Positional()[2]);
  LoadSettingsFor(args);
  LoadDataFor(args, dataFile);
  SelectVariables(args);
  CheckOutputFile(outFile);
  RefuseUnsavableTable(Data(), MostSavedVariables(outFile));
  ResultsFile().Open(outFile, args.Has("--append"), KeptFor());
  WriteSavedTable(ResultsFile(), Data(), KeptFor(), SystemDecimalPoint());
  return 0;
}

}  // namespace tavrel::cli
