#include "core/data/data_table_writer.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/data/dataset.h"
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
  if (!std::isfinite(x)) return text;
  double back = 0;
  if (ParseFixedNumber(TrimBlanks(text), back) && back == x) return text;
  return FixedText(x, 8, ShortestDecimals(x));
}

}  // namespace

void WriteDataTable(const DataSet& d) {
  ResultsFileWriter& out = ResultsFile();
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
