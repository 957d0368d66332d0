#pragma once

#include "core/data/dataset.h"

namespace tavrel {

class ResultsFileWriter;

// Refuses, as a RangeError, a table of d's variables in force that the data
// file reader could not take back: more variables than mostVariables (the
// names the text reader takes, kMaxVariables, unless the table is saved in
// another format; a message asking for fewer), or a value that is not a finite
// number (an overflow of the arithmetic), naming the variable and the
// observation. Callers ask before they open the file, so that nothing is written.
void RefuseUnsavableTable(const DataSet& d, int mostVariables = kMaxVariables);

// Writes the variables in force of d to out as a text table the data file reader accepts:
// a line of names, each right-aligned in 8 characters and followed by a blank,
// then one line per observation with the values in fields of 8 and a blank.
// A value is written with 2 decimals when those read back as the same number,
// otherwise with the fewest decimals that do. A table RefuseUnsavableTable
// refuses is refused before the first line.
void WriteDataTable(ResultsFileWriter& out, const DataSet& d);

}  // namespace tavrel
