// The CSV reader, through the load every command uses; a table it loads must
// read back the same from the text table saved of it, when that can hold it.
#include <cstdint>

#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (tavrel::LoadDataFile(tavrel::fuzz::WriteInput(data, size, ".csv")).loaded) {
    tavrel::fuzz::CheckNames();
    if (tavrel::Data().NumVar <= tavrel::kMaxVariables) tavrel::fuzz::CheckSavedTableReadsBack();
  }
  return 0;
}
