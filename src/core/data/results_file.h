#pragma once
// The results file every report is written to: UTF-8 text, lines ending CR LF.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace tavrel {

class ResultsFileWriter {
 public:
  ResultsFileWriter() = default;
  ResultsFileWriter(const ResultsFileWriter&) = delete;
  ResultsFileWriter& operator=(const ResultsFileWriter&) = delete;
  ~ResultsFileWriter();

  // Opens path for appending at its end (created when missing), or to replace
  // it when append is false. A replacement is written to a temporary file
  // beside it and takes the old file's place only when Close succeeds, so a
  // write that fails part-way (a full disk) leaves the old file as it was; a
  // device or a pipe is written directly. A failure is an InOutError naming the
  // file and the reason; a file that was open is closed first.
  void Open(const std::string& path, bool append);
  bool IsOpen() const { return file_ != nullptr; }
  // The file last opened and the byte offset at which its newest report starts
  // (its former size when appended to, otherwise 0); kept after closing.
  const std::string& Path() const { return path_; }
  std::uint64_t ReportStart() const { return reportStart_; }
  // Writes text without ending the line. A failed write closes the file (a
  // replacement is dropped) and is an InOutError.
  void Write(std::string_view text);
  // Writes text and a line end.
  void WriteLn(std::string_view text = {});
  // Flushes and closes; a replacement then takes the old file's place. A
  // write that failed on the way is an InOutError, and the old file stays.
  void Close();

 private:
  // Closes the file after a failure: a replacement is removed.
  void Drop();
  [[noreturn]] void Fail(const std::string& what, int err);

  std::FILE* file_ = nullptr;
  std::string path_;    // the name the user gave
  std::string target_;  // the file a replacement takes the place of
  std::string temp_;    // the replacement being written; empty when writing in place
  std::uint64_t reportStart_ = 0;
};

// The single results file of the process.
ResultsFileWriter& ResultsFile();

// The name the output dialog proposes for a data file: its name with the
// extension replaced by ".out" (".out" appended when it has none).
std::string ProposedResultsName(const std::string& dataShortName);

// The results file's path: the directory (the home directory when empty),
// joined with "/" when it does not end with one, and the file name.
std::string ResultsFilePath(const std::string& directory, const std::string& fileName);

// The refusal of a results file that is the loaded data file itself (a data
// file named *.out in the output directory): the message, or empty when path
// is another file.
std::string DataFileClash(const std::string& path);

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
