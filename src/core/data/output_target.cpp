#include "core/data/output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "core/base/errors.h"
#include "core/base/system_error_text.h"

namespace tavrel {

namespace {

// What is neither a file nor a character device, in words; empty for those two.
std::string NotWritableKind(mode_t mode) {
  if (S_ISREG(mode) || S_ISCHR(mode)) return {};
  if (S_ISDIR(mode)) return SystemErrorText(EISDIR);
  if (S_ISFIFO(mode)) return "это канал, а не файл";
  if (S_ISSOCK(mode)) return "это сокет, а не файл";
  if (S_ISBLK(mode)) return "это блочное устройство, а не файл";
  return "это не обычный файл";
}

// The file path leads to, links followed; path itself when it leads nowhere.
std::string LinkTarget(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

std::string OpenFailure(const std::string& path, const std::string& reason) {
  return "Не удаётся открыть файл " + path + ": " + reason;
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  struct stat first {};
  struct stat second {};
  if (stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0)
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  std::error_code firstUnknown, secondUnknown;
  const auto p = std::filesystem::weakly_canonical(a, firstUnknown);
  const auto q = std::filesystem::weakly_canonical(b, secondUnknown);
  return !firstUnknown && !secondUnknown && p == q;
}

OutputTarget CheckOutputTarget(const std::string& path, const KeptFiles& kept) {
  if (SameFile(path, kept.dataFile)) {
    throw InOutError("Файл результатов совпадает с файлом данных: " + path +
                     "\nЗапись в него испортила бы данные; укажите другое имя файла.");
  }
  if (SameFile(path, kept.resultsFile)) {
    throw InOutError("Таблица данных не может быть записана в файл отчёта: " + path +
                     "\nУкажите для неё другое имя файла.");
  }
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) throw InOutError(OpenFailure(path, SystemErrorText(errno)));
    return {OutputKind::NewFile, path};
  }
  const std::string kind = NotWritableKind(info.st_mode);
  if (!kind.empty()) throw InOutError(OpenFailure(path, kind));
  // The administrator may write anything; a file without any write permission
  // is still taken as one the user wants kept.
  if (access(path.c_str(), W_OK) != 0) throw InOutError(OpenFailure(path, SystemErrorText(errno)));
  if ((info.st_mode & 0222) == 0) throw InOutError(OpenFailure(path, SystemErrorText(EACCES)));
  return {S_ISREG(info.st_mode) ? OutputKind::RegularFile : OutputKind::Device, LinkTarget(path)};
}

int OpenOutputInPlace(const std::string& path, bool append) {
  // Without waiting: a pipe that took the checked file's place is refused, not waited on.
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (append ? O_APPEND : 0);
  const int fd = open(path.c_str(), flags, 0666);
  if (fd < 0) throw InOutError(OpenFailure(path, SystemErrorText(errno)));
  struct stat info {};
  std::string refusal;
  if (fstat(fd, &info) != 0) refusal = SystemErrorText(errno);
  else refusal = NotWritableKind(info.st_mode);
  if (refusal.empty() && S_ISREG(info.st_mode) && !append && ftruncate(fd, 0) != 0) refusal = SystemErrorText(errno);
  // Writes then wait as they usually do (a terminal that is busy, say).
  if (refusal.empty() && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) refusal = SystemErrorText(errno);
  if (!refusal.empty()) {
    close(fd);
    throw InOutError(OpenFailure(path, refusal));
  }
  return fd;
}

}  // namespace tavrel
