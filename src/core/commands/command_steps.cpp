#include "core/commands/command_steps.h"

#include <sys/stat.h>

#include <algorithm>

#include "core/base/text_codec.h"
#include "core/commands/command_refusal.h"
#include "core/data/data_input.h"
#include "core/data/results_file.h"
#include "core/data/session.h"
#include "core/data/variable_selection.h"
#include "core/shell/settings.h"

namespace tavrel {

void LoadCommandSettings(Session& session, const std::string& path, bool given, const std::string& programDir,
                         CommandNotes& notes) {
  if (!given) {
    EnsureUserSettings(path, programDir);
  } else {
    // A settings file the user named must be there to be read: running on
    // defaults instead would silently change every result.
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0)
      throw CommandRefusal(RefusalKind::Input, kNoSettingsFile + path);
    if (S_ISREG(info.st_mode) && info.st_size == 0)
      throw CommandRefusal(RefusalKind::Input, "Файл конфигурации пуст: " + path);
  }
  try {
    if (!LoadSessionSettings(path, session)) notes.push_back(kNoSettingsFile + path);
  } catch (const ConversionError& e) {
    notes.push_back(e.what());
  } catch (const InOutError& e) {
    if (given) throw CommandRefusal(RefusalKind::Input, e.what());
    notes.push_back(e.what());
  }
}

void LoadCommandData(Session& session, const std::string& path, std::optional<int> missingCode, CommandNotes& notes) {
  if (missingCode) {
    session.settings.EmptyValue = *missingCode;
    session.data.EmptyValue = *missingCode;
  }
  const LoadOutcome outcome = LoadDataFile(path, session);
  if (!outcome.readerWarning.empty()) notes.push_back(outcome.readerWarning);
  if (!outcome.loaded) throw CommandRefusal(RefusalKind::Input, outcome.warning);
  if (!outcome.warning.empty()) notes.push_back(outcome.warning);
}

void ChooseVariables(DataSet& d, const Settings& s, OperationModes mode, const std::vector<std::string>& names,
                     CommandNotes& notes) {
  d.OperationMode = mode;
  const SelectionStart start = BeginSelection(d, s);
  if (!start.enough) throw CommandRefusal(RefusalKind::Choice, start.warning);
  if (!start.warning.empty()) notes.push_back(start.warning);
  const std::vector<int> chosen = VariablesNamed(d, names);
  const std::string refusal = ConfirmSelection(d, s, chosen);
  EndSelection(d, false);
  if (!refusal.empty()) throw CommandRefusal(RefusalKind::Choice, refusal);
}

std::vector<std::string> NameList(const std::string& list) {
  std::vector<std::string> names;
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string name(TrimBlanks(std::string_view(list).substr(start, comma - start)));
    if (!name.empty()) names.push_back(name);
    start = comma + 1;
  }
  return names;
}

std::vector<int> VariablesNamed(const DataSet& d, const std::vector<std::string>& names) {
  std::vector<int> chosen;
  for (const std::string& name : names) {
    bool found = false;
    for (int v = 0; v <= d.LastVar; ++v) {
      if (TrimBlanks(d.VarNames[v]) != name) continue;
      chosen.push_back(v);
      found = true;
    }
    if (!found) throw CommandRefusal(RefusalKind::Choice, "Нет переменной " + name);
  }
  std::sort(chosen.begin(), chosen.end());
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  return chosen;
}

int VariableNamed(const DataSet& d, const std::string& name) {
  const std::string wanted(TrimBlanks(name));
  for (int v = 0; v <= d.LastVar; ++v)
    if (TrimBlanks(d.VarNames[v]) == wanted) return v;
  throw CommandRefusal(RefusalKind::Choice, "Нет переменной " + wanted);
}

KeptFiles KeptFor(const DataSet& d, const std::string& resultsFile) { return {d.DataFileName, resultsFile}; }

void CheckCommandOutput(const std::string& path, const KeptFiles& kept) {
  try {
    CheckOutputTarget(path, kept);
  } catch (const InOutError& e) {
    throw CommandRefusal(RefusalKind::Output, e.what());
  }
}

void OpenCommandOutput(ResultsFileWriter& out, const std::string& path, bool append, const KeptFiles& kept) {
  CheckCommandOutput(path, kept);
  try {
    out.Open(path, append, kept);
  } catch (const InOutError& e) {
    throw CommandRefusal(RefusalKind::Output, e.what());
  }
}

}  // namespace tavrel
