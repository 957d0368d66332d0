#include <iostream>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/base/value_search.h"
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
  // Each variable's line, worked out where the values lie, the variables
  // shared among the cores as the reading shares a file.
  struct Line {
    std::int32_t last = -1;
    int missing = 0;
    double min = 0, max = 0;
  };
  std::vector<Line> lines(static_cast<std::size_t>(d.LastVar + 1));
  ForEachVariable(d, d.LastVar + 1, [&](int v) {
    Line& line = lines[static_cast<std::size_t>(v)];
    const Array<double>& values = d.DataValues[v];
    line.last = d.VarCounts[v] - 1;
    if (line.last >= values.Count()) throw RangeError("Число значений переменной больше длины строки данных");
    line.missing = static_cast<int>(CountEqual(values.data(), static_cast<std::size_t>(line.last + 1), d.EmptyValue));
    MinMaxNoEmpty(values, line.last, d.EmptyValue, line.min, line.max);
  });
  std::cout << "   N  Имя             Число  Пропуски      Минимум     Максимум      Шаг Y\n";
  for (int v = 0; v <= d.LastVar; ++v) {
    const Line& line = lines[static_cast<std::size_t>(v)];
    std::cout << IntText(v, 4) << "  " << AlignLeft(d.VarNames[v], 8) << IntText(line.last + 1, 11)
              << IntText(line.missing, 10) << FixedText(line.min, 13, 3) << FixedText(line.max, 13, 3)
              << FixedText(d.VarSteps[v], 11, 3) << "\n";
  }
  if (AnyDate(d.Dates)) std::cout << "Даты: " << DateRangeText(d.Dates) << "\n";
  return 0;
}

}  // namespace tavrel::cli
