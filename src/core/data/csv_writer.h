#pragma once
// The data table saved as CSV, for spreadsheets to open.

namespace tavrel {

struct DataSet;
class ResultsFileWriter;

// The decimal point of the system's number format (LC_NUMERIC of the
// environment), without changing the program's own locale; "." when that
// cannot be told.
char SystemDecimalPoint();

// Writes d's variables in force as CSV: with decimalPoint "," the fields are
// separated by ";" and numbers take a decimal comma, otherwise "," and ".".
// UTF-8 with a byte-order mark at the start of the file (spreadsheets then
// show Cyrillic names), lines ending CR LF; names in row 1 (quoted when they
// hold the delimiter or a quote); every value in the fewest digits that read
// back as the same number; a missing value is an empty field (a row of
// missing values starts with "" so that it is not taken for a blank line).
// The dates, when there are any, stand first, in ISO form ("2024-01-05"),
// under the name "Дата".
// The table is refused as RefuseUnsavableTable refuses it, with at most
// kMaxCsvColumns variables, before the first line.
void WriteCsvTable(ResultsFileWriter& out, const DataSet& d, char decimalPoint);

}  // namespace tavrel
