#include "core/data/data_input.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "core/data/csv_reader.h"
#include "core/data/data_file_lines.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/data/errors.h"
#include "core/data/numbers.h"
#include "core/data/spreadsheet_input.h"
#include "core/data/system_error_text.h"
#include "core/data/table_memory.h"
#include "core/data/text_codec.h"
#include "core/data/variable_name.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

// Blanks between numbers: spaces, tabs and the two line-end characters. Any
// other control character is an error of the file, never a blank.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsControl(unsigned char c) { return c < 32 && c != '\t' && c != '\n' && c != '\r'; }

// Skips blanks and line ends; true when the end of the file is reached.
bool SeekEof(DataFile& f) {
  const std::string_view b = f.bytes;
  while (f.pos < b.size() && IsBlank(b[f.pos])) ++f.pos;
  return f.pos >= b.size();
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Skips blanks but not line ends; true at a line end or the end of the file.
bool SeekEoln(DataFile& f) {
  const std::string_view b = f.bytes;
  while (f.pos < b.size() && !IsLineEnd(b[f.pos]) && IsBlank(b[f.pos])) ++f.pos;
  return f.pos >= b.size() || IsLineEnd(b[f.pos]);
}

// Moves past the next line end.
void SkipLine(DataFile& f) { f.pos = PastLineEnd(f.bytes, FindLineEnd(f.bytes, f.pos)); }

// The token at pos as the user would see it, shortened when it is long.
std::string TokenText(const DataFile& f, std::size_t pos) {
  std::size_t end = pos;
  while (end < f.bytes.size() && !IsBlank(f.bytes[end]) && end - pos < 40) ++end;
  std::string text = DecodeFileText(f.bytes.substr(pos, end - pos));
  if (end < f.bytes.size() && !IsBlank(f.bytes[end])) text += "...";
  return "«" + text + "»";
}

// A control character other than a tab or a line end (a NUL of a UTF-16 file
// without its mark, a binary file) is an input error, never a blank. Checks
// f.bytes from position from up to position to. The number reader finds them
// itself wherever it reads; this serves the parts it passes over.
void CheckControlCharacters(const DataFile& f, std::size_t from, std::size_t to) {
  const auto* b = reinterpret_cast<const unsigned char*>(f.bytes.data());
  const std::size_t n = std::min(to, f.bytes.size());
  std::size_t i = from;
  // Sixteen bytes at a time while none is suspect; the exact place is found below.
  using Bytes = unsigned char __attribute__((vector_size(16)));
  for (; i + 16 <= n; i += 16) {
    Bytes v;
    std::memcpy(&v, b + i, sizeof v);
    const auto control = (v < 32) & (v != '\t') & (v != '\n') & (v != '\r');
    std::uint64_t halves[2];
    std::memcpy(halves, &control, sizeof halves);
    if ((halves[0] | halves[1]) != 0) break;
  }
  for (; i < n; ++i) {
    if (IsControl(b[i]))
      throw InOutError(Where(f, i) + "недопустимый управляющий символ (код " + std::to_string(b[i]) + ")");
  }
}

// Reads the number at the position; the number must end at a blank or the end
// of the file and lie within the range of a double.
double ReadNumber(DataFile& f) {
  const std::size_t start = f.pos;
  double value = 0;
  f.pos += ScanNumber(f.bytes.substr(f.pos), value);
  if (f.pos < f.bytes.size() && !IsBlank(f.bytes[f.pos])) {
    if (IsControl(static_cast<unsigned char>(f.bytes[f.pos]))) CheckControlCharacters(f, f.pos, f.pos + 1);
    throw InOutError(Where(f, start) + TokenText(f, start) + " не является числом");
  }
  if (!std::isfinite(value))
    throw InOutError(Where(f, start) + TokenText(f, start) + " " + kBeyondNumbers);
  return value;
}

// The non-blank lines from the position on (of a copy: the file stays where it is).
std::int64_t CountDataLines(DataFile f) {
  std::int64_t n = 0;
  while (!SeekEof(f)) {
    SkipLine(f);
    ++n;
  }
  return n;
}

// Reads the lines from the position on as the observations first..end-1:
// values in order, a short line filled out with zeros, the numbers beyond the
// last variable passed over. columns[v] holds variable v's observations.
void ReadRows(DataFile& f, std::int32_t first, std::int32_t end, double* const* columns, int lastVar) {
  std::int32_t i = first;
  int j = 0;
  while (!SeekEof(f)) {
    if (i >= end) ThrowIndexError(i, static_cast<std::size_t>(end));
    columns[j][i] = ReadNumber(f);
    if (SeekEoln(f) || j >= lastVar) {
      const std::size_t rest = f.pos;  // surplus numbers, passed over
      SkipLine(f);
      CheckControlCharacters(f, rest, f.pos);
      ++i;
      j = 0;
    } else {
      ++j;
    }
  }
}

// Memory for a file's bytes, in large pages where the system offers them (a
// large file then costs far fewer page faults). Null when there is none.
std::shared_ptr<char> FileBuffer(std::size_t size) {
  void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  madvise(p, size, MADV_HUGEPAGE);
  return std::shared_ptr<char>(static_cast<char*>(p), [size](char* q) { munmap(q, size); });
}

// The fixed message of a failed load followed by where it failed.
std::string WithDetail(const char* message, const char* detail) {
  return *detail ? std::string(message) + "\n" + detail : std::string(message);
}

}  // namespace

