// The .xls reader on arbitrary bytes, both halves in this process: FreeXL's
// reading as tavrel-xls-reader does it (a fault there shows here, where the
// program would only lose its reader), then the records it sent, received as
// the loading program receives them. The reading includes the search for
// true/false and error cells in the file itself. A failure must be a SpreadsheetError,
// never a crash, and the names it gives must be names a saved table keeps.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>

#include "core/data/dataset.h"
#include "core/data/sheet_table.h"
#include "core/data/spreadsheet_input.h"
#include "core/data/xls_reader.h"
#include "core/data/xls_sheet_sender.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = tavrel::fuzz::WriteInput(data, size, ".xls");
  const int records = memfd_create("xls-records", MFD_CLOEXEC);
  if (records < 0) throw std::runtime_error("no memory file for the records");
  tavrel::SendFirstSheet(path, records);
  lseek(records, 0, SEEK_SET);
  try {
    tavrel::SheetTable sheet;
    tavrel::DataSet table;
    tavrel::ReceiveFirstSheet(records, size, sheet);
    sheet.Store(table);
    tavrel::fuzz::CheckNames(table);
  } catch (const tavrel::SpreadsheetError&) {
  }
  close(records);
  return 0;
}
