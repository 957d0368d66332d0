#include "core/shell/system_info.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/base/errors.h"

namespace tavrel {

namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

// The first line of a one-value file such as those under /sys; empty when unreadable.
std::string FirstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  return Trim(line);
}

// The value of the first "Key<separator>value" line of a file.
std::optional<std::string> Field(const std::string& path, const std::string& key, char separator) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const auto at = line.find(separator);
    if (at == std::string::npos || Trim(line.substr(0, at)) != key) continue;
    return Trim(line.substr(at + 1));
  }
  return std::nullopt;
}

// A "Key:   1234 kB" field of /proc/meminfo or /proc/self/status, in bytes.
std::optional<double> KilobyteField(const std::string& path, const std::string& key) {
  const auto text = Field(path, key, ':');
  if (!text) return std::nullopt;
  std::istringstream in(*text);
  double kilobytes = 0;
  std::string unit;
  if (!(in >> kilobytes) || kilobytes < 0 || !(in >> unit) || unit != "kB") return std::nullopt;
  return kilobytes * 1024.0;
}

std::string Unquote(std::string s) {
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) s = s.substr(1, s.size() - 2);
  return s;
}

}  // namespace

SystemInfo ReadSystemInfo(const std::string& root, const std::string& diskDirectory) {
  const std::string base = root.empty() || root.back() != '/' ? root : root.substr(0, root.size() - 1);
  SystemInfo info;
  info.memoryTotalBytes = KilobyteField(base + "/proc/meminfo", "MemTotal");

  const std::string status = base + "/proc/self/status";
  const auto resident = KilobyteField(status, "VmRSS");
  if (!resident) throw InOutError("Не удалось прочитать занятую программой память: " + status);
  info.processMemoryBytes = *resident;

  std::error_code error;
  const auto space = std::filesystem::space(diskDirectory, error);
  if (!error) {
    info.diskFreeBytes = static_cast<double>(space.available);
    info.diskTotalBytes = static_cast<double>(space.capacity);
  }

  const std::string cpuinfo = base + "/proc/cpuinfo";
  for (const char* key : {"model name", "Processor", "cpu model", "Hardware"}) {
    const auto name = Field(cpuinfo, key, ':');
    if (name && !name->empty()) {
      info.processor = *name;
      break;
    }
  }

  info.boardVendor = FirstLine(base + "/sys/class/dmi/id/board_vendor");
  info.boardName = FirstLine(base + "/sys/class/dmi/id/board_name");

  for (const char* release : {"/etc/os-release", "/usr/lib/os-release"}) {
    if (const auto name = Field(base + release, "PRETTY_NAME", '=')) {
      info.systemName = Unquote(*name);
      break;
    }
  }
  info.kernelVersion = FirstLine(base + "/proc/sys/kernel/osrelease");
  return info;
}

std::string BoardText(const SystemInfo& info) {
  if (info.boardVendor.empty()) return info.boardName;
  if (info.boardName.empty()) return info.boardVendor;
  return info.boardVendor + "(" + info.boardName + ")";
}

}  // namespace tavrel