DataFile OpenDataFile(const std::string& path) {
  // Without O_NONBLOCK opening a pipe would wait for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw InOutError("Не удаётся открыть файл " + path + ": " + SystemErrorText(errno));
  struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  struct stat info {};
  if (fstat(fd, &info) != 0) throw InOutError("Не удаётся прочитать файл " + path + ": " + SystemErrorText(errno));
  if (S_ISDIR(info.st_mode)) throw InOutError("Не удаётся открыть файл " + path + ": " + SystemErrorText(EISDIR));
  if (!S_ISREG(info.st_mode))
    throw InOutError("Не удаётся открыть файл " + path + ": это не обычный файл (канал или устройство)");
  DataFile file;
  file.path = path;
  const auto size = static_cast<std::size_t>(info.st_size);
  if (size == 0) return file;
  std::shared_ptr<char> buffer = FileBuffer(size);
  if (!buffer) throw InOutError("Не удаётся прочитать файл " + path + ": " + SystemErrorText(ENOMEM));
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = read(fd, buffer.get() + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw InOutError("Не удаётся прочитать файл " + path + ": " + SystemErrorText(errno));
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  // A file written meanwhile (cut short, grown, rewritten) would be read in part.
  struct stat after {};
  if (fstat(fd, &after) != 0) throw InOutError("Не удаётся прочитать файл " + path + ": " + SystemErrorText(errno));
  if (got != size || after.st_size != info.st_size || after.st_mtim.tv_sec != info.st_mtim.tv_sec ||
      after.st_mtim.tv_nsec != info.st_mtim.tv_nsec) {
    throw InOutError("Не удаётся прочитать файл " + path + ": " + kChangedWhileRead);
  }
  file.bytes = std::string_view(buffer.get(), got);
  if (HasUtf16Mark(file.bytes)) {
    std::string text;
    try {
      text = Utf16ToUtf8(file.bytes);
    } catch (const InOutError& e) {
      throw InOutError("Файл " + path + ": " + e.what());
    }
    auto decoded = std::make_shared<const std::string>(std::move(text));
    file.bytes = *decoded;
    file.storage = std::move(decoded);
  } else {
    file.storage = std::move(buffer);
  }
  return file;
}

Array<std::string> SplitNames(std::string_view line, std::size_t limit) {
  const std::string_view text = TrimBlanks(line);
  Array<std::string> names;
  std::size_t pos = 0;
  do {
    if (names.size() == limit) throw RangeError("больше " + std::to_string(limit) + " имён переменных");
    std::size_t end = text.find_first_of(" \t", pos);
    if (end == std::string_view::npos) end = text.size();
    names.push_back(CleanName(Utf8Left(text.substr(pos, end - pos), 8), static_cast<int>(names.size()) + 1));
    pos = end;
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) <= 32) ++pos;
  } while (pos < text.size());
  return names;
}

