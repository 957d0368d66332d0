// The text data reader, through the load every command uses.
#include <cstdint>

#include "core/data/data_input.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavrel::LoadDataFile(tavrel::fuzz::WriteInput(data, size, ".txt"));
  return 0;
}
