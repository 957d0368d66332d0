#include "core/data/results_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "core/base/errors.h"
#include "core/base/system_error_text.h"
#include "core/base/file_paths.h"
#include "core/data/dataset.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

// The permissions a new file gets: those of the file it replaces, or the
// usual ones under the user's mask.
mode_t NewFileMode(const struct stat* old) {
  if (old) return old->st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Whether name is a replacement of fileName as Open makes them: "." + fileName
// + "." + the six letters or digits mkstemp chose.
bool IsReplacementOf(std::string_view name, const std::string& fileName) {
  constexpr std::size_t kSuffix = 7;  // ".XXXXXX"
  if (name.size() != fileName.size() + 1 + kSuffix || name[0] != '.' || name.substr(1, fileName.size()) != fileName)
    return false;
  const std::string_view suffix = name.substr(1 + fileName.size());
  if (suffix[0] != '.') return false;
  for (const char c : suffix.substr(1))
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  return true;
}

// Removes what replacements of target that never finished (the program was
// killed while writing) left beside it. A replacement another program may
// still be writing (changed in the last minute) and files of other users stay.
void RemoveUnfinishedReplacements(const std::string& target) {
  constexpr std::time_t kStillWritten = 60;
  const std::string directory = DirectoryOf(target);
  const std::string fileName = FileNameOf(target);
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (!dir) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = readdir(dir)) {
    if (!IsReplacementOf(entry->d_name, fileName)) continue;
    const std::string path = directory + entry->d_name;
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
        now - info.st_mtime > kStillWritten)
      unlink(path.c_str());
  }
  closedir(dir);
}

}  // namespace

ResultsFileWriter::~ResultsFileWriter() {
  if (file_) std::fclose(file_);
  if (!temp_.empty()) std::remove(temp_.c_str());  // never completed: the old file stays
}

void ResultsFileWriter::Open(const std::string& path, bool append, const KeptFiles& kept) {
  if (file_) {
    try {
      Close();
    } catch (const InOutError&) {
      // the earlier file's failure belongs to the command that wrote it
    }
  }
  const OutputTarget target = CheckOutputTarget(path, kept);
  // Appending to no file at all writes a new one, which a failed report leaves unmade.
  if ((append && target.kind == OutputKind::RegularFile) || target.kind == OutputKind::Device) {
    const int fd = OpenOutputInPlace(path, append);
    struct stat info {};
    std::FILE* f = fstat(fd, &info) == 0 ? fdopen(fd, append ? "ab" : "wb") : nullptr;
    if (!f) {
      const int err = errno;
      close(fd);
      throw InOutError(OpenFailure(path, SystemErrorText(err)));
    }
    file_ = f;
    path_ = path;
    const bool regular = S_ISREG(info.st_mode);
    reportStart_ = append && regular ? static_cast<std::uint64_t>(info.st_size) : 0;
    cutBackOnFailure_ = append && regular;
    return;
  }
  struct stat info {};
  const bool exists = target.kind == OutputKind::RegularFile && stat(target.file.c_str(), &info) == 0;
  std::string temp = DirectoryOf(target.file) + "." + FileNameOf(target.file) + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) throw InOutError(OpenFailure(path, SystemErrorText(errno)));
  std::FILE* f = fchmod(fd, NewFileMode(exists ? &info : nullptr)) == 0 ? fdopen(fd, "wb") : nullptr;
  if (!f) {
    const int err = errno;
    close(fd);
    std::remove(temp.c_str());
    throw InOutError(OpenFailure(path, SystemErrorText(err)));
  }
  file_ = f;
  path_ = path;
  reportStart_ = 0;
  cutBackOnFailure_ = false;
  target_ = target.file;
  temp_ = std::move(temp);
}

void ResultsFileWriter::Abandon() {
  if (file_) {
    // What is still buffered reaches the file on closing; it is cut back after that.
    const int fd = cutBackOnFailure_ ? dup(fileno(file_)) : -1;
    std::fclose(file_);
    file_ = nullptr;
    if (fd >= 0) {
      if (ftruncate(fd, static_cast<off_t>(reportStart_)) != 0) {
        // the report stays behind the old content; the command's failure is reported all the same
      }
      close(fd);
    }
  }
  cutBackOnFailure_ = false;
  if (!temp_.empty()) std::remove(temp_.c_str());
  temp_.clear();
}

void ResultsFileWriter::Fail(const std::string& what, int err) {
  Abandon();
  throw InOutError(what + " " + path_ + ": " + SystemErrorText(err));
}

void ResultsFileWriter::Write(std::string_view text) {
  if (!file_) throw InOutError("Файл результатов не открыт");
  if (text.empty()) return;  // an empty view may have no data pointer at all
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) Fail("Ошибка записи в файл", errno);
}

void ResultsFileWriter::WriteLn(std::string_view text) {
  Write(text);
  Write("\r\n");
}

void ResultsFileWriter::Close() {
  if (!file_) return;
  errno = 0;
  if (std::fflush(file_) != 0 || std::ferror(file_) != 0) Fail("Ошибка записи в файл", errno);
  if (!temp_.empty() && fsync(fileno(file_)) != 0) Fail("Ошибка записи в файл", errno);
  std::FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0) Fail("Ошибка записи в файл", errno);
  cutBackOnFailure_ = false;
  if (temp_.empty()) return;
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) Fail("Не удаётся заменить файл", errno);
  temp_.clear();
  RemoveUnfinishedReplacements(target_);
}

std::string ProposedResultsName(const std::string& dataShortName) {
  const std::size_t dot = dataShortName.rfind('.');
  return (dot == std::string::npos ? dataShortName : dataShortName.substr(0, dot)) + ".out";
}

std::string ResultsFilePath(const std::string& directory, const std::string& fileName) {
  std::string dir = EffectiveDirectory(directory);
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir + fileName;
}

std::string AppendQuestion(const std::string& path) { return "Добавить в файл " + FileNameOf(path) + "?"; }

std::string Rule(int count) { return std::string(static_cast<std::size_t>(count), '_'); }

void WriteTitle(ResultsFileWriter& out, const std::string& fileName, const std::string& title,
                const std::string& note) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[32];
  char time[32];
  std::strftime(date, sizeof date, "%d.%m.%Y", &local);
  std::strftime(time, sizeof time, "%H:%M:%S", &local);
  out.WriteLn();
  out.WriteLn();
  out.WriteLn("\"" + title + "\"");
  out.WriteLn(Rule(56));
  out.WriteLn(std::string(" Дата: ") + date + "     Время: " + time);
  out.WriteLn(" Файл: " + fileName);
  out.WriteLn(Rule(56));
  if (!note.empty()) {
    out.WriteLn();
    out.WriteLn(" Обработка данных: ");
    out.WriteLn(note);
  }
}

void WriteVarList(ResultsFileWriter& out, const DataSet& d) {
  out.WriteLn();
  out.WriteLn(" Переменные:");
  for (int i = 0; i <= d.LastVar && i < d.VarNames.Count(); ++i) {
    out.Write(" " + d.VarNames[i]);
    if ((i + 1) % 7 == 0) out.WriteLn();
  }
  out.WriteLn();
  out.WriteLn();
}

}  // namespace tavrel
