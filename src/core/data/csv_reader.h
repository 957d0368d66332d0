#pragma once
// Tables exported as CSV by spreadsheets, devices and lab systems: names in
// the first row, one observation per row below, fields separated by ",", ";"
// or a tab, the delimiter found from the first lines.
#include <string>
#include <string_view>

#include "core/data/data_input.h"

namespace tavrel {

struct FileText;

struct DataSet;

// The most columns a CSV table may have, as a workbook's sheet.
inline constexpr int kMaxCsvColumns = 255;

struct CsvDialect {
  char delimiter = ',';
  // With ";" or a tab between fields a number may have "," as its decimal point.
  bool decimalComma = false;
};

// The dialect of a table from its first lines (a UTF-8 byte-order mark at the
// start is passed over): the first of ";", tab and "," that splits the names
// row and every following line sampled into the same number (more than one)
// of fields; failing that, the first that splits the names row; failing that
// (one column), ";".
CsvDialect DetectCsvDialect(std::string_view bytes);

// Whether a file's name ends with ".csv" (in any case).
bool IsCsvName(const std::string& path);

// Whether a text file's contents are a CSV table although its name does not
// say so: its names row and its first data line split into the same number
// (more than one) of fields at ";" or ",". A table the text reader reads never does.
bool LooksLikeCsv(std::string_view bytes);

// Reads the whole open file as CSV into d (NumVar, NumObs, VarNames,
// DataValues, VarCounts). Fields may be quoted with '"' ("" inside stands for
// one quote; a quoted name may span lines, a quoted value may not) and have
// blanks around them. The names are cleaned as every name is (CleanName),
// trailing empty names dropped. An empty field, and every field missing at
// the end of a short row, is a missing value (d.EmptyValue); rows without any
// field are skipped. A field that is not a number, a number beyond the range
// of a double, a value beyond the named columns, and a quote left open are an
// InOutError naming the file, the line, the column and the text; more than
// kMaxCsvColumns names and a table that would not fit in memory are
// RangeErrors. When the first non-empty field of the first column is a date
// (ParseDateText), the first column holds the observations' dates (d.Dates;
// an empty field is an observation without a date, any other that is not a
// date is refused) and the variables start in the second. A large file is
// read in pieces at the same time.
void ReadCsvData(FileText& file, DataSet& d);
// The same in the given number of pieces; the data set and any failure are
// the same for every number of pieces.
void ReadCsvData(FileText& file, DataSet& d, int pieces);

}  // namespace tavrel
