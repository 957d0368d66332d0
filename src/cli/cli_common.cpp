#include "cli/cli_common.h"

#include <sys/stat.h>

#include <iostream>

#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/errors.h"
#include "core/data/numbers.h"
#include "core/data/program_directory.h"
#include "core/data/results_file.h"
#include "core/data/session.h"
#include "core/data/text_codec.h"
#include "core/shell/settings.h"

namespace tavrel::cli {

Arguments::Arguments(const std::vector<std::string>& args, const std::set<std::string>& flags,
                     const std::set<std::string>& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0 || a == "--") {
      positional_.push_back(a);
    } else if (flags.count(a)) {
      values_.insert_or_assign(a, std::string(1, '1'));
    } else if (options.count(a)) {
      if (i + 1 >= args.size()) throw UsageError("у параметра " + a + " нет значения");
      values_[a] = args[++i];
    } else {
      throw UsageError("неизвестный параметр " + a);
    }
  }
}

const std::string& Arguments::Required(std::size_t index, const char* what) const {
  if (index >= positional_.size()) throw UsageError(std::string("не указан ") + what);
  return positional_[index];
}

bool Arguments::Has(const std::string& name) const { return values_.count(name) > 0; }

std::string Arguments::Value(const std::string& name, const std::string& fallback) const {
  const auto it = values_.find(name);
  return it == values_.end() ? fallback : it->second;
}

int Arguments::IntValue(const std::string& name, int fallback) const {
  if (!Has(name)) return fallback;
  try {
    return UserInteger(Value(name));
  } catch (const ConversionError& e) {
    throw UsageError(name + ": " + e.what());
  }
}

double Arguments::DoubleValue(const std::string& name, double fallback) const {
  if (!Has(name)) return fallback;
  try {
    return UserNumber(Value(name));
  } catch (const ConversionError& e) {
    throw UsageError(name + ": " + e.what());
  }
}

void LoadSettingsFor(const Arguments& args) {
  Data().ExeDir = RunningProgramDirectory();
  const bool given = args.Has("--ini");
  std::string path = args.Value("--ini");
  if (!given) {
    path = UserSettingsPath();
    EnsureUserSettings(path, Data().ExeDir);
  } else {
    // A settings file named on the command line must be there to be read:
    // running on defaults instead would silently change every result.
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) throw CommandFailure(kNoSettingsFile + path);
    if (S_ISREG(info.st_mode) && info.st_size == 0) throw CommandFailure("Файл конфигурации пуст: " + path);
  }
  try {
    if (!LoadSessionSettings(path, ProgramSession())) std::cerr << kNoSettingsFile << path << "\n";
  } catch (const ConversionError& e) {
    std::cerr << e.what() << "\n";
  } catch (const InOutError& e) {
    if (given) throw CommandFailure(e.what());
    std::cerr << e.what() << "\n";
  }
}

void LoadDataFor(const Arguments& args, const std::string& dataFile) {
  if (args.Has("--missing")) {
    Config().EmptyValue = args.IntValue("--missing", 0);
    Data().EmptyValue = Config().EmptyValue;
  }
  const LoadOutcome outcome = LoadDataFile(dataFile, ProgramSession());
  if (!outcome.readerWarning.empty()) std::cerr << outcome.readerWarning << "\n";
  if (!outcome.loaded) throw CommandFailure(outcome.warning);
  if (!outcome.warning.empty()) std::cerr << outcome.warning << "\n";
}

void SelectVariables(const Arguments& args) {
  if (!args.Has("--vars")) return;
  if (args.Value("--vars").find_first_not_of(", ") == std::string::npos)
    throw UsageError("--vars: пустой список переменных");
  SelectVariablesByName(args.Value("--vars"));
}

void SelectVariablesByName(const std::string& names) {
  DataSet& d = Data();
  std::vector<int> chosen;
  std::string list = names + ",";
  for (std::size_t start = 0, comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1) {
    const std::string name(TrimBlanks(list.substr(start, comma - start)));
    if (name.empty()) continue;
    bool found = false;
    for (int v = 0; v <= d.LastVar; ++v) {
      if (TrimBlanks(d.VarNames[v]) != name) continue;
      chosen.push_back(v);
      found = true;
    }
    if (!found) throw CommandFailure("Нет переменной " + name);
  }
  NarrowTo(d, chosen);
}

KeptFiles KeptFor(const std::string& resultsFile) { return {Data().DataFileName, resultsFile}; }

void CheckOutputFile(const std::string& path, const std::string& resultsFile) {
  try {
    CheckOutputTarget(path, KeptFor(resultsFile));
  } catch (const InOutError& e) {
    throw CommandFailure(e.what());
  }
}

int VariableByName(const std::string& name) {
  const DataSet& d = Data();
  const std::string wanted(TrimBlanks(name));
  for (int v = 0; v <= d.LastVar; ++v)
    if (TrimBlanks(d.VarNames[v]) == wanted) return v;
  throw CommandFailure("Нет переменной " + wanted);
}

}  // namespace tavrel::cli
