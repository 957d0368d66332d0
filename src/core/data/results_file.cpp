#include "core/data/results_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/errors.h"
#include "core/data/system_error_text.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

// The file a replacement of path takes the place of: a symbolic link is
// followed, so the link stays and its target gets the new content.
std::string ReplacedFile(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// The permissions a new file gets: those of the file it replaces, or the
// usual ones under the user's mask.
mode_t NewFileMode(const struct stat* old) {
  if (old) return old->st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

ResultsFileWriter::~ResultsFileWriter() {
  if (file_) std::fclose(file_);
  if (!temp_.empty()) std::remove(temp_.c_str());  // never completed: the old file stays
}

void ResultsFileWriter::Open(const std::string& path, bool append) {
  if (file_) {
    try {
      Close();
    } catch (const InOutError&) {
      // the earlier file's failure belongs to the command that wrote it
    }
  }
  std::string target = ReplacedFile(path);
  struct stat info {};
  const bool exists = stat(target.c_str(), &info) == 0;
  if (append || (exists && !S_ISREG(info.st_mode))) {
    std::FILE* f = std::fopen(path.c_str(), append ? "ab" : "wb");
    if (!f) throw InOutError("Не удаётся открыть файл " + path + ": " + SystemErrorText(errno));
    std::error_code sizeUnknown;
    const std::uintmax_t size = append ? std::filesystem::file_size(path, sizeUnknown) : 0;
    file_ = f;
    path_ = path;
    reportStart_ = sizeUnknown ? 0 : size;
    return;
  }
  std::string temp = DirectoryOf(target) + "." + FileNameOf(target) + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) throw InOutError("Не удаётся открыть файл " + path + ": " + SystemErrorText(errno));
  std::FILE* f = fchmod(fd, NewFileMode(exists ? &info : nullptr)) == 0 ? fdopen(fd, "wb") : nullptr;
  if (!f) {
    const int err = errno;
    close(fd);
    std::remove(temp.c_str());
    throw InOutError("Не удаётся открыть файл " + path + ": " + SystemErrorText(err));
  }
  file_ = f;
  path_ = path;
  reportStart_ = 0;
  target_ = std::move(target);
  temp_ = std::move(temp);
}

void ResultsFileWriter::Drop() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temp_.empty()) std::remove(temp_.c_str());
  temp_.clear();
}

void ResultsFileWriter::Fail(const std::string& what, int err) {
  Drop();
  throw InOutError(what + " " + path_ + ": " + SystemErrorText(err));
}

void ResultsFileWriter::Write(std::string_view text) {
  if (!file_) throw InOutError("Файл результатов не открыт");
  if (text.empty()) return;  // an empty view may have no data pointer at all
  // Appending, what was written before stays in the file; a replacement is dropped.
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
  if (temp_.empty()) return;
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) Fail("Не удаётся заменить файл", errno);
  temp_.clear();
}

ResultsFileWriter& ResultsFile() {
  static ResultsFileWriter instance;
  return instance;
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

std::string DataFileClash(const std::string& path) {
  const std::string& data = Data().DataFileName;
  if (data.empty() || path.empty()) return {};
  struct stat a {};
  struct stat b {};
  bool same = false;
  if (stat(path.c_str(), &a) == 0 && stat(data.c_str(), &b) == 0) {
    same = a.st_dev == b.st_dev && a.st_ino == b.st_ino;
  } else {
    std::error_code ec1, ec2;
    const auto p = std::filesystem::weakly_canonical(path, ec1);
    const auto q = std::filesystem::weakly_canonical(data, ec2);
    same = !ec1 && !ec2 && p == q;
  }
  if (!same) return {};
  return "Файл результатов совпадает с файлом данных: " + path +
         "\nЗапись в него испортила бы данные; укажите другое имя файла.";
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
