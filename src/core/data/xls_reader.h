#pragma once
// The first sheet of a binary Excel workbook (.xls, BIFF), read with FreeXL.
#include <string>

namespace tavrel {

class SheetTable;

// Hands every cell of the first sheet to table. Failures are SpreadsheetErrors.
void ReadXls(const std::string& path, SheetTable& table);

}  // namespace tavrel
