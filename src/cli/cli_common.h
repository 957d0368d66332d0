#pragma once
// What every command of the batch tool shares: its arguments, the settings,
// the data file and the variable selection.
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/data/output_target.h"

namespace tavrel::cli {

// A wrong call: printed with the usage text, exit code 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A failure with the program's own message: printed to standard error, exit code 1.
struct CommandFailure : std::runtime_error {
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

// Reads the settings file (--ini or the user's), as the program does at start.
// Its warnings (a key that does not convert) go to standard error and the run
// goes on as the program would. A file given with --ini that is missing, empty
// or cannot be read is a CommandFailure.
void LoadSettingsFor(const Arguments& args);

// Loads the data file as the program's input command does (--missing
// overrides the missing-value code). A failed load is a CommandFailure.
void LoadDataFor(const Arguments& args, const std::string& dataFile);

// Narrows the data set to the variables named by --vars, moved to the front
// in their data-set order, as the variable dialog does (a name that several
// variables share chooses them all). Without --vars all stay; an empty list is a UsageError.
void SelectVariables(const Arguments& args);

// The files an output of the command must never be: the loaded data file
// and, for the second output of a run, its report (resultsFile).
KeptFiles KeptFor(const std::string& resultsFile = {});

// Checks a file the command is to write before anything is written, with the
// rule every output follows (CheckOutputTarget); a refusal is a CommandFailure.
void CheckOutputFile(const std::string& path, const std::string& resultsFile = {});

// The same for a comma-separated list of names (blanks around a name do not count).
void SelectVariablesByName(const std::string& names);

// The position of the variable in force with that name; a CommandFailure when there is none.
int VariableByName(const std::string& name);

}  // namespace tavrel::cli
