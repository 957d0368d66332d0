#include "core/data/data_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "core/base/errors.h"
#include "core/base/file_paths.h"
#include "core/base/numbers.h"
#include "core/base/system_error_text.h"
#include "core/base/table_memory.h"
#include "core/base/text_codec.h"
#include "core/data/csv_reader.h"
#include "core/data/data_file_lines.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/data/spreadsheet_input.h"
#include "core/data/variable_name.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

using Bytes16 = char __attribute__((vector_size(16)));

// Blanks between numbers: spaces, tabs and the two line-end characters. Any
// other control character is an error of the file, never a blank.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsControl(unsigned char c) { return c < 32 && c != '\t' && c != '\n' && c != '\r'; }

// Whole lines of the file in memory and the reading position among them.
struct TextWindow {
  const DataFile* file = nullptr;
  std::uint64_t offset = 0;  // of bytes[0] in the file, which is the start of a line
  std::string_view bytes;
  std::size_t pos = 0;
};

// Skips blanks and line ends; true when the end of the file is reached.
bool SeekEof(TextWindow& f) {
  const std::string_view b = f.bytes;
  while (f.pos < b.size() && IsBlank(b[f.pos])) ++f.pos;
  return f.pos >= b.size();
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Moves past the next line end.
void SkipLine(TextWindow& f) { f.pos = PastLineEnd(f.bytes, FindLineEnd(f.bytes, f.pos)); }

// Counts the line ends of a text given in parts, in order: LF, CR LF and a
// lone CR each end a line; a CR at the very end counts as a lone one.
class LineEndCounter {
 public:
  void Add(std::string_view b) {
    for (const char c : b) {
      if (c == '\r' || (c == '\n' && !afterCr_)) ++count_;
      afterCr_ = c == '\r';
    }
  }
  std::int64_t Count() const { return count_; }

 private:
  std::int64_t count_ = 0;
  bool afterCr_ = false;
};

// The line ends of the file before offset, read again from its start (only
// for a message: the reading itself never counts them).
std::int64_t LinesBefore(const DataFile& file, std::uint64_t offset) {
  LineEndCounter counter;
  std::vector<char> block(1 << 16);
  for (std::uint64_t at = 0; at < offset;) {
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), offset - at));
    file.ReadAt(at, block.data(), count);
    counter.Add(std::string_view(block.data(), count));
    at += count;
  }
  return counter.Count();
}

// The line (from 1) the position lies on: LF, CR LF and a lone CR each end a line.
std::int64_t LineAt(const TextWindow& f, std::size_t pos) {
  LineEndCounter counter;
  counter.Add(f.bytes.substr(0, pos));
  // A CR just before pos ends a line only when no LF follows it.
  const bool crLfCut = pos > 0 && pos < f.bytes.size() && f.bytes[pos - 1] == '\r' && f.bytes[pos] == '\n';
  return 1 + LinesBefore(*f.file, f.offset) + counter.Count() - (crLfCut ? 1 : 0);
}

// "Файл <path>, строка <n>: " in front of what went wrong there.
std::string Where(const TextWindow& f, std::size_t pos) {
  return "Файл " + f.file->Path() + ", строка " + std::to_string(LineAt(f, pos)) + ": ";
}

[[noreturn]] void ThrowChanged(const DataFile& file) {
  throw InOutError("Не удаётся прочитать файл " + file.Path() + ": " + kChangedWhileRead);
}

