#include <iostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/data/dataset.h"
#include "core/data/min_max.h"
#include "core/data/observation_dates.h"

namespace tavrel::cli {

int RunInfo(const std::vector<std::string>& raw) {
  const Arguments args(raw, {}, {"--ini", "--missing"});
  const std::string& dataFile = args.Required(0, "файл данных");
  if (args.Positional().size() > 1) throw UsageError("лишний аргумент " + args.Positional()[1]);
  Session session;
  LoadSettingsFor(args, session);
  LoadDataFor(args, dataFile, session);
  const DataSet& d = session.data;
  std::cout << "   N  Имя             Число  Пропуски      Минимум     Максимум      Шаг Y\n";
  for (int v = 0; v <= d.LastVar; ++v) {
    const Variable var = GetVariable(d, v);
    int missing = 0;
    for (std::int32_t i = 0; i <= var.last; ++i)
      if (var.values[i] == d.EmptyValue) ++missing;
    double min = 0, max = 0;
    MinMaxNoEmpty(var.values, var.last, d.EmptyValue, min, max);
    std::cout << IntText(v, 4) << "  " << AlignLeft(var.name, 8) << IntText(var.last + 1, 11)
              << IntText(missing, 10) << FixedText(min, 13, 3) << FixedText(max, 13, 3)
              << FixedText(d.VarSteps[v], 11, 3) << "\n";
  }
  if (AnyDate(d.Dates)) std::cout << "Даты: " << DateRangeText(d.Dates) << "\n";
  return 0;
}

}  // namespace tavrel::cli
