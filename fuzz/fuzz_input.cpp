#include "fuzz_input.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace tavrel::fuzz {

std::string InputPath(const std::string& suffix) {
  const std::filesystem::path dir =
      std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  return (dir / ("tavrel-fuzz-" + std::to_string(getpid()) + suffix)).string();
}

std::string WriteInput(const std::uint8_t* data, std::size_t size, const std::string& suffix) {
  const std::string path = InputPath(suffix);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) throw std::runtime_error("cannot write " + path);
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);
  return path;
}

}  // namespace tavrel::fuzz
