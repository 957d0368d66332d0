#pragma once
// Reading a data file into the data set.
#include <cstdint>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/base/checked_array.h"

namespace tavrel {

struct DataSet;
struct Session;

inline constexpr const char* kBadNumbers = "Ошибка ввода: неверные числовые данные";
inline constexpr const char* kRangeFailure = "Ошибка диапазона";
inline constexpr const char* kNoNumbers = "Ошибка ввода: нет числовых данных (n=0)";
inline constexpr const char* kChangedWhileRead = "файл изменился во время чтения";
// What each thread reading a data file reads at a time.
inline constexpr std::size_t kReadBufferBytes = std::size_t{1} << 20;

// A text data file open for reading. The reader takes it in pieces into
// buffers it reuses, never whole; only a UTF-16 file (with its byte-order
// mark) is held whole, turned into UTF-8 text.
class DataFile {
 public:
  DataFile() = default;
  DataFile(DataFile&& other) noexcept;
  DataFile& operator=(DataFile&& other) noexcept;
  ~DataFile();

  const std::string& Path() const { return path_; }
  std::uint64_t Size() const { return size_; }
  // Copies count bytes from offset into to. A file that no longer holds them
  // (cut short since it was opened) is an InOutError, kChangedWhileRead, as
  // is a read that fails, with the system's reason.
  void ReadAt(std::uint64_t offset, char* to, std::size_t count) const;
  // An InOutError (kChangedWhileRead) when the file's size or modification
  // time is no longer that of its opening.
  void CheckUnchanged() const;

 private:
  friend DataFile OpenDataFile(const std::string& path);
  std::string path_;
  int fd_ = -1;            // -1 for an empty file or one held as text
  std::uint64_t size_ = 0;  // of the file at opening, or of text_
  std::int64_t modifiedSec_ = 0;
  std::int64_t modifiedNsec_ = 0;
  std::string text_;  // a UTF-16 file as UTF-8
};

// Opens the file. Only a regular file is read (a pipe or a device is refused
// at once, never waited on); UTF-16 with its byte-order mark is read whole
// and turned into UTF-8. A file that cannot be opened or read is an
// InOutError naming the file and the system's reason.
DataFile OpenDataFile(const std::string& path);

// Splits a line of names at blanks and tabs; each name is made clean
// (CleanName: at most 8 characters, never blank). An empty line gives one
// name, "Var1". A name beyond the first limit is a RangeError, found as the
// names are read.
Array<std::string> SplitNames(std::string_view line, std::size_t limit = SIZE_MAX);
// Reads the whole open file into d: line 1 holds the names (more than
// kMaxVariables of them is a RangeError), every non-blank line after them is an
// observation. A token that is not a number or lies beyond the
// range of a double, and a control character other than a tab or a line end,
// are an InOutError naming the file, the line and the text; a table that would
// not fit in memory is a RangeError, raised before allocating it. A file whose
// size, modification time or lines changed while it was read is an InOutError
// (kChangedWhileRead), never a table read in part. The file is read twice
// (counting the lines, then reading the numbers); a large file is split at
// line ends into one share per processor core, each read by a thread of its
// own in pieces into a buffer of its own.
void ReadTextData(DataFile& file, DataSet& d);
// The same in the given number of shares, each read through a buffer of
// bufferBytes at first (a longer line makes it grow); the data set and any
// failure are the same for every number of shares and every buffer.
void ReadTextData(DataFile& file, DataSet& d, int pieces, std::size_t bufferBytes = kReadBufferBytes);

// Whether a file goes to the spreadsheet reader: its upper-cased extension begins with ".XLS".
bool IsSpreadsheetName(const std::string& path);

// What a load command tells the user.
struct LoadOutcome {
  bool loaded = false;   // at least one variable and one observation
  std::string warning;   // the message to show, empty when there is none
  std::string readerWarning;  // the spreadsheet reader's own failure, shown before warning
};

// Loads the file at path into a new data set as every load does: reads the
// file (a spreadsheet by its name), empties the processing note, removes the
// empty variables (unless the setting IsZeroVarInput keeps them; when removing
// fails the load goes on with them and warns with kRemoveEmptyVarsFailed) and
// computes the axis steps. A failed read yields its fixed message followed by
// where it failed (a file that does not exist: only the system's reason); a
// load without numbers yields kNoNumbers. A workbook that fails gives the
// spreadsheet reader's message in readerWarning and kNoNumbers.
// A load that fails either way leaves the whole session as it was; otherwise
// the new data set replaces the session's (ReplaceDataSet), with DataFileName
// path and DataFileShortName its file name.
LoadOutcome LoadDataFile(const std::string& path, Session& session);

}  // namespace tavrel
