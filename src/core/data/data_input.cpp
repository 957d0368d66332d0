#include "data/data_input.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "data/dataset.h"
#include "data/errors.h"
#include "data/numbers.h"
#include "data/spreadsheet_input.h"
#include "data/text_codec.h"
#include "shell/settings.h"

namespace tavrel {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Skips blanks and line ends; true when the end of the file is reached.
bool SeekEof(DataFile& f) {
  const std::string_view b = f.bytes;
  while (f.pos < b.size() && IsBlank(b[f.pos])) ++f.pos;
  return f.pos >= b.size();
}

// Skips blanks but not line ends; true at a line end or the end of the file.
bool SeekEoln(DataFile& f) {
  const std::string_view b = f.bytes;
  while (f.pos < b.size() && b[f.pos] != '\n' && IsBlank(b[f.pos])) ++f.pos;
  return f.pos >= b.size() || b[f.pos] == '\n';
}

// Moves past the next line end.
void SkipLine(DataFile& f) {
  if (f.pos >= f.bytes.size()) {
    f.pos = f.bytes.size();
    return;
  }
  const void* nl = std::memchr(f.bytes.data() + f.pos, '\n', f.bytes.size() - f.pos);
  f.pos = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - f.bytes.data()) + 1 : f.bytes.size();
}

// Reads the number at the position; the number must end at a blank or the end of the file.
double ReadNumber(DataFile& f) {
  double value = 0;
  f.pos += ScanNumber(f.bytes.substr(f.pos), value);
  if (f.pos < f.bytes.size() && !IsBlank(f.bytes[f.pos])) throw InOutError(kBadNumbers);
  return value;
}

}  // namespace

DataFile OpenDataFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw InOutError("Не удаётся открыть файл " + path);
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    throw InOutError("Не удаётся прочитать файл " + path);
  }
  DataFile file;
  const auto size = static_cast<std::size_t>(info.st_size);
  if (size > 0) {
    void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (map == MAP_FAILED) {
      close(fd);
      throw InOutError("Не удаётся прочитать файл " + path);
    }
    madvise(map, size, MADV_SEQUENTIAL);
    file.mapping = std::shared_ptr<const void>(map, [size](const void* p) { munmap(const_cast<void*>(p), size); });
    file.bytes = std::string_view(static_cast<const char*>(map), size);
  }
  close(fd);
  return file;
}

Array<std::string> SplitNames(std::string_view line) {
  std::string text = std::string(TrimBlanks(line)) + " ";
  Array<std::string> names;
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    const std::string name(TrimBlanks(Utf8Left(std::string_view(text).substr(0, blank), 8)));
    names.push_back(StoreName(name));
    text = std::string(TrimBlanksLeft(std::string_view(text).substr(blank)));
  }
  return names;
}

void ReadVarNames(DataFile& file) {
  DataSet& d = Data();
  const std::size_t start = file.pos;
  SkipLine(file);
  Array<std::string> names = SplitNames(DecodeFileText(file.bytes.substr(start, file.pos - start)));
  if (names.Count() > kMaxVariables) throw RangeError(kRangeFailure);
  d.VarNames = std::move(names);
  d.NumVar = static_cast<int>(d.VarNames.Count());
  d.LastVar = d.NumVar - 1;
}

std::int32_t CountDataLines(DataFile& file) {
  const std::size_t first = file.pos;
  std::int32_t n = 0;
  while (!SeekEof(file)) {
    SkipLine(file);
    if (n == INT32_MAX) throw OverflowError("Слишком много строк данных");
    ++n;
  }
  file.pos = first;
  return n;
}

void ReadTextData(DataFile& file) {
  DataSet& d = Data();
  ReadVarNames(file);
  d.NumObs = CountDataLines(file);
  d.LastObs = d.NumObs - 1;
  d.DataValues.assign(static_cast<std::size_t>(d.NumVar), Array<double>(static_cast<std::size_t>(d.NumObs), 0.0));
  std::int32_t i = 0;
  int j = 0;
  while (!SeekEof(file)) {
    d.DataValues[j][i] = ReadNumber(file);
    if (SeekEoln(file) || j >= d.LastVar) {
      SkipLine(file);
      ++i;
      j = 0;
    } else {
      ++j;
    }
  }
  d.VarCounts.assign(static_cast<std::size_t>(d.NumVar), d.NumObs);
}

bool IsSpreadsheetName(const std::string& path) {
  const std::string name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  return AsciiUpper(name.substr(dot, 4)) == ".XLS";
}

bool ReadDataFile() {
  DataSet& d = Data();
  ClearDataSet();
  if (IsSpreadsheetName(d.DataFileName)) {
    ReadSpreadsheet(d.DataFileName);
  } else {
    DataFile file = OpenDataFile(d.DataFileName);
    ReadTextData(file);
  }
  d.ProcessingNote.clear();
  if (d.NumVar == 0) return true;
  d.FullLastVar = d.LastVar;
  const bool removed = Config().IsZeroVarInput || RemoveEmptyVars();
  ComputeVarSteps();
  return removed;
}

LoadOutcome LoadDataFile(const std::string& path) {
  DataSet& d = Data();
  d.DataFileName = path;
  d.DataFileShortName = FileNameOf(path);
  LoadOutcome out;
  try {
    if (!ReadDataFile()) out.warning = kRemoveEmptyVarsFailed;
  } catch (const SpreadsheetError& e) {
    ClearDataSet();
    out.readerWarning = e.what();
    out.warning = kNoNumbers;
    return out;
  } catch (const InOutError&) {
    ClearDataSet();
    out.warning = kBadNumbers;
    return out;
  } catch (const RangeError&) {
    ClearDataSet();
    out.warning = kRangeFailure;
    return out;
  }
  if (d.NumVar == 0 || d.NumObs == 0) {
    out.warning = kNoNumbers;
    return out;
  }
  out.loaded = true;
  return out;
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace tavrel
