#pragma once
// A sheet's cells gathered into the shape of the data set. The readers hand
// over the cells they find; the used rectangle runs from A1 to the last row and
// the last column that hold a cell, and every cell below row 1 inside it must
// be a number. Nothing reaches the data set before Store.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

struct DataSet;

class SheetTable {
 public:
  static constexpr int kMaxColumns = 255;
  static constexpr std::int32_t kMaxRows = 1048576;  // the largest sheet a spreadsheet program has

  // Room for the rectangle a workbook declares; only a hint, capped by what the
  // sheet's size can hold.
  void Reserve(int columns, std::int32_t rows);

  // Every cell found, before its value: rows and columns count from 1. A cell
  // outside the limits is a SpreadsheetError.
  void Visit(std::int32_t row, int column);
  // The text of a cell in row 1.
  void SetName(int column, std::string_view text);
  // The number of a cell below row 1. Cells of one column must come top to
  // bottom; a gap above the cell is an empty cell inside the table.
  void SetNumber(std::int32_t row, int column, double value);
  // A cell below row 1 that holds no number: text, a date, a boolean, an error, nothing.
  [[noreturn]] void Refuse(std::int32_t row, int column, const std::string& why) const;
  // Text of a cell below row 1: accepted when it is a number with "." or ","
  // (or, in column A, a date as ParseDateText reads it).
  void SetText(std::int32_t row, int column, std::string_view text);
  // A date (a serial, observation_dates.h) of a cell below row 1: column A
  // may hold the observations' dates, if it holds nothing else (empty cells
  // are observations without a date); elsewhere a date is refused.
  void SetDate(std::int32_t row, int column, double serial);

  // Checks that every column is filled to the last row and moves the table into
  // d; a column A of dates becomes d's dates, not a variable.
  void Store(DataSet& d);

  std::int32_t LastRow() const { return lastRow_; }

 private:
  // A value that is not finite is refused, naming the cell.
  void RefuseBeyondNumbers(std::int32_t row, int column, double value) const;

  std::vector<std::string> names_;
  std::vector<std::vector<double>> columns_;
  std::vector<double> dates_;  // column A's, when it holds dates
  std::int32_t lastRow_ = 0;
  int lastColumn_ = 0;
};

// A cell's reference as a spreadsheet shows it, "B5".
std::string CellReference(std::int32_t row, int column);

[[noreturn]] void ThrowSpreadsheetError(const std::string& detail);

}  // namespace tavrel