// The token at pos as the user would see it, shortened when it is long.
std::string TokenText(const TextWindow& f, std::size_t pos) {
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
void CheckControlCharacters(const TextWindow& f, std::size_t from, std::size_t to) {
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
double ReadNumber(TextWindow& f) {
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

// The non-blank lines from the position on.
std::int64_t CountDataLines(TextWindow f) {
  std::int64_t n = 0;
  while (!SeekEof(f)) {
    SkipLine(f);
    ++n;
  }
  return n;
}

// Where the blanks and the line ends lie in a block of 64 bytes: bit k stands
// for the block's byte k.
struct BlankBits {
  std::uint64_t blank = 0;
  std::uint64_t lineEnd = 0;
};

// The bit of each byte of v whose top bit is set.
std::uint32_t TopBits(Bytes16 v) {
#ifdef __SSE2__
  return static_cast<std::uint32_t>(_mm_movemask_epi8(reinterpret_cast<__m128i>(v)));
#else
  std::uint32_t bits = 0;
  for (int k = 0; k < 16; ++k) bits |= static_cast<std::uint32_t>((v[k] >> 7) & 1) << k;
  return bits;
#endif
}

// The block of 64 bytes from b[at] on; bytes past the end of b count as blanks.
BlankBits BlanksAt(std::string_view b, std::size_t at) {
  char tail[64];
  const char* p = b.data() + at;
  if (b.size() - at < sizeof tail) {
    std::memset(tail, ' ', sizeof tail);
    std::memcpy(tail, p, b.size() - at);
    p = tail;
  }
  BlankBits bits;
  for (int q = 0; q < 4; ++q) {
    Bytes16 v;
    std::memcpy(&v, p + 16 * q, sizeof v);
    const auto lineEnd = (v == '\n') | (v == '\r');
    const auto blank = lineEnd | (v == ' ') | (v == '\t');
    bits.blank |= std::uint64_t{TopBits(reinterpret_cast<Bytes16>(blank))} << (16 * q);
    bits.lineEnd |= std::uint64_t{TopBits(reinterpret_cast<Bytes16>(lineEnd))} << (16 * q);
  }
  return bits;
}

// The end of the token at pos: the first blank after it, or the end of b.
std::size_t TokenEnd(std::string_view b, std::size_t pos) {
  while (pos < b.size() && !IsBlank(b[pos])) ++pos;
  return pos;
}

// Reads the lines from the position on as the observations first, first + 1
// and so on: values in order, a short line filled out with zeros, the numbers
// beyond the last variable passed over. columns[v] holds variable v's
// observations. Returns the observation after the last one read; one at or
// beyond end means the file changed since its lines were counted.
//
// The tokens and line ends are found 64 bytes at a time from bit masks, so
// that finding the next number never waits for the one before to be read.
std::int32_t ReadRows(TextWindow& f, std::int32_t first, std::int32_t end, double* const* columns, int lastVar) {
  const std::string_view b = f.bytes;
  std::int32_t i = first;
  int j = 0;               // the variable the next number belongs to
  bool surplus = false;    // row i - 1 is full: the numbers up to the line end are passed over
  bool afterBlank = f.pos == 0 || IsBlank(b[f.pos - 1]);
  for (std::size_t at = f.pos; at < b.size(); at += 64) {
    const BlankBits bits = BlanksAt(b, at);
    const std::uint64_t starts = ~bits.blank & ((bits.blank << 1) | (afterBlank ? 1 : 0));
    afterBlank = (bits.blank >> 63) != 0;
    for (std::uint64_t events = starts | bits.lineEnd; events != 0; events &= events - 1) {
      const int k = std::countr_zero(events);
      const std::size_t pos = at + static_cast<std::size_t>(k);
      if ((bits.lineEnd >> k) & 1) {
        if (j > 0) ++i;  // a short line
        j = 0;
        surplus = false;
      } else if (surplus) {
        CheckControlCharacters(f, pos, TokenEnd(b, pos));
      } else {
        if (i >= end) ThrowChanged(*f.file);
        double value = 0;
        const std::size_t past = pos + ScanNumber(b.substr(pos), value);
        if (past == pos || (past < b.size() && !IsBlank(b[past])) || !std::isfinite(value)) {
          f.pos = pos;
          value = ReadNumber(f);  // says what is wrong with it
        }
        columns[j][i] = value;
        if (j >= lastVar) {
          ++i;
          j = 0;
          surplus = true;
        } else {
          ++j;
        }
      }
    }
  }
  if (j > 0) ++i;  // the last line of the file without a line end
  f.pos = b.size();
  return i;
}

// The offset just past the first line end at or after from (CR LF is one
// line end), or the file's size when there is none.
std::uint64_t NextLineStart(const DataFile& file, std::uint64_t from) {
  char block[4096];
  while (from < file.Size()) {
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof block, file.Size() - from));
    file.ReadAt(from, block, count);
    const std::string_view b(block, count);
    const std::size_t at = FindLineEnd(b, 0);
    if (at < count) {
      const std::uint64_t past = from + at + 1;
      if (b[at] != '\r' || past >= file.Size()) return past;
      char next = 0;
      if (at + 1 < count) {
        next = b[at + 1];
      } else {
        file.ReadAt(past, &next, 1);
      }
      return next == '\n' ? past + 1 : past;
    }
    from += count;
  }
  return file.Size();
}

// A thread's share of the file: the bytes from begin to end.
struct Share {
  std::uint64_t begin = 0;
  std::uint64_t end = 0;
};

// The file from begin on in shares of about the same size, each ending just
// after a line end (the last at the end of the file).
std::vector<Share> SplitAtLineEnds(const DataFile& file, std::uint64_t begin, int pieces) {
  std::vector<Share> shares;
  const std::uint64_t rest = file.Size() - begin;
  for (int k = 1; k <= pieces; ++k) {
    const std::uint64_t from = shares.empty() ? begin : shares.back().end;
    std::uint64_t end = file.Size();
    if (k < pieces) end = NextLineStart(file, std::max(from, begin + rest / static_cast<std::uint64_t>(pieces) * k));
    shares.push_back({from, end});
  }
  return shares;
}

// The length of the whole lines at the start of b, a split never falling
// between the CR and the LF of one line end; 0 when no line has ended.
std::size_t WholeLines(std::string_view b) {
  if (!b.empty() && b.back() == '\n') return b.size();
  for (std::size_t i = b.size(); i-- > 1;)
    if (IsLineEnd(b[i - 1])) return i;
  return 0;
}

// Reads the share into buffer a part at a time and calls visit(window) on
// each part's whole lines, in order. A line longer than the buffer makes it grow.
template <class Visit>
void ForEachWindow(const DataFile& file, Share share, std::vector<char>& buffer, const Visit& visit) {
  std::uint64_t offset = share.begin;  // of buffer[0]
  std::size_t kept = 0;                // bytes of a line begun in the last part
  while (offset + kept < share.end) {
    if (kept == buffer.size()) buffer.resize(std::max<std::size_t>(2 * buffer.size(), 64));
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size() - kept, share.end - offset - kept));
    file.ReadAt(offset + kept, buffer.data() + kept, count);
    const std::size_t filled = kept + count;
    const std::string_view b(buffer.data(), filled);
    const std::size_t whole = offset + filled == share.end ? filled : WholeLines(b);
    if (whole > 0) {
      TextWindow window{&file, offset, b.substr(0, whole), 0};
      visit(window);
      std::memmove(buffer.data(), buffer.data() + whole, filled - whole);
    }
    offset += whole;
    kept = filled - whole;
  }
}

