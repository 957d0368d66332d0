// The text data reader, through the load every command uses.
#include <cstdint>

#include "core/data/data_input.h"
#include "core/data/session.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavrel::Session session;
  tavrel::LoadDataFile(tavrel::fuzz::WriteInput(data, size, ".txt"), session);
  return 0;
}
