#pragma once
// Saving the data table: the command of the main window, of the data table
// window and of the batch tool's save, prepare and cluster --save.
#include <string>

#include "core/data/output_target.h"

namespace tavrel {

struct DataSet;
class ResultsFileWriter;

// Refuses (Choice) a table of d's variables in force that no saved table
// could hold back (RefuseUnsavableTable with mostVariables), before a file is
// chosen or opened.
void RefuseUnsavable(const DataSet& d, int mostVariables);

// Writes the variables in force of d into the open file out in the format of
// its name (WriteSavedTable: a workbook, CSV with decimalPoint, or the text
// table) and closes it. A table the format cannot hold is refused (Choice)
// before anything is written; a write that fails leaves the file as it was
// and is refused (Output).
void WriteTableCommand(ResultsFileWriter& out, const DataSet& d, const KeptFiles& kept, char decimalPoint);

// RefuseUnsavable for the format of path, then the output rule for path
// (refused: Output), then the table appended to path or replacing it
// (WriteTableCommand).
void SaveTableCommand(const DataSet& d, const std::string& path, bool append, const KeptFiles& kept,
                      char decimalPoint);

}  // namespace tavrel