void ReadVarNames(DataFile& file, DataSet& d) {
  const std::size_t start = file.pos;
  SkipLine(file);
  CheckControlCharacters(file, start, file.pos);
  Array<std::string> names;
  try {
    names = SplitNames(DecodeFileText(file.bytes.substr(start, file.pos - start)), kMaxVariables);
  } catch (const RangeError& e) {
    throw RangeError(Where(file, start) + e.what());
  }
  d.VarNames = std::move(names);
  d.NumVar = static_cast<int>(d.VarNames.Count());
  d.LastVar = d.NumVar - 1;
}

void ReadTextData(DataFile& file, DataSet& d) { ReadTextData(file, d, PiecesFor(file.bytes.size())); }

void ReadTextData(DataFile& file, DataSet& d, int pieces) {
  ReadVarNames(file, d);
  std::vector<DataFile> parts = SplitAtLineEnds(file, std::max(pieces, 1));
  const int n = static_cast<int>(parts.size());
  std::vector<std::int64_t> rows(parts.size());
  RunPieces(n, [&](int k) { rows[k] = CountDataLines(parts[k]); });
  std::vector<std::int32_t> firstRow(parts.size() + 1, 0);
  for (int k = 0; k < n; ++k) {
    const std::int64_t end = firstRow[k] + rows[k];
    if (end > INT32_MAX) throw OverflowError("Слишком много строк данных");
    firstRow[k + 1] = static_cast<std::int32_t>(end);
  }
  const std::int32_t numObs = firstRow[n];
  CheckTableFits(file, d.NumVar, numObs);
  d.NumObs = numObs;
  d.LastObs = d.NumObs - 1;
  d.DataValues = ZeroColumns(static_cast<std::size_t>(d.NumVar), static_cast<std::size_t>(d.NumObs));
  std::vector<double*> columns;
  for (Array<double>& column : d.DataValues) columns.push_back(column.data());
  RunPieces(n, [&](int k) { ReadRows(parts[k], firstRow[k], firstRow[k + 1], columns.data(), d.LastVar); });
  file.pos = file.bytes.size();
  d.VarCounts.assign(static_cast<std::size_t>(d.NumVar), d.NumObs);
}

bool IsSpreadsheetName(const std::string& path) {
  const std::string name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  return AsciiUpper(name.substr(dot, 4)) == ".XLS";
}

namespace {

// Reads d.DataFileName into d, which holds no table yet, as every load does:
// reads the file, empties the processing note and removes the empty variables
// (unless the settings keep them). Returns false when removing the empty
// variables failed (the load goes on with them).
bool ReadDataFile(DataSet& d, const Settings& s) {
  if (IsSpreadsheetName(d.DataFileName)) {
    ReadSpreadsheet(d.DataFileName, d.ExeDir, d);
  } else {
    DataFile file = OpenDataFile(d.DataFileName);
    if (DetectWorkbookKind(file.bytes) != WorkbookKind::Unknown) {
      ReadSpreadsheet(d.DataFileName, d.ExeDir, d);
    } else if (IsCsvName(d.DataFileName) || LooksLikeCsv(file.bytes)) {
      ReadCsvData(file, d);
    } else {
      ReadTextData(file, d);
    }
  }
  d.ProcessingNote.clear();
  if (d.NumVar == 0) return true;
  d.FullLastVar = d.LastVar;
  return s.IsZeroVarInput || RemoveEmptyVars(d);
}

}  // namespace

LoadOutcome LoadDataFile(const std::string& path, Session& session) {
  // The new data set is built aside; the session changes only when it loaded.
  DataSet d = EmptiedDataSet(session.data);
  d.DataFileName = path;
  d.DataFileShortName = FileNameOf(path);
  LoadOutcome out;
  try {
    if (!ReadDataFile(d, session.settings)) out.warning = kRemoveEmptyVarsFailed;
  } catch (const SpreadsheetError& e) {
    out.readerWarning = e.what();
    out.warning = kNoNumbers;
    return out;
  } catch (const InOutError& e) {
    out.warning = WithDetail(kBadNumbers, e.what());
    return out;
  } catch (const RangeError& e) {
    out.warning = WithDetail(kRangeFailure, e.what());
    return out;
  } catch (const std::bad_alloc&) {
    out.warning = WithDetail(kRangeFailure, ("Файл " + path + ": недостаточно памяти для его данных").c_str());
    return out;
  }
  if (d.NumVar == 0 || d.NumObs == 0) {
    out.warning = kNoNumbers;
    return out;
  }
  ReplaceDataSet(session, std::move(d));
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
