#include "core/data/csv_writer.h"

#include <langinfo.h>
#include <locale.h>

#include <charconv>
#include <string>

#include "core/data/csv_reader.h"
#include "core/data/data_table_writer.h"
#include "core/data/dataset.h"
#include "core/data/observation_dates.h"
#include "core/data/results_file.h"

namespace tavrel {

namespace {

std::string Field(const std::string& text, char delimiter) {
  if (text.find(delimiter) == std::string::npos && text.find('"') == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// The shortest text that reads back as x, with the given decimal point.
std::string NumberField(double x, char decimalPoint) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, x);
  std::string text(buf, res.ptr);
  if (decimalPoint != '.') {
    for (char& c : text)
      if (c == '.') c = decimalPoint;
  }
  return text;
}

}  // namespace

char SystemDecimalPoint() {
  const locale_t environment = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (environment == static_cast<locale_t>(0)) return '.';
  const char* radix = nl_langinfo_l(RADIXCHAR, environment);
  const char point = radix != nullptr && radix[0] == ',' ? ',' : '.';
  freelocale(environment);
  return point;
}

void WriteCsvTable(ResultsFileWriter& out, const DataSet& d, char decimalPoint) {
  RefuseUnsavableTable(d, kMaxCsvColumns);
  const char delimiter = decimalPoint == ',' ? ';' : ',';
  if (out.ReportStart() == 0) out.Write("\xEF\xBB\xBF");
  const bool dated = AnyDate(d.Dates);
  std::string line = dated ? std::string("Дата") + delimiter : std::string();
  for (int v = 0; v <= d.LastVar; ++v) {
    if (v > 0) line += delimiter;
    line += Field(d.VarNames[v], delimiter);
  }
  out.WriteLn(line);
  const double empty = d.EmptyValue;
  for (std::int32_t j = 0; j <= d.LastObs; ++j) {
    line = dated ? IsoDateText(d.Dates[j]) + delimiter : std::string();
    bool allMissing = line.size() <= 1;
    for (int v = 0; v <= d.LastVar; ++v) {
      if (v > 0) line += delimiter;
      const double x = d.DataValues[v][j];
      if (x != empty) {
        line += NumberField(x, decimalPoint);
        allMissing = false;
      }
    }
    // A row of empty fields alone would read as no row at all.
    out.WriteLn(allMissing ? "\"\"" + line : line);
  }
}

}  // namespace tavrel
