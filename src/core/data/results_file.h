#pragma once
// The results file every report is written to: UTF-8 text, lines ending CR LF.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/data/output_target.h"

namespace tavrel {

class ResultsFileWriter {
 public:
  ResultsFileWriter() = default;
  ResultsFileWriter(const ResultsFileWriter&) = delete;
  ResultsFileWriter& operator=(const ResultsFileWriter&) = delete;
  ~ResultsFileWriter();

  // Opens path for appending at its end (created when missing), or to replace
  // it when append is false. The path must pass CheckOutputTarget with kept. A
  // replacement is written to a temporary file beside it and takes the old
  // file's place only when Close succeeds, so a write that fails part-way (a
  // full disk) leaves the old file as it was; a character device is written
  // directly. A failure is an InOutError naming the file and the reason; a file
  // that was open is closed first.
  void Open(const std::string& path, bool append, const KeptFiles& kept = {});
  bool IsOpen() const { return file_ != nullptr; }
  // The file last opened and the byte offset at which its newest report starts
  // (its former size when appended to, otherwise 0); kept after closing.
  const std::string& Path() const { return path_; }
  std::uint64_t ReportStart() const { return reportStart_; }
  // Writes text without ending the line. A failed write abandons the file and
  // is an InOutError.
  void Write(std::string_view text);
  // Writes text and a line end.
  void WriteLn(std::string_view text = {});
  // Flushes and closes; a replacement then takes the old file's place. A
  // write that failed on the way is an InOutError, and the old file stays.
  void Close();
  // Closes the file after a report that did not complete, leaving it as it
  // was before Open: a replacement is removed, a file appended to is cut back
  // to ReportStart. Nothing happens when no file is open.
  void Abandon();

 private:
  [[noreturn]] void Fail(const std::string& what, int err);

  std::FILE* file_ = nullptr;
  bool cutBackOnFailure_ = false;  // a file appended to: a failed report is taken out again
  std::string path_;    // the name the user gave
  std::string target_;  // the file a replacement takes the place of
  std::string temp_;    // the replacement being written; empty when writing in place
  std::uint64_t reportStart_ = 0;
};

// The name the output dialog proposes for a data file: its name with the
// extension replaced by ".out" (".out" appended when it has none).
std::string ProposedResultsName(const std::string& dataShortName);

// The results file's path: the directory (the home directory when empty),
// joined with "/" when it does not end with one, and the file name.
std::string ResultsFilePath(const std::string& directory, const std::string& fileName);

// The question asked before writing to an existing results file.
std::string AppendQuestion(const std::string& path);

struct DataSet;

// The title block in front of every report.
void WriteTitle(ResultsFileWriter& out, const std::string& fileName, const std::string& title,
                const std::string& note);
// The list of the data set's variables in force, seven names a line.
void WriteVarList(ResultsFileWriter& out, const DataSet& data);

// A rule of count underscores.
std::string Rule(int count);

}  // namespace tavrel
