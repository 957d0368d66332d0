#include "core/base/program_directory.h"

#include <unistd.h>

#include "core/base/file_paths.h"

namespace tavrel {

std::string RunningProgramDirectory() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  return DirectoryOf(std::string(buf, static_cast<std::size_t>(n)));
}

}  // namespace tavrel
