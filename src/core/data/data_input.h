#pragma once
// Reading a data file into the data set.
#include <cstdint>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/data/checked_array.h"

namespace tavrel {

struct DataSet;
struct Session;

inline constexpr const char* kBadNumbers = "Ошибка ввода: неверные числовые данные";
inline constexpr const char* kRangeFailure = "Ошибка диапазона";
inline constexpr const char* kNoNumbers = "Ошибка ввода: нет числовых данных (n=0)";
inline constexpr const char* kChangedWhileRead = "файл изменился во время чтения";

// A text data file read whole into memory the reader owns (so the file may
// change or shrink meanwhile), as UTF-8 or single-byte text, and the reading position.
struct DataFile {
  std::string path;
  std::shared_ptr<const void> storage;
  std::string_view bytes;
  std::size_t pos = 0;
};

// Reads the whole file. Only a regular file is read (a pipe or a device is
// refused at once, never waited on); UTF-16 with its byte-order mark is turned
// into UTF-8. A file that cannot be opened or read is an InOutError naming the
// file and the system's reason; so is a file whose size or modification time
// changed while it was read (kChangedWhileRead).
DataFile OpenDataFile(const std::string& path);

// Splits a line of names at blanks and tabs; each name is made clean
// (CleanName: at most 8 characters, never blank). An empty line gives one
// name, "Var1". A name beyond the first limit is a RangeError, found as the
// names are read.
Array<std::string> SplitNames(std::string_view line, std::size_t limit = SIZE_MAX);
// Line 1: sets d's VarNames, NumVar and LastVar. More than 100 names is a RangeError.
void ReadVarNames(DataFile& file, DataSet& d);
// Reads the whole open file into d: every non-blank line after the
// names is an observation. A token that is not a number or lies beyond the
// range of a double, and a control character other than a tab or a line end,
// are an InOutError naming the file, the line and the text; a table that would
// not fit in memory is a RangeError, raised before allocating it. A large file
// is read in pieces at the same time, one per processor core.
void ReadTextData(DataFile& file, DataSet& d);
// The same in the given number of pieces, split at line ends; the data set and
// any failure are the same for every number of pieces.
void ReadTextData(DataFile& file, DataSet& d, int pieces);

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
// where it failed; a load without numbers yields kNoNumbers. A workbook that
// fails gives the spreadsheet reader's message in readerWarning and kNoNumbers.
// A load that fails either way leaves the whole session as it was; otherwise
// the new data set replaces the session's (ReplaceDataSet), with DataFileName
// path and DataFileShortName its file name.
LoadOutcome LoadDataFile(const std::string& path, Session& session);

// The file name of a path without its directory.
std::string FileNameOf(const std::string& path);
// The directory of a path with its trailing "/", empty when it has none.
std::string DirectoryOf(const std::string& path);

}  // namespace tavrel