// Line 1: sets d's VarNames, NumVar and LastVar. Returns the offset of the line after it.
std::uint64_t ReadVarNames(const DataFile& file, DataSet& d) {
  std::string head;
  std::size_t lineEnd = 0;
  // Up to the first line end and the byte after it (CR LF is one line end).
  while (head.size() < file.Size()) {
    const std::size_t had = head.size();
    head.resize(had + static_cast<std::size_t>(std::min<std::uint64_t>(1 << 16, file.Size() - had)));
    file.ReadAt(had, head.data() + had, head.size() - had);
    lineEnd = FindLineEnd(head, lineEnd);
    if (lineEnd + 1 < head.size()) break;
  }
  TextWindow f{&file, 0, head, 0};
  SkipLine(f);
  CheckControlCharacters(f, 0, f.pos);
  Array<std::string> names;
  try {
    names = SplitNames(DecodeFileText(f.bytes.substr(0, f.pos)), kMaxVariables);
  } catch (const RangeError& e) {
    throw RangeError(Where(f, 0) + e.what());
  }
  d.VarNames = std::move(names);
  d.NumVar = static_cast<int>(d.VarNames.Count());
  d.LastVar = d.NumVar - 1;
  return f.pos;
}

// The fixed message of a failed load followed by where it failed.
std::string WithDetail(const char* message, const char* detail) {
  return *detail ? std::string(message) + "\n" + detail : std::string(message);
}

}  // namespace

DataFile::DataFile(DataFile&& other) noexcept { *this = std::move(other); }

DataFile& DataFile::operator=(DataFile&& other) noexcept {
  if (this == &other) return *this;
  if (fd_ >= 0) close(fd_);
  path_ = std::move(other.path_);
  fd_ = std::exchange(other.fd_, -1);
  size_ = other.size_;
  modifiedSec_ = other.modifiedSec_;
  modifiedNsec_ = other.modifiedNsec_;
  text_ = std::move(other.text_);
  return *this;
}

DataFile::~DataFile() {
  if (fd_ >= 0) close(fd_);
}

