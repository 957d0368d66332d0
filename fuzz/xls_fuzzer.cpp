// The .xls reader on arbitrary bytes: a failure must be a SpreadsheetError, never a crash.
#include <cstdint>

#include "core/data/dataset.h"
#include "core/data/spreadsheet_input.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = tavrel::fuzz::WriteInput(data, size, ".xls");
  tavrel::DataSet table;
  try {
    tavrel::ReadSpreadsheet(path, table);
  } catch (const tavrel::SpreadsheetError&) {
  }
  return 0;
}
