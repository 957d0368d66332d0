#pragma once
// Saving the data table: the command of the main window, of the data table
// window and of the batch tool's save, prepare and cluster --save.
#include <string>

#include "core/data/output_target.h"

namespace tavrel {

struct DataSet;

// Writes the variables in force of d to path in the format of its name
// (WriteSavedTable: a workbook, CSV with decimalPoint, or the text table),
// appended or replacing the file. A table the reader could not take back is
// refused (Choice), and a target the output rule refuses (Output), before
// anything is written; a write that fails is refused (Output) and leaves the
// file as it was.
void SaveTableCommand(const DataSet& d, const std::string& path, bool append, const KeptFiles& kept,
                      char decimalPoint);

}  // namespace tavrel
