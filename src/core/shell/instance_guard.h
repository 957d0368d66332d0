#pragma once
// One running copy of the program per user: a lock file held for the life of
// the process. The system releases the lock when the process ends, also when it dies.
#include <string>

namespace tavrel {

inline constexpr const char* kAlreadyRunning = "Программа уже запущена";

// The application's default title for a program file: its name without the
// directory, cut before the first dot, every character after the first in lower case.
std::string DefaultApplicationTitle(const std::string& programFile);

// The lock file of a program file: the title followed by "OneInstance32.Default",
// in $XDG_RUNTIME_DIR, or in /tmp with the user id when that is not set.
std::string InstanceLockPath(const std::string& programFile);

class InstanceGuard {
 public:
  InstanceGuard() = default;
  InstanceGuard(const InstanceGuard&) = delete;
  InstanceGuard& operator=(const InstanceGuard&) = delete;
  ~InstanceGuard();

  // True when no other copy holds the lock of programFile; this copy then holds it.
  bool IsFirstInstance(const std::string& programFile);

 private:
  int fd_ = -1;
};

}  // namespace tavrel
