#pragma once

namespace tavrel {

struct DataSet;

// Writes the variables in force of d as a text table the data file reader accepts:
// a line of names, each right-aligned in 8 characters and followed by a blank,
// then one line per observation with the values in fields of 8 and a blank.
// A value is written with 2 decimals when those read back as the same number,
// otherwise with the fewest decimals that do.
void WriteDataTable(const DataSet& d);

}  // namespace tavrel
