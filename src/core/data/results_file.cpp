#include "data/results_file.h"

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "data/data_input.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "data/system_error_text.h"
#include "shell/settings.h"

namespace tavrel {

namespace {

std::string WriteFailure(const std::string& path, int error) {
  return "Ошибка записи в файл " + path + (error != 0 ? ": " + SystemErrorText(error) : std::string());
}

}  // namespace

ResultsFileWriter::~ResultsFileWriter() {
  if (file_) std::fclose(file_);
}

void ResultsFileWriter::Open(const std::string& path, bool append) {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  std::FILE* f = std::fopen(path.c_str(), append ? "ab" : "wb");
  if (!f) throw InOutError("Не удаётся открыть файл " + path + ": " + SystemErrorText(errno));
  std::error_code sizeUnknown;
  const std::uintmax_t size = append ? std::filesystem::file_size(path, sizeUnknown) : 0;
  file_ = f;
  path_ = path;
  reportStart_ = sizeUnknown ? 0 : size;
}

void ResultsFileWriter::Write(std::string_view text) {
  if (!file_) throw InOutError("Файл результатов не открыт");
  if (text.empty()) return;  // an empty view may have no data pointer at all
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
    const int error = errno;
    std::fclose(file_);  // what was written before stays in the file
    file_ = nullptr;
    throw InOutError(WriteFailure(path_, error));
  }
}

void ResultsFileWriter::WriteLn(std::string_view text) {
  Write(text);
  Write("\r\n");
}

void ResultsFileWriter::Close() {
  if (!file_) return;
  std::FILE* f = file_;
  file_ = nullptr;
  const bool failed = std::ferror(f) != 0;
  errno = 0;
  const bool closeFailed = std::fclose(f) != 0;
  const int error = errno;
  if (closeFailed || failed) throw InOutError(WriteFailure(path_, closeFailed ? error : 0));
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

std::string AppendQuestion(const std::string& path) { return "Добавить в файл " + FileNameOf(path) + "?"; }

std::string Rule(int count) { return std::string(static_cast<std::size_t>(count), '_'); }

void WriteTitle(const std::string& fileName, const std::string& title, const std::string& note) {
  ResultsFileWriter& out = ResultsFile();
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

void WriteVarList() {
  ResultsFileWriter& out = ResultsFile();
  const DataSet& d = Data();
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
