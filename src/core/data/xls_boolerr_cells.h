#pragma once
// The true/false and error cells of a binary Excel workbook's first
// worksheet, which the .xls reader program finds itself: FreeXL reads both as
// whole numbers, true as 1, #DIV/0! as 7, and cannot tell them from numbers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

struct XlsBoolErrCell {
  std::uint16_t row = 0;     // from 0, as FreeXL counts
  std::uint16_t column = 0;  // from 0
  bool error = false;        // an error value, else a true/false value
  std::uint8_t value = 0;    // 0 or 1, or the error's code
};

// Those cells (BOOLERR records, and formulas whose last value is one) of the
// first sheet in the bytes of a workbook: a compound document holding a
// "Workbook" or "Book" stream. Whatever does not read as it should ends the
// search with the cells found so far.
std::vector<XlsBoolErrCell> FindBoolErrCells(std::string_view file);

// An error value as a spreadsheet shows it ("#DIV/0!"); "#?" for an unknown code.
std::string XlsErrorText(std::uint8_t code);

}  // namespace tavrel
