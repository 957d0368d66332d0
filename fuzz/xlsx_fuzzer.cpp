// The .xlsx reader. An input that starts like a zip archive is read as it is;
// any other input is the XML of a workbook's parts, separated by "\n====\n"
// (the sheet, the shared strings, the styles), packed into a zip here, so that
// the mutations reach the XML rather than the compressed bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/dataset.h"
#include "core/data/spreadsheet_input.h"
#include "fuzz_input.h"
#include "xlsx_builder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string path;
  if (input.substr(0, 2) == "PK") {
    path = tavrel::fuzz::WriteInput(data, size, ".xlsx");
  } else {
    std::string parts[3];
    std::size_t start = 0;
    for (int i = 0; i < 3 && start <= input.size(); ++i) {
      std::size_t end = input.find("\n====\n", start);
      if (end == std::string_view::npos) end = input.size();
      parts[i] = std::string(input.substr(start, end - start));
      start = end + 6;
    }
    path = tavrel::fuzz::InputPath(".xlsx");
    tavrel::test::WriteZip(path, tavrel::test::WorkbookEntries(parts[0], parts[1], parts[2]), true);
  }
  tavrel::DataSet table;
  try {
    tavrel::ReadSpreadsheet(path, "", table);  // inputs starting with "PK" never go to the .xls reader
    tavrel::fuzz::CheckNames(table);
  } catch (const tavrel::SpreadsheetError&) {
  }
  return 0;
}
