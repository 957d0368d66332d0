#include "cli/cli_common.h"

#include <iostream>

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/base/program_directory.h"
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

PrintedNotes::~PrintedNotes() {
  for (const std::string& note : notes) std::cerr << note << "\n";
}

void LoadSettingsFor(const Arguments& args, Session& session) {
  session.data.ExeDir = RunningProgramDirectory();
  const bool given = args.Has("--ini");
  PrintedNotes printed;
  LoadCommandSettings(session, given ? args.Value("--ini") : UserSettingsPath(), given, session.data.ExeDir,
                      printed.notes);
}

void LoadDataFor(const Arguments& args, const std::string& dataFile, Session& session) {
  const std::optional<int> missing =
      args.Has("--missing") ? std::optional<int>(args.IntValue("--missing", 0)) : std::nullopt;
  PrintedNotes printed;
  LoadCommandData(session, dataFile, missing, printed.notes);
}

std::vector<std::string> VarsOption(const Arguments& args, const char* option) {
  if (!args.Has(option)) return {};
  std::vector<std::string> names = NameList(args.Value(option));
  if (names.empty()) throw UsageError(std::string(option) + ": пустой список переменных");
  return names;
}

void ChooseVariablesFor(const Arguments& args, Session& session, OperationModes mode) {
  const std::vector<std::string> names = VarsOption(args);
  PrintedNotes printed;
  ChooseVariables(session.data, session.settings, mode, names, printed.notes);
}

void CheckOutputFile(const std::string& path, const DataSet& d, const std::string& resultsFile) {
  CheckCommandOutput(path, KeptFor(d, resultsFile));
}

}  // namespace tavrel::cli
