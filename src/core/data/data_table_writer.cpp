#include "core/data/data_table_writer.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

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

// Appends SavedValue(x) and a blank to line. A value whose hundredths read
// back as it (nearly every measurement) is written straight from them: below
// a billion a double lies far closer to its nearest hundredth than half a
// hundredth, so that is the rounding FixedText makes, and the division below
// is correctly rounded, as the reader is.
void AppendSavedValue(std::string& line, double x) {
  const double scaled = std::nearbyint(x * 100);
  if (std::fabs(x) < 1e9 && scaled / 100 == x) {
    const auto hundredths = static_cast<long long>(scaled);
    unsigned long long rest = static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
    char text[24];
    char* p = text + sizeof text;
    *--p = ' ';
    *--p = static_cast<char>('0' + rest % 10);
    *--p = static_cast<char>('0' + rest / 10 % 10);
    *--p = '.';
    rest /= 100;
    do {
      *--p = static_cast<char>('0' + rest % 10);
      rest /= 10;
    } while (rest > 0);
    if (hundredths < 0) *--p = '-';
    const auto length = static_cast<std::size_t>(text + sizeof text - p);
    if (length < 9) line.append(9 - length, ' ');
    line.append(p, length);
    return;
  }
  line += SavedValue(x);
  line += ' ';
}

// The data file reader takes at most kMaxVariables names.
void RefuseTooManyToSave(int variables) {
  if (variables <= kMaxVariables) return;
  throw RangeError("Текстовая таблица вмещает не более " + std::to_string(kMaxVariables) + " переменных, а выбрано " +
                   std::to_string(variables) + ": выберите меньше переменных");
}

}  // namespace

void RefuseUnsavableTable(const DataSet& d) {
  RefuseTooManyToSave(d.LastVar + 1);
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
  std::vector<const double*> columns;
  for (int v = 0; v <= d.LastVar; ++v) columns.push_back(d.DataValues[v].data());
  // The observations go out in blocks of about a megabyte.
  constexpr std::size_t kBlockBytes = 1 << 20;
  std::string block;
  block.reserve(kBlockBytes + 4096);
  for (std::int32_t j = 0; j <= d.LastObs; ++j) {
    for (const double* column : columns) AppendSavedValue(block, column[j]);
    block += "\r\n";
    if (block.size() >= kBlockBytes) {
      out.Write(block);
      block.clear();
    }
  }
  out.Write(block);
}

}  // namespace tavrel
