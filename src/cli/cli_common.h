#pragma once
// What every command of the batch tool shares: its arguments, and the steps
// of the command layer with their notes printed. Each run has a session of its
// own; a refusal (CommandRefusal) ends the run with its kind's exit code.
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/commands/command_steps.h"
#include "core/data/session.h"

namespace tavrel::cli {

// A wrong call: printed with the usage text, exit code 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Arguments {
 public:
  // flags take no value, options take one; anything else starting with "--" is a UsageError.
  Arguments(const std::vector<std::string>& args, const std::set<std::string>& flags,
            const std::set<std::string>& options);

  const std::vector<std::string>& Positional() const { return positional_; }
  // The positional argument at index, or a UsageError naming what is missing.
  const std::string& Required(std::size_t index, const char* what) const;
  bool Has(const std::string& name) const;
  std::string Value(const std::string& name, const std::string& fallback = {}) const;
  int IntValue(const std::string& name, int fallback) const;
  double DoubleValue(const std::string& name, double fallback) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> values_;
};

// The options every command that loads data accepts.
inline const std::set<std::string> kDataOptions = {"--ini", "--missing", "--vars"};

// A step's notes, printed to standard error one a line when the step ends,
// whichever way it ends (a refusal's message then follows them).
struct PrintedNotes {
  PrintedNotes() = default;
  PrintedNotes(const PrintedNotes&) = delete;
  PrintedNotes& operator=(const PrintedNotes&) = delete;
  ~PrintedNotes();
  CommandNotes notes;
};

// Reads the settings file (--ini or the user's) into the run's session, as the
// program does at start (LoadCommandSettings); the notes go to standard error.
void LoadSettingsFor(const Arguments& args, Session& session);

// Loads the data file into the run's session as the program's input command
// does (LoadCommandData; --missing overrides the missing-value code).
void LoadDataFor(const Arguments& args, const std::string& dataFile, Session& session);

// The names --vars gives (none without --vars); an empty list is a UsageError.
std::vector<std::string> VarsOption(const Arguments& args, const char* option = "--vars");

// Chooses the variables --vars names for a command of the mode, as the
// variable dialog does (ChooseVariables); the notes go to standard error.
void ChooseVariablesFor(const Arguments& args, Session& session, OperationModes mode);

// Checks a file the command is to write before anything is written
// (CheckCommandOutput): never the loaded data file of d, nor resultsFile.
void CheckOutputFile(const std::string& path, const DataSet& d, const std::string& resultsFile = {});

}  // namespace tavrel::cli
