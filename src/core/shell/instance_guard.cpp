#include "core/shell/instance_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

#include "core/base/text_codec.h"
#include "core/base/file_paths.h"

namespace tavrel {

std::string DefaultApplicationTitle(const std::string& programFile) {
  std::string name = FileNameOf(programFile);
  name = name.substr(0, name.find('.'));
  if (name.empty()) return name;
  return name.substr(0, 1) + AsciiLower(name.substr(1));
}

std::string InstanceLockPath(const std::string& programFile) {
  const std::string name = DefaultApplicationTitle(programFile) + "OneInstance32.Default";
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) {
    std::string dir = runtime;
    if (dir.back() != '/') dir += '/';
    return dir + name + ".lock";
  }
  return "/tmp/" + name + "." + std::to_string(getuid()) + ".lock";
}

InstanceGuard::~InstanceGuard() {
  if (fd_ >= 0) close(fd_);  // closing releases the lock
}

bool InstanceGuard::IsFirstInstance(const std::string& programFile) {
  if (fd_ >= 0) return true;
  const int fd = open(InstanceLockPath(programFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // A lock file that cannot be made must not keep the program from starting.
  if (fd < 0) return true;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

}  // namespace tavrel
