#pragma once
// The first sheet of an Office Open XML workbook (.xlsx, .xlsm), streamed from
// its zip package: the first sheet of the workbook followed through its
// relationship, shared strings, and the number formats that mark dates.
#include <string>

namespace tavrel {

class SheetTable;
class ZipPackage;

// Hands every cell of the first sheet to table. Failures are SpreadsheetErrors.
void ReadXlsx(const ZipPackage& package, SheetTable& table);

// Whether an Excel number format shows dates or times: the built-in formats
// by number, others by their format code.
bool IsDateFormat(int numFmtId, const std::string& formatCode);

}  // namespace tavrel
