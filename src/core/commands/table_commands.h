#pragma once
// Saving the data table: the command of the main window, of the data table
// window and of the batch tool's save, prepare and cluster --save.
#include <string>

#include "core/data/output_target.h"

namespace tavrel {

struct DataSet;
class ResultsFileWriter;

// Refuses (Choice) a table of d's variables in force that the reader could not
// take back (RefuseUnsavableTable), before a file is chosen or opened.
void RefuseUnsavable(const DataSet& d);

// Writes the variables in force of d as a text table into the open file out
// and closes it. A write that fails leaves the file as it was and is refused (Output).
void WriteTableCommand(ResultsFileWriter& out, const DataSet& d);

// RefuseUnsavable, then the output rule for path (refused: Output), then the
// table appended to path or replacing it (WriteTableCommand).
void SaveTableCommand(const DataSet& d, const std::string& path, bool append, const KeptFiles& kept);

}  // namespace tavrel
