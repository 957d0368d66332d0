#pragma once
// Facts about the machine for "Системная информация", read from the kernel's
// files under a root directory ("/" on a running system; tests give a fake tree).
#include <optional>
#include <string>

namespace tavrel {

struct SystemInfo {
  std::optional<double> memoryTotalBytes;  // physical memory
  double processMemoryBytes = 0;           // this program's resident memory
  std::optional<double> diskFreeBytes;     // of the file system holding the disk directory
  std::optional<double> diskTotalBytes;
  std::string processor;                   // model name; empty when unknown
  std::string boardVendor;
  std::string boardName;
  std::string systemName;                  // the distribution's pretty name
  std::string kernelVersion;
};

// Reads every fact; one that cannot be read stays empty. The program's own
// resident memory must be readable: without it an InOutError is thrown.
SystemInfo ReadSystemInfo(const std::string& root, const std::string& diskDirectory);

// "Vendor(Name)", or whichever of the two is known.
std::string BoardText(const SystemInfo& info);

}  // namespace tavrel