void DataFile::ReadAt(std::uint64_t offset, char* to, std::size_t count) const {
  if (offset + count > size_) ThrowChanged(*this);
  if (fd_ < 0) {
    std::memcpy(to, text_.data() + offset, count);
    return;
  }
  while (count > 0) {
    const ssize_t n = pread(fd_, to, count, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw InOutError("Не удаётся прочитать файл " + path_ + ": " + SystemErrorText(errno));
    if (n == 0) ThrowChanged(*this);  // cut short
    to += n;
    offset += static_cast<std::uint64_t>(n);
    count -= static_cast<std::size_t>(n);
  }
}

void DataFile::CheckUnchanged() const {
  if (fd_ < 0) return;  // nothing, or text read whole and checked then
  struct stat now {};
  if (fstat(fd_, &now) != 0) throw InOutError("Не удаётся прочитать файл " + path_ + ": " + SystemErrorText(errno));
  if (static_cast<std::uint64_t>(now.st_size) != size_ || now.st_mtim.tv_sec != modifiedSec_ ||
      now.st_mtim.tv_nsec != modifiedNsec_)
    ThrowChanged(*this);
}

DataFile OpenDataFile(const std::string& path) {
  DataFile file;
  file.path_ = path;
  // Without O_NONBLOCK opening a pipe would wait for a writer.
  file.fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (file.fd_ < 0) throw InOutError("Не удаётся открыть файл " + path + ": " + SystemErrorText(errno));
  struct stat info {};
  if (fstat(file.fd_, &info) != 0) throw InOutError("Не удаётся прочитать файл " + path + ": " + SystemErrorText(errno));
  if (S_ISDIR(info.st_mode)) throw InOutError("Не удаётся открыть файл " + path + ": " + SystemErrorText(EISDIR));
  if (!S_ISREG(info.st_mode))
    throw InOutError("Не удаётся открыть файл " + path + ": это не обычный файл (канал или устройство)");
  file.size_ = static_cast<std::uint64_t>(info.st_size);
  file.modifiedSec_ = info.st_mtim.tv_sec;
  file.modifiedNsec_ = info.st_mtim.tv_nsec;
  char mark[2];
  if (file.size_ < sizeof mark) return file;
  file.ReadAt(0, mark, sizeof mark);
  if (!HasUtf16Mark(std::string_view(mark, sizeof mark))) return file;
  std::string raw(static_cast<std::size_t>(file.size_), '\0');
  file.ReadAt(0, raw.data(), raw.size());
  file.CheckUnchanged();
  try {
    file.text_ = Utf16ToUtf8(raw);
  } catch (const InOutError& e) {
    throw InOutError("Файл " + path + ": " + e.what());
  }
  close(std::exchange(file.fd_, -1));
  file.size_ = file.text_.size();
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

void ReadTextData(DataFile& file, DataSet& d) { ReadTextData(file, d, PiecesFor(file.Size())); }

void ReadTextData(DataFile& file, DataSet& d, int pieces, std::size_t bufferBytes) {
  const std::uint64_t dataStart = ReadVarNames(file, d);
  const std::vector<Share> shares = SplitAtLineEnds(file, dataStart, std::max(pieces, 1));
  const int n = static_cast<int>(shares.size());
  // Each thread reads its share twice into the same buffer of its own.
  std::vector<std::vector<char>> buffers(shares.size());
  std::vector<std::int64_t> rows(shares.size());
  RunPieces(n, [&](int k) {
    buffers[k].resize(std::max<std::size_t>(bufferBytes, 1));
    ForEachWindow(file, shares[k], buffers[k], [&](const TextWindow& w) { rows[k] += CountDataLines(w); });
  });
  std::vector<std::int32_t> firstRow(shares.size() + 1, 0);
  for (int k = 0; k < n; ++k) {
    const std::int64_t end = firstRow[k] + rows[k];
    if (end > INT32_MAX) throw OverflowError("Слишком много строк данных");
    firstRow[k + 1] = static_cast<std::int32_t>(end);
  }
  const std::int32_t numObs = firstRow[n];
  CheckTableFits(file.Path(), d.NumVar, numObs);
  d.NumObs = numObs;
  d.LastObs = d.NumObs - 1;
  d.DataValues = ZeroColumns(static_cast<std::size_t>(d.NumVar), static_cast<std::size_t>(d.NumObs));
  std::vector<double*> columns;
  for (Array<double>& column : d.DataValues) columns.push_back(column.data());
  try {
    RunPieces(n, [&](int k) {
      std::int32_t row = firstRow[k];
      ForEachWindow(file, shares[k], buffers[k],
                    [&](TextWindow& w) { row = ReadRows(w, row, firstRow[k + 1], columns.data(), d.LastVar); });
      if (row != firstRow[k + 1]) ThrowChanged(file);
    });
  } catch (...) {
    file.CheckUnchanged();  // a file written meanwhile is refused as such, whatever it made of the reading
    throw;
  }
  file.CheckUnchanged();
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
    std::string head(static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), kReadBufferBytes)), '\0');
    file.ReadAt(0, head.data(), head.size());
    if (DetectWorkbookKind(head) != WorkbookKind::Unknown) {
      ReadSpreadsheet(d.DataFileName, d.ExeDir, d);
    } else if (IsCsvName(d.DataFileName) || LooksLikeCsv(head)) {
      FileText text = ReadWholeText(file);
      ReadCsvData(text, d);
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
    // A file gone (since it was chosen, or from the recent files) is told by
    // the system's reason alone: no number of it was read.
    out.warning = access(path.c_str(), F_OK) != 0 && errno == ENOENT ? std::string(e.what())
                                                                     : WithDetail(kBadNumbers, e.what());
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

}  // namespace tavrel
