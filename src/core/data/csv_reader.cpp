#include "core/data/csv_reader.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/base/errors.h"
#include "core/base/file_paths.h"
#include "core/base/numbers.h"
#include "core/base/table_memory.h"
#include "core/base/text_codec.h"
#include "core/data/data_file_lines.h"
#include "core/data/dataset.h"
#include "core/data/observation_dates.h"
#include "core/data/variable_name.h"

namespace tavrel {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr char kDelimiters[] = {';', '\t', ','};
constexpr int kSampledLines = 5;

std::size_t PastUtf8Mark(std::string_view b) { return b.substr(0, 3) == kUtf8Mark ? 3 : 0; }

bool IsFieldBlank(char c, char delimiter) { return (c == ' ' || c == '\t') && c != delimiter; }

// The end of the row starting at pos: its first line end outside quotes
// (crossQuotedLineEnds) or its first line end.
std::size_t RowEnd(std::string_view b, std::size_t pos, bool crossQuotedLineEnds) {
  if (!crossQuotedLineEnds) return FindLineEnd(b, pos);
  bool quoted = false;
  for (; pos < b.size(); ++pos) {
    if (b[pos] == '"') quoted = !quoted;
    else if (!quoted && (b[pos] == '\n' || b[pos] == '\r')) break;
  }
  return pos;
}

// The fields of a row, unquoted and trimmed; pos receives the position of
// the first field that ends badly (a quote left open, text after a closing
// quote), or npos.
std::vector<std::string> SplitRow(std::string_view row, char delimiter, std::size_t& bad) {
  std::vector<std::string> fields;
  bad = std::string_view::npos;
  std::size_t p = 0;
  const std::size_t n = row.size();
  for (;;) {
    while (p < n && IsFieldBlank(row[p], delimiter)) ++p;
    std::string field;
    if (p < n && row[p] == '"') {
      const std::size_t open = p++;
      for (;;) {
        if (p >= n) {
          if (bad == std::string_view::npos) bad = open;
          break;
        }
        if (row[p] == '"') {
          if (p + 1 < n && row[p + 1] == '"') {
            field += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        field += row[p++];
      }
      while (p < n && IsFieldBlank(row[p], delimiter)) ++p;
      if (p < n && row[p] != delimiter && bad == std::string_view::npos) bad = open;
      while (p < n && row[p] != delimiter) ++p;
    } else {
      const std::size_t start = p;
      while (p < n && row[p] != delimiter) ++p;
      std::size_t end = p;
      while (end > start && IsFieldBlank(row[end - 1], delimiter)) --end;
      field.assign(row.substr(start, end - start));
    }
    fields.push_back(std::move(field));
    if (p >= n) break;
    ++p;
  }
  return fields;
}

// Fields of the row at pos split at delimiter, quotes kept whole (and line
// ends inside them, in the names row).
int CountFields(std::string_view b, std::size_t pos, char delimiter, bool namesRow) {
  std::size_t bad = 0;
  return static_cast<int>(SplitRow(b.substr(pos, RowEnd(b, pos, namesRow) - pos), delimiter, bad).size());
}

bool IsBlankRow(std::string_view row, char delimiter) {
  for (const char c : row)
    if (c != ' ' && c != '\t' && c != delimiter) return false;
  return true;
}

// The starts of the names row and of up to count following non-blank lines.
std::vector<std::size_t> SampleRows(std::string_view b, int count) {
  std::vector<std::size_t> starts;
  std::size_t pos = PastUtf8Mark(b);
  starts.push_back(pos);
  pos = PastLineEnd(b, RowEnd(b, pos, true));
  while (pos < b.size() && static_cast<int>(starts.size()) <= count) {
    const std::size_t end = FindLineEnd(b, pos);
    if (!IsBlankRow(b.substr(pos, end - pos), '\0')) starts.push_back(pos);
    pos = PastLineEnd(b, end);
  }
  return starts;
}

// The text of a field as the user sees it, shortened when it is long.
std::string FieldText(std::string_view field) {
  std::string text = DecodeFileText(field.substr(0, 40));
  if (field.size() > 40) text += "...";
  return "«" + text + "»";
}

// Reads the rows of one piece of the file.
class RowReader {
 public:
  // dates: where the first column's dates go, when the table has them (the
  // variables then start in the second column).
  RowReader(const FileText& f, const CsvDialect& dialect, int numVar, double empty, double* const* columns,
            double* dates)
      : f_(f), dialect_(dialect), numVar_(numVar), empty_(empty), columns_(columns), dates_(dates),
        first_(dates != nullptr ? 1 : 0) {}

  // The non-blank rows from pos on.
  std::int64_t Count(std::size_t pos) const {
    const std::string_view b = f_.bytes;
    std::int64_t n = 0;
    while (pos < b.size()) {
      const std::size_t end = FindLineEnd(b, pos);
      if (!IsBlankRow(b.substr(pos, end - pos), dialect_.delimiter)) ++n;
      pos = PastLineEnd(b, end);
    }
    return n;
  }

  // Reads the rows from pos on as the observations first..end-1.
  void Read(std::size_t pos, std::int32_t first, std::int32_t end) {
    const std::string_view b = f_.bytes;
    std::int32_t i = first;
    while (pos < b.size()) {
      const std::size_t lineEnd = FindLineEnd(b, pos);
      const std::string_view row = b.substr(pos, lineEnd - pos);
      if (!IsBlankRow(row, dialect_.delimiter)) {
        if (i >= end) ThrowIndexError(i, static_cast<std::size_t>(end));
        ReadRow(pos, row, i);
        ++i;
      }
      pos = PastLineEnd(b, lineEnd);
    }
  }

 private:
  void ReadRow(std::size_t rowStart, std::string_view row, std::int32_t i) {
    const char delimiter = dialect_.delimiter;
    const std::size_t n = row.size();
    std::size_t p = 0;
    int j = 0;
    for (;;) {
      while (p < n && IsFieldBlank(row[p], delimiter)) ++p;
      const std::size_t start = p;
      double value = 0;
      // Most fields are a plain number followed by the delimiter.
      const std::size_t length = j < first_ ? 0 : ScanNumber(row.substr(p), value);
      if (j < first_) {
        p = ReadDate(rowStart, row, p, i);
      } else if (length > 0 && (p + length == n || row[p + length] == delimiter)) {
        p += length;
        Store(rowStart + start, j, i, value, row.substr(start, length));
      } else if (p < n && row[p] == '"') {
        std::string text;
        p = ReadQuoted(rowStart, row, p, j, text);
        StoreText(rowStart + start, j, i, TrimBlanks(text));
      } else {
        while (p < n && row[p] != delimiter) ++p;
        std::size_t end = p;
        while (end > start && IsFieldBlank(row[end - 1], delimiter)) --end;
        StoreText(rowStart + start, j, i, row.substr(start, end - start));
      }
      ++j;
      if (p >= n) break;
      ++p;
    }
    for (int v = std::max(j - first_, 0); v < numVar_; ++v) columns_[v][i] = empty_;
  }

  // The date field at p (its first column); returns the position after it.
  std::size_t ReadDate(std::size_t rowStart, std::string_view row, std::size_t p, std::int32_t i) {
    const std::size_t start = p;
    std::string text;
    if (p < row.size() && row[p] == '"') {
      p = ReadQuoted(rowStart, row, p, 0, text);
    } else {
      while (p < row.size() && row[p] != dialect_.delimiter) ++p;
      text.assign(row.substr(start, p - start));
    }
    const std::string_view date = TrimBlanks(text);
    double serial = std::nan("");
    if (!date.empty() && !ParseDateText(date, serial))
      throw InOutError(Where(rowStart + start, 0) + FieldText(date) + " не является датой");
    dates_[i] = serial;
    return p;
  }

  // The text of the quoted field from the quote at p; returns the position after it.
  std::size_t ReadQuoted(std::size_t rowStart, std::string_view row, std::size_t p, int j, std::string& text) {
    const char delimiter = dialect_.delimiter;
    const std::size_t open = p++;
    for (;;) {
      if (p >= row.size())
        throw InOutError(Where(rowStart + open, j) + "кавычка не закрыта до конца строки");
      if (row[p] == '"') {
        if (p + 1 < row.size() && row[p + 1] == '"') {
          text += '"';
          p += 2;
          continue;
        }
        ++p;
        break;
      }
      text += row[p++];
    }
    while (p < row.size() && IsFieldBlank(row[p], delimiter)) ++p;
    if (p < row.size() && row[p] != delimiter)
      throw InOutError(Where(rowStart + open, j) + "после закрывающей кавычки стоит " + FieldText(row.substr(p, 1)));
    return p;
  }

  void StoreText(std::size_t at, int j, std::int32_t i, std::string_view text) {
    if (text.empty()) {
      if (j - first_ < numVar_) columns_[j - first_][i] = empty_;
      return;
    }
    double value = 0;
    bool number = false;
    if (dialect_.decimalComma && text.find(',') != std::string_view::npos) {
      char point[64];  // the field with its decimal comma made a point
      if (text.size() <= sizeof point) {
        for (std::size_t k = 0; k < text.size(); ++k) point[k] = text[k] == ',' ? '.' : text[k];
        number = ParseFixedNumber(std::string_view(point, text.size()), value);
      }
    } else {
      number = ParseFixedNumber(text, value);
    }
    if (!number) {
      if (j - first_ >= numVar_) Surplus(at, j, text);
      throw InOutError(Where(at, j) + FieldText(text) + " не является числом");
    }
    Store(at, j, i, value, text);
  }

  void Store(std::size_t at, int j, std::int32_t i, double value, std::string_view text) {
    if (j - first_ >= numVar_) Surplus(at, j, text);
    if (!std::isfinite(value)) throw InOutError(Where(at, j) + FieldText(text) + " " + kBeyondNumbers);
    columns_[j - first_][i] = value;
  }

  [[noreturn]] void Surplus(std::size_t at, int j, std::string_view text) const {
    throw InOutError(Where(at, j) + "значение " + FieldText(text) + " стоит правее последнего столбца с именем (" +
                     std::to_string(numVar_ + first_) + ")");
  }

  // "Файл <path>, строка <n>, столбец <c>: ".
  std::string Where(std::size_t at, int j) const {
    return "Файл " + f_.path + ", строка " + std::to_string(LineAt(f_, at)) + ", столбец " + std::to_string(j + 1) +
           ": ";
  }

  const FileText& f_;
  const CsvDialect& dialect_;
  int numVar_;
  double empty_;
  double* const* columns_;
  double* dates_;
  int first_;
};

// Whether the first non-empty field of the first column, from pos on, is a
// date: the column then holds the observations' dates.
bool FirstColumnHoldsDates(std::string_view b, std::size_t pos, char delimiter) {
  while (pos < b.size()) {
    const std::size_t end = FindLineEnd(b, pos);
    const std::string_view row = b.substr(pos, end - pos);
    std::size_t bad = 0;
    const std::string first = IsBlankRow(row, delimiter) ? std::string() : SplitRow(row, delimiter, bad).front();
    double serial = 0;
    if (!first.empty()) return ParseDateText(first, serial);
    pos = PastLineEnd(b, end);
  }
  return false;
}

// Reads the names row at file.pos into d and moves past it.
void ReadNames(FileText& file, const CsvDialect& dialect, DataSet& d) {
  const std::string_view b = file.bytes;
  const std::size_t start = file.pos;
  const std::size_t end = RowEnd(b, start, true);
  file.pos = PastLineEnd(b, end);
  std::size_t bad = 0;
  std::vector<std::string> fields = SplitRow(DecodeFileText(b.substr(start, end - start)), dialect.delimiter, bad);
  if (bad != std::string_view::npos)
    throw InOutError(Where(file, start) + "кавычка в строке имён не закрыта или за ней стоит текст");
  while (fields.size() > 1 && fields.back().empty()) fields.pop_back();
  if (fields.size() > static_cast<std::size_t>(kMaxCsvColumns)) {
    throw RangeError(Where(file, start) + "больше " + std::to_string(kMaxCsvColumns) + " столбцов (" +
                     std::to_string(fields.size()) + ")");
  }
  d.VarNames.clear();
  for (std::size_t c = 0; c < fields.size(); ++c)
    d.VarNames.push_back(CleanName(fields[c], static_cast<int>(c) + 1));
  d.NumVar = static_cast<int>(d.VarNames.Count());
  d.LastVar = d.NumVar - 1;
}

}  // namespace

CsvDialect DetectCsvDialect(std::string_view bytes) {
  const std::vector<std::size_t> rows = SampleRows(bytes, kSampledLines);
  const auto dialectOf = [](char delimiter) { return CsvDialect{delimiter, delimiter != ','}; };
  for (const char delimiter : kDelimiters) {
    const int names = CountFields(bytes, rows[0], delimiter, true);
    if (names < 2) continue;
    if (std::all_of(rows.begin() + 1, rows.end(),
                    [&](std::size_t row) { return CountFields(bytes, row, delimiter, false) == names; }))
      return dialectOf(delimiter);
  }
  for (const char delimiter : kDelimiters)
    if (CountFields(bytes, rows[0], delimiter, true) > 1) return dialectOf(delimiter);
  return dialectOf(';');
}

bool IsCsvName(const std::string& path) {
  const std::string name = FileNameOf(path);
  return name.size() > 4 && AsciiUpper(name.substr(name.size() - 4)) == ".CSV";
}

bool LooksLikeCsv(std::string_view bytes) {
  const std::vector<std::size_t> rows = SampleRows(bytes, 1);
  if (rows.size() < 2) return false;
  for (const char delimiter : {';', ','}) {
    const int names = CountFields(bytes, rows[0], delimiter, true);
    if (names > 1 && CountFields(bytes, rows[1], delimiter, false) == names) return true;
  }
  return false;
}

void ReadCsvData(FileText& file, DataSet& d) { ReadCsvData(file, d, PiecesFor(file.bytes.size())); }

void ReadCsvData(FileText& file, DataSet& d, int pieces) {
  const CsvDialect dialect = DetectCsvDialect(file.bytes.substr(file.pos));
  ReadNames(file, dialect, d);
  const bool dated = FirstColumnHoldsDates(file.bytes, file.pos, dialect.delimiter);
  if (dated) {
    d.VarNames.erase(d.VarNames.begin());  // the dates' column is no variable
    d.NumVar = static_cast<int>(d.VarNames.Count());
    d.LastVar = d.NumVar - 1;
  }
  std::vector<FileText> parts = SplitAtLineEnds(file, std::max(pieces, 1));
  const int n = static_cast<int>(parts.size());
  const double empty = d.EmptyValue;
  std::vector<std::int64_t> rows(parts.size());
  RunPieces(n, [&](int k) { rows[k] = RowReader(parts[k], dialect, d.NumVar, empty, nullptr, nullptr).Count(parts[k].pos); });
  std::vector<std::int32_t> firstRow(parts.size() + 1, 0);
  for (int k = 0; k < n; ++k) {
    const std::int64_t end = firstRow[k] + rows[k];
    if (end > INT32_MAX) throw OverflowError("Слишком много строк данных");
    firstRow[k + 1] = static_cast<std::int32_t>(end);
  }
  const std::int32_t numObs = firstRow[n];
  CheckTableFits(file.path, d.NumVar, numObs);
  d.NumObs = numObs;
  d.LastObs = d.NumObs - 1;
  d.DataValues = ZeroColumns(static_cast<std::size_t>(d.NumVar), static_cast<std::size_t>(d.NumObs));
  if (dated) d.Dates.assign(static_cast<std::size_t>(d.NumObs), std::nan(""));
  std::vector<double*> columns;
  for (Array<double>& column : d.DataValues) columns.push_back(column.data());
  double* const dates = dated ? d.Dates.data() : nullptr;
  RunPieces(n, [&](int k) {
    RowReader(parts[k], dialect, d.NumVar, empty, columns.data(), dates)
        .Read(parts[k].pos, firstRow[k], firstRow[k + 1]);
  });
  file.pos = file.bytes.size();
  d.VarCounts.assign(static_cast<std::size_t>(d.NumVar), d.NumObs);
}

}  // namespace tavrel
