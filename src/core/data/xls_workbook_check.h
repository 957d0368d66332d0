#pragma once
// What a binary Excel workbook must not hold before FreeXL 1.0.6 reads it.
// FreeXL trusts the lengths and sizes in the file: a directory name longer
// than its entry, a sheet's size beyond the format's, a cell beyond the sheet
// or a text longer than its record make it read or write outside its memory,
// or allocate gigabytes. The .xls reader program refuses such a file first.
#include <string>
#include <string_view>

namespace tavrel {

inline constexpr const char* kXlsNoWorkbook = "В файле нет книги Excel (возможно, она защищена паролем)";

// The reason a workbook (the bytes of a compound document) is refused, as
// the user reads it ("Книга Excel повреждена (…)"); empty when FreeXL may
// read it.
std::string XlsWorkbookFault(std::string_view file);

}  // namespace tavrel
