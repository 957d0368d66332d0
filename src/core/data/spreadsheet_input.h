#pragma once
// Reading the first sheet of a workbook (.xls, .xlsx, .xlsm, .ods) into the data set:
// names in row 1, one observation per row below, the table starting at A1.
#include <string>
#include <string_view>

#include "core/base/errors.h"

namespace tavrel {

struct DataSet;

inline constexpr const char* kSpreadsheetFailure = "Ошибка в данных xls-файла";

// A workbook that cannot be loaded as a table. The message is kSpreadsheetFailure,
// followed on a second line by where and why (a cell, a broken archive...).
struct SpreadsheetError : InOutError {
  explicit SpreadsheetError(const std::string& detail);
};

enum class WorkbookKind { Unknown, Zip, Compound };

// The container a workbook is stored in, told by its first bytes: a zip archive
// (.xlsx, .xlsm, .ods) or a compound document (.xls, and password-protected workbooks).
WorkbookKind DetectWorkbookKind(std::string_view firstBytes);

// Reads the first sheet of the workbook at path into d. The reader is chosen
// by the file's first bytes (and a zip archive's mimetype part); an .xls
// workbook is read by the program
// tavrel-xls-reader in programDir (ending with "/"; empty: beside the running
// program). Any failure is a SpreadsheetError and leaves d as it was; a table
// is stored only when every cell was read.
void ReadSpreadsheet(const std::string& path, const std::string& programDir, DataSet& d);

}  // namespace tavrel
