// The CSV reader, through the load every command uses; a table it loads must
// read back the same from the text table saved of it, when that can hold it.
#include <cstdint>

#include "core/data/data_input.h"
#include "core/data/session.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavrel::Session session;
  if (tavrel::LoadDataFile(tavrel::fuzz::WriteInput(data, size, ".csv"), session).loaded) {
    tavrel::fuzz::CheckNames(session.data);
    if (session.data.NumVar <= tavrel::kMaxVariables) tavrel::fuzz::CheckSavedTableReadsBack(session.data);
  }
  return 0;
}
