#include "core/data/saved_table.h"

#include "core/base/file_paths.h"
#include "core/base/text_codec.h"
#include "core/data/csv_reader.h"
#include "core/data/csv_writer.h"
#include "core/data/data_input.h"
#include "core/data/data_table_writer.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/data/xlsx_writer.h"

namespace tavrel {

SavedTableFormat SavedTableFormatOf(const std::string& path) {
  const std::string name = AsciiUpper(FileNameOf(path));
  const auto endsWith = [&](const std::string& suffix) {
    return name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
  };
  if (endsWith(".XLSX")) return SavedTableFormat::Xlsx;
  if (endsWith(".CSV")) return SavedTableFormat::Csv;
  return SavedTableFormat::Text;
}

int MostSavedVariables(const std::string& path) {
  return SavedTableFormatOf(path) == SavedTableFormat::Text ? kMaxVariables : kMaxCsvColumns;
}

void WriteSavedTable(ResultsFileWriter& out, const DataSet& d, const KeptFiles& kept, char decimalPoint) {
  switch (SavedTableFormatOf(out.Path())) {
    case SavedTableFormat::Text:
      WriteDataTable(out, d);
      break;
    case SavedTableFormat::Csv:
      WriteCsvTable(out, d, decimalPoint);
      break;
    case SavedTableFormat::Xlsx: {
      const std::string bytes = XlsxTableBytes(d);
      if (out.ReportStart() != 0) {
        const std::string path = out.Path();
        out.Abandon();
        out.Open(path, false, kept);
      }
      out.Write(bytes);
      break;
    }
  }
  out.Close();
}

}  // namespace tavrel
