// The .ods reader. An input that starts like a zip archive is read as it is;
// any other input is the content part of an OpenDocument spreadsheet, packed
// into a zip here, so that the mutations reach the XML rather than the
// compressed bytes.
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
    path = tavrel::fuzz::WriteInput(data, size, ".ods");
  } else {
    path = tavrel::fuzz::InputPath(".ods");
    tavrel::test::WriteZip(path, tavrel::test::OdsEntries(std::string(input)), true);
  }
  tavrel::DataSet table;
  try {
    tavrel::ReadSpreadsheet(path, "", table);  // inputs starting with "PK" never go to the .xls reader
    tavrel::fuzz::CheckNames(table);
  } catch (const tavrel::SpreadsheetError&) {
  }
  return 0;
}
