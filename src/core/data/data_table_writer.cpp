#include "core/data/data_table_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/base/helper_thread.h"
#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"

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

// The room a value written straight from its hundredths can take, its blank
// included (a sign, nine digits, the point, two decimals and the blank are 14).
constexpr std::size_t kShortField = 24;

// Writes SavedValue(x) and a blank at out, which has kShortField bytes of room
// (all of which it may fill), and returns the end of the text, when the value's
// hundredths read back as it (nearly every measurement); otherwise writes
// nothing and returns nullptr. Below a billion a double lies far closer to its
// nearest hundredth than half a hundredth, so that is the rounding FixedText
// makes, and the division below is correctly rounded, as the reader is.
char* WriteHundredths(char* out, double x) {
  if (!(std::fabs(x) < 1e9)) return nullptr;
  const double scaled = x * 100;
  const auto hundredths = static_cast<long long>(scaled + (scaled < 0 ? -0.5 : 0.5));
  if (static_cast<double>(hundredths) / 100 != x) return nullptr;
  unsigned long long rest = static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
  // Right-aligned in a field of 8 ending before text[kShortField - 1], the blank
  // after it; the field is copied whole, so its length costs no branch.
  char text[2 * kShortField];
  std::memset(text, ' ', sizeof text);
  char* p = text + kShortField - 1;
  *--p = static_cast<char>('0' + rest % 10);
  *--p = static_cast<char>('0' + rest / 10 % 10);
  *--p = '.';
  rest /= 100;
  do {
    *--p = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest > 0);
  if (hundredths < 0) *--p = '-';
  const auto length = std::max<std::size_t>(static_cast<std::size_t>(text + kShortField - p), 9);
  std::memcpy(out, text + kShortField - length, kShortField);
  return out + length;
}

// The lines of observations from to end - 1 into block, which is emptied
// first. The text is written through a pointer into room made a row ahead.
void FormatRows(std::string& block, const std::vector<const double*>& columns, std::int64_t from, std::int64_t end) {
  const std::size_t rowRoom = columns.size() * kShortField + 2;
  std::size_t used = 0;
  block.clear();
  for (std::int64_t j = from; j < end; ++j) {
    if (block.size() < used + rowRoom) block.resize(std::max(2 * block.size(), used + rowRoom));
    char* p = block.data() + used;
    for (const double* column : columns) {
      const double x = column[j];
      if (char* past = WriteHundredths(p, x)) {
        p = past;
        continue;
      }
      // Another form, whose text may be long: room for it and the rest of the row.
      const std::string text = SavedValue(x) + ' ';
      used = static_cast<std::size_t>(p - block.data());
      if (block.size() < used + text.size() + rowRoom) block.resize(used + text.size() + rowRoom);
      p = block.data() + used;
      std::memcpy(p, text.data(), text.size());
      p += text.size();
    }
    *p++ = '\r';
    *p++ = '\n';
    used = static_cast<std::size_t>(p - block.data());
  }
  block.resize(used);
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
  std::vector<const double*> columns;
  for (int v = 0; v <= d.LastVar; ++v) columns.push_back(d.DataValues[v].data());
  // Two blocks of about a megabyte each are made at a time, one by a second
  // thread, and written in order.
  const auto rows = static_cast<std::int64_t>(std::max<std::size_t>(1, (1 << 20) / (9 * columns.size() + 2)));
  const std::int64_t end = static_cast<std::int64_t>(d.LastObs) + 1;
  std::string blocks[2];
  HelperThread helper;
  for (std::int64_t j = 0; j < end; j += 2 * rows) {
    const std::int64_t middle = std::min(end, j + rows);
    const std::int64_t last = std::min(end, middle + rows);
    if (middle < last) {
      helper.RunAlongside([&] { FormatRows(blocks[1], columns, middle, last); },
                          [&] { FormatRows(blocks[0], columns, j, middle); });
    } else {
      FormatRows(blocks[0], columns, j, middle);
      blocks[1].clear();
    }
    out.Write(blocks[0]);
    out.Write(blocks[1]);
  }
}

}  // namespace tavrel
