#pragma once
// Saving the data table in the format its file's name asks for.
#include <string>

#include "core/data/output_target.h"

namespace tavrel {

struct DataSet;
class ResultsFileWriter;

enum class SavedTableFormat { Text, Csv, Xlsx };

// ".xlsx" and ".csv" (in any case) ask for a workbook and a CSV table; any
// other name for the text table the data file reader takes.
SavedTableFormat SavedTableFormatOf(const std::string& path);

// The most variables a table saved at path may have.
int MostSavedVariables(const std::string& path);

// Writes d's variables in force into the file out has open, in the format of
// its name, and closes it: the text table, CSV with decimalPoint (see
// WriteCsvTable) or a workbook. A workbook always replaces the file whole,
// through a temporary file as every replacement (a file opened for appending
// is reopened, with kept, to be replaced). A table the format cannot hold is
// refused before anything is written; a failure leaves out open for the
// caller to abandon.
void WriteSavedTable(ResultsFileWriter& out, const DataSet& d, const KeptFiles& kept, char decimalPoint);

}  // namespace tavrel
