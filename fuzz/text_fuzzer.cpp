// The text data reader, through the load every command uses; a table it
// loads must read back the same from the table saved of it.
#include <cstdint>

#include "core/data/data_input.h"
#include "core/data/session.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavrel::Session session;
  if (tavrel::LoadDataFile(tavrel::fuzz::WriteInput(data, size, ".txt"), session).loaded)
    tavrel::fuzz::CheckSavedTableReadsBack(session.data);
  return 0;
}
