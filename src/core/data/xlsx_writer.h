#pragma once
// The data table saved as an Excel workbook (.xlsx), written by libxlsxwriter.
#include <string>

namespace tavrel {

struct DataSet;

// The bytes of a workbook of one sheet holding d's variables in force: names
// in row 1, the values below as number cells (the missing-value code too, as
// the number it is); the dates, when there are any, in column A as date cells. The library writes 16 significant digits, so a value that
// needs 17 to be told from its neighbour comes back within one unit of its
// last place. The table is refused as RefuseUnsavableTable refuses it, with
// at most kMaxCsvColumns variables (those a sheet the reader takes may have);
// a failure of the library is an InOutError.
std::string XlsxTableBytes(const DataSet& d);

}  // namespace tavrel
