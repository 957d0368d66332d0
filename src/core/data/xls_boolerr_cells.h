#pragma once
// What the .xls reader program finds in a binary Excel workbook itself,
// besides FreeXL: the true/false and error cells of the first worksheet
// (FreeXL reads both as whole numbers, true as 1, #DIV/0! as 7, and cannot
// tell them from numbers), and directory names FreeXL would read past.
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
// "Workbook" or "Book" stream. The file is hostile until read: whatever does
// not read as it should ends the search with the cells found so far, and
// FreeXL judges the file.
std::vector<XlsBoolErrCell> FindBoolErrCells(std::string_view file);

// Whether every entry of the compound document's directory gives its name a
// length within the entry's 64 bytes. FreeXL 1.0.6 converts each name with
// the length the entry gives, reading past its own stack buffer (a length of
// 0xFF16 reads 65 KB of whatever lies beyond); such a file is refused before
// FreeXL sees it. A file whose directory cannot be found is left to FreeXL.
bool XlsDirectoryNamesFit(std::string_view file);

// An error value as a spreadsheet shows it ("#DIV/0!"); "#?" for an unknown code.
std::string XlsErrorText(std::uint8_t code);

}  // namespace tavrel
