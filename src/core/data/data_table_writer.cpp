#include "core/data/data_table_writer.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/data/dataset.h"
#include "core/data/errors.h"
#include "core/data/numbers.h"
#include "core/data/results_file.h"
#include "core/data/text_codec.h"

namespace tavrel {

namespace {

// Decimals of the shortest fixed-point text that reads back as x.
int ShortestDecimals(double x) {
  char buf[1100];
  const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t point = text.find('.');
  return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

std::string SavedValue(double x) {
  std::string text = FixedText(x, 8, 2);
  double back = 0;
  if (ParseFixedNumber(TrimBlanks(text), back) && back == x) return text;
  return FixedText(x, 8, ShortestDecimals(x));
}

void RefuseTooManyToSave(int variables, int mostVariables) {
  if (variables <= mostVariables) return;
  throw RangeError(std::string(mostVariables == kMaxVariables ? "Текстовая таблица" : "Таблица") + " вмещает не более " +
                   std::to_string(mostVariables) + " переменных, а выбрано " + std::to_string(variables) +
                   ": выберите меньше переменных");
}

}  // namespace

void RefuseUnsavableTable(const DataSet& d, int mostVariables) {
  RefuseTooManyToSave(d.LastVar + 1, mostVariables);
  for (int v = 0; v <= d.LastVar; ++v) {
    const Array<double>& values = d.DataValues[v];
    for (std::int32_t j = 0; j <= d.LastObs; ++j) {
      if (std::isfinite(values[j])) continue;
      throw RangeError("Переменная " + std::string(TrimBlanks(d.VarNames[v])) + ", наблюдение " + std::to_string(j + 1) +
                       ": значение " + FloatText(values[j]) + " " +
                       (std::isnan(values[j]) ? "не является числом" : kBeyondNumbers));
    }
  }
}

void WriteDataTable(ResultsFileWriter& out, const DataSet& d) {
  RefuseUnsavableTable(d);
  std::string line;
  for (int v = 0; v <= d.LastVar; ++v) line += AlignRight(d.VarNames[v], 8) + " ";
  out.WriteLn(line);
  for (std::int32_t j = 0; j <= d.LastObs; ++j) {
    line.clear();
    for (int v = 0; v <= d.LastVar; ++v) line += SavedValue(d.DataValues[v][j]) + " ";
    out.WriteLn(line);
  }
}

}  // namespace tavrel
