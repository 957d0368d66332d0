#pragma once
// The steps a command goes through before its work, the same for a window and
// the batch tool: the settings, the data file, the choice of variables and the
// output target. Each refuses with a CommandRefusal; a warning that lets the
// command go on is added to the command's notes.
#include <optional>
#include <string>
#include <vector>

#include "core/data/dataset.h"
#include "core/data/output_target.h"

namespace tavrel {

class ResultsFileWriter;
struct Session;
struct Settings;

// What a command says besides its result: the window shows each note, the
// batch tool prints it to standard error.
using CommandNotes = std::vector<std::string>;

// Reads the settings into the session as the program does at start. A file the
// user named (given) must exist, hold something and be readable, or the
// command is refused (Input). Without one, the user's settings file is read,
// made from the distributed one in programDir when it is missing. A key that
// does not convert, and a missing user file, are notes.
void LoadCommandSettings(Session& session, const std::string& path, bool given, const std::string& programDir,
                         CommandNotes& notes);

// Loads the data file into the session as the input command does, the
// missing-value code replaced by missingCode first when one is given. A load
// that fails is refused (Input) with the program's message and keeps the
// session as it was; the load's warnings are notes.
void LoadCommandData(Session& session, const std::string& path, std::optional<int> missingCode, CommandNotes& notes);

// Chooses the variables of d for a command of the given mode as the variable
// dialog does: at most one observation is refused (Choice, kNotEnoughData);
// the empty variables are removed where the dialog removes them (a failure is
// a note); the variables named (a name shared by several chooses them all)
// move to the front in their data-set order and become the variables in
// force, and an empty list keeps them all. A name no variable has, and a
// number of variables the mode cannot take, are refused (Choice).
void ChooseVariables(DataSet& d, const Settings& s, OperationModes mode, const std::vector<std::string>& names,
                     CommandNotes& notes);

// The names in a comma-separated list, blanks around each dropped, empty ones skipped.
std::vector<std::string> NameList(const std::string& list);

// The positions of the variables in force with those names, in increasing
// order (a name shared by several gives them all); a name no variable has is
// refused (Choice).
std::vector<int> VariablesNamed(const DataSet& d, const std::vector<std::string>& names);

// The position of the variable in force with that name; refused (Choice) when there is none.
int VariableNamed(const DataSet& d, const std::string& name);

// The files an output of a command on d must never be: the loaded data file
// and, for a second output of the same run, the report it wrote (resultsFile).
KeptFiles KeptFor(const DataSet& d, const std::string& resultsFile = {});

// Checks an output target before anything is written, by the rule every
// output follows (CheckOutputTarget); a target refused is refused (Output).
void CheckCommandOutput(const std::string& path, const KeptFiles& kept);

// CheckCommandOutput, then path opened in out, appended to or to be replaced;
// a file that does not open is refused (Output).
void OpenCommandOutput(ResultsFileWriter& out, const std::string& path, bool append, const KeptFiles& kept);

}  // namespace tavrel
