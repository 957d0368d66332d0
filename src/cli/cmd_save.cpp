#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/commands/table_commands.h"
#include "core/data/csv_writer.h"

namespace tavrel::cli {

int RunSave(const std::vector<std::string>& raw) {
  const Arguments args(raw, {"--append"}, kDataOptions);
  const std::string& dataFile = args.Required(0, "файл данных");
  const std::string& outFile = args.Required(1, "файл для записи");
  if (args.Positional().size() > 2) throw UsageError("лишний аргумент " + args.Positional()[2]);
  Session session;
  LoadSettingsFor(args, session);
  LoadDataFor(args, dataFile, session);
  ChooseVariablesFor(args, session, kModeSaving);
  SaveTableCommand(session.data, outFile, args.Has("--append"), KeptFor(session.data), SystemDecimalPoint());
  return 0;
}

}  // namespace tavrel::cli
