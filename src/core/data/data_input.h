#pragma once
// Reading a data file into the data set.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "data/checked_array.h"

namespace tavrel {

inline constexpr const char* kBadNumbers = "Ошибка ввода: неверные числовые данные";
inline constexpr const char* kRangeFailure = "Ошибка диапазона";
inline constexpr const char* kNoNumbers = "Ошибка ввода: нет числовых данных (n=0)";

// An open text data file: its bytes (mapped into memory) and the reading position.
struct DataFile {
  std::shared_ptr<const void> mapping;
  std::string_view bytes;
  std::size_t pos = 0;
};

// Opens the whole file; a file that cannot be read is an InOutError.
DataFile OpenDataFile(const std::string& path);

// Splits a line of names at blanks; each name is cut to 8 characters and trimmed.
// An empty line gives one empty name.
Array<std::string> SplitNames(std::string_view line);
// Line 1: sets VarNames, NumVar and LastVar. More than 100 names is a RangeError.
void ReadVarNames(DataFile& file);
// Counts the non-blank lines after the name line; the file stays at the first data line.
std::int32_t CountDataLines(DataFile& file);
// Reads the whole open file into the data set. A token that is not a number is an InOutError.
void ReadTextData(DataFile& file);

// Whether a file goes to the spreadsheet reader: its upper-cased extension begins with ".XLS".
bool IsSpreadsheetName(const std::string& path);

// Loads Data().DataFileName as every load does: clears the data set, reads the
// file, empties the processing note, removes the empty variables (unless the
// setting keeps them) and computes the axis steps. Failures propagate
// (InOutError, RangeError); the data set is then as the failed step left it.
// Returns false when removing the empty variables failed (the load goes on
// with them; the caller warns with kRemoveEmptyVarsFailed).
bool ReadDataFile();

// What a load command tells the user.
struct LoadOutcome {
  bool loaded = false;   // at least one variable and one observation
  std::string warning;   // the message to show, empty when there is none
  std::string readerWarning;  // the spreadsheet reader's own failure, shown before warning
};

// ReadDataFile for path with the load commands' failure rules: a failed read
// clears the data set and yields its fixed message; a load without numbers
// yields kNoNumbers. A workbook that fails gives the spreadsheet reader's
// message in readerWarning and kNoNumbers. DataFileName becomes path, DataFileShortName its file name.
LoadOutcome LoadDataFile(const std::string& path);

// The file name of a path without its directory.
std::string FileNameOf(const std::string& path);
// The directory of a path with its trailing "/", empty when it has none.
std::string DirectoryOf(const std::string& path);

}  // namespace tavrel
