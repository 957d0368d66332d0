#include "core/data/sheet_table.h"

#include <algorithm>
#include <cmath>

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/data/dataset.h"
#include "core/data/observation_dates.h"
#include "core/data/spreadsheet_input.h"
#include "core/data/variable_name.h"

namespace tavrel {

std::string CellReference(std::int32_t row, int column) {
  std::string letters;
  for (int c = column; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  return letters + std::to_string(row);
}

void ThrowSpreadsheetError(const std::string& detail) { throw SpreadsheetError(detail); }

void SheetTable::Reserve(int columns, std::int32_t rows) {
  columns = std::clamp(columns, 0, kMaxColumns);
  rows = std::clamp(rows, 1, kMaxRows);
  if (static_cast<int>(columns_.size()) < columns) columns_.resize(static_cast<std::size_t>(columns));
  for (auto& column : columns_) column.reserve(static_cast<std::size_t>(rows - 1));
}

void SheetTable::Visit(std::int32_t row, int column) {
  if (row < 1 || row > kMaxRows || column < 1) ThrowSpreadsheetError("Неверная ссылка на ячейку");
  if (column > kMaxColumns) {
    ThrowSpreadsheetError("Больше " + std::to_string(kMaxColumns) + " столбцов (ячейка " + CellReference(row, column) +
                          ")");
  }
  lastRow_ = std::max(lastRow_, row);
  lastColumn_ = std::max(lastColumn_, column);
}

void SheetTable::SetName(int column, std::string_view text) {
  const auto index = static_cast<std::size_t>(column - 1);
  if (index < names_.size()) ThrowSpreadsheetError("Ячейка " + CellReference(1, column) + " записана дважды");
  names_.resize(index);
  names_.push_back(CleanName(text, column));
}

void SheetTable::SetNumber(std::int32_t row, int column, double value) {
  if (column == 1 && !dates_.empty()) Refuse(row, column, "содержит число среди дат");
  RefuseBeyondNumbers(row, column, value);
  const auto index = static_cast<std::size_t>(column - 1);
  if (index >= columns_.size()) columns_.resize(index + 1);
  std::vector<double>& values = columns_[index];
  const auto filled = static_cast<std::int32_t>(values.size());
  if (filled < row - 2) Refuse(filled + 2, column, "пуста");
  if (filled > row - 2) ThrowSpreadsheetError("Ячейка " + CellReference(row, column) + " записана не по порядку");
  values.push_back(value);
}

void SheetTable::RefuseBeyondNumbers(std::int32_t row, int column, double value) const {
  // A number written beyond the range of a double reads as an infinity; a
  // binary cell may even hold an infinity or NaN. The text table could not
  // take either back.
  if (!std::isfinite(value)) Refuse(row, column, std::string("содержит число, которое ") + kBeyondNumbers);
}

void SheetTable::Refuse(std::int32_t row, int column, const std::string& why) const {
  ThrowSpreadsheetError("Ячейка " + CellReference(row, column) + " " + why);
}

void SheetTable::SetText(std::int32_t row, int column, std::string_view text) {
  double value = 0;
  double serial = 0;
  if (column == 1 && (!dates_.empty() || !ParseUserNumber(text, value)) && ParseDateText(text, serial)) {
    SetDate(row, column, serial);
    return;
  }
  if (!ParseUserNumber(text, value)) {
    const std::string shown = Utf8Left(text, 20);
    Refuse(row, column, "содержит текст «" + shown + (shown.size() < text.size() ? "…" : "") + "», а не число");
  }
  SetNumber(row, column, value);
}

void SheetTable::SetDate(std::int32_t row, int column, double serial) {
  if (column != 1 || (!columns_.empty() && !columns_[0].empty())) Refuse(row, column, "содержит дату, а не число");
  // From 1900 to the last day of 9999, as spreadsheets count.
  if (!(serial >= 0 && serial < 2958466)) Refuse(row, column, "содержит неверную дату");
  const auto index = static_cast<std::size_t>(row - 2);
  if (dates_.size() > index) ThrowSpreadsheetError("Ячейка " + CellReference(row, column) + " записана не по порядку");
  dates_.resize(index, std::nan(""));
  dates_.push_back(serial);
}

void SheetTable::Store(DataSet& d) {
  const std::int32_t observations = lastRow_ > 0 ? lastRow_ - 1 : 0;
  const bool dated = !dates_.empty();
  for (int c = dated ? 2 : 1; c <= lastColumn_; ++c) {
    const std::size_t filled = static_cast<std::size_t>(c) <= columns_.size() ? columns_[c - 1].size() : 0;
    if (filled < static_cast<std::size_t>(observations)) Refuse(static_cast<std::int32_t>(filled) + 2, c, "пуста");
  }
  names_.resize(static_cast<std::size_t>(lastColumn_));
  for (int c = 1; c <= lastColumn_; ++c) {
    if (names_[c - 1].empty()) names_[c - 1] = DefaultName(c);  // a column without its name cell
  }
  columns_.resize(static_cast<std::size_t>(lastColumn_));
  if (dated) {
    dates_.resize(static_cast<std::size_t>(observations), std::nan(""));
    names_.erase(names_.begin());
    columns_.erase(columns_.begin());
  }

  d.Dates.assign(dates_.begin(), dates_.end());
  d.NumVar = static_cast<int>(columns_.size());
  d.LastVar = d.NumVar - 1;
  d.NumObs = observations;
  d.LastObs = d.NumObs - 1;
  d.VarNames.assign(names_.begin(), names_.end());
  d.DataValues.clear();
  d.DataValues.reserve(columns_.size());
  for (auto& column : columns_) {
    column.shrink_to_fit();
    d.DataValues.emplace_back(std::move(column));
  }
  d.VarCounts.assign(static_cast<std::size_t>(d.NumVar), d.NumObs);
  names_.clear();
  columns_.clear();
  dates_.clear();
}

}  // namespace tavrel
