#include "fuzz_input.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "core/data/data_input.h"
#include "core/data/data_table_writer.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/data/session.h"
#include "core/data/results_file.h"

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

void CheckNames(const DataSet& d) {
  for (const std::string& name : d.VarNames) {
    if (name.empty()) std::abort();
    for (const char c : name)
      if (static_cast<unsigned char>(c) <= 32 || c == 127) std::abort();
  }
}

void CheckSavedTableReadsBack(const DataSet& d) {
  CheckNames(d);
  const std::string saved = InputPath(".saved.txt");
  ResultsFileWriter out;
  out.Open(saved, false);
  WriteDataTable(out, d);
  out.Close();
  Session again;
  if (!LoadDataFile(saved, again).loaded || again.data.VarNames != d.VarNames || again.data.DataValues != d.DataValues)
    std::abort();
}

}  // namespace tavrel::fuzz
