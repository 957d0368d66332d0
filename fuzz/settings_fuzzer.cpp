// The settings file reader: any bytes give settings or a ConversionError.
#include <cstdint>

#include "core/base/errors.h"
#include "core/shell/settings.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavrel::Settings settings;
  try {
    tavrel::LoadSettings(tavrel::fuzz::WriteInput(data, size, ".ini"), settings);
  } catch (const tavrel::ConversionError&) {
  }
  return 0;
}
