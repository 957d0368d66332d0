// tavrel-cli prepare: the data table's cleaning and transformations as a
// script of steps, from a data file to a saved data file.
#include <iostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/commands/command_refusal.h"
#include "core/commands/table_commands.h"
#include "core/data/csv_writer.h"
#include "core/data/dataset.h"
#include "core/preparation/missing_outliers.h"
#include "core/preparation/transformations.h"
#include "core/shell/settings.h"
#include "core/statistics/statistics_run.h"

namespace tavrel::cli {

namespace {

struct Step {
  std::string text;               // as given, for messages
  std::string kind;               // the part before the first ":"
  std::vector<std::string> parts;  // the parts after it
};

std::vector<std::string> SplitColons(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1) {
    parts.push_back(text.substr(start, colon - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

// The cleaning steps: the routine, and whether it needs data without missing
// values and with outliers (the outlier commands) or data with missing values.
struct Cleaning {
  const char* kind;
  void (*routine)(DataSet&);
  bool outliers;
};
const Cleaning kCleaning[] = {
    {"missing-to-mean", MissingToMean, false},      {"delete-missing", DeleteMissing, false},
    {"delete-missing-rows", DeleteMissingRows, false}, {"outliers-to-mean", OutliersToMean, true},
    {"delete-outliers", DeleteOutliers, true},      {"delete-outlier-rows", DeleteOutlierRows, true},
    {"keep-outliers", KeepOutliers, true},          {"keep-outlier-rows", KeepOutlierRows, true},
};

struct Chosen {
  const char* kind;
  void (*routine)(DataSet&);
};
const Chosen kChosen[] = {
    {"normalise", NormaliseVariables},
    {"differences", Differences},
    {"log", LogVariables},
};

Step ParseStep(const std::string& text) {
  std::vector<std::string> parts = SplitColons(text);
  Step step{text, parts[0], std::vector<std::string>(parts.begin() + 1, parts.end())};
  const std::size_t n = step.parts.size();
  auto arity = [&](bool ok) {
    if (!ok) throw UsageError("неверный шаг " + text);
  };
  for (const Cleaning& c : kCleaning)
    if (step.kind == c.kind) arity(n == 0);
  for (const Chosen& c : kChosen)
    if (step.kind == c.kind) arity(n <= 1);
  if (step.kind == "shift") {
    arity(n == 1 || n == 2);
    try {
      UserInteger(step.parts[0]);
    } catch (const ConversionError& e) {
      throw UsageError(text + ": " + e.what());
    }
  } else if (step.kind == "replace") {
    arity(n == 2 || n == 3);
  } else if (step.kind == "arith") {
    arity(n == 4 && (step.parts[1] == "+" || step.parts[1] == "-" || step.parts[1] == "*" || step.parts[1] == "/"));
  } else if (step.kind == "rename") {
    arity(n == 2);
  } else {
    bool known = false;
    for (const Cleaning& c : kCleaning) known = known || step.kind == c.kind;
    for (const Chosen& c : kChosen) known = known || step.kind == c.kind;
    if (!known) throw UsageError("неизвестный шаг " + text);
  }
  return step;
}

void RefuseMissing(const DataSet& d) {
  if (HasMissingValues(d)) throw CommandRefusal(RefusalKind::Choice, kMissingNotRemoved);
}

// Narrows to the named variables as the variable dialog does (all when no names are given).
void Choose(DataSet& d, const Step& step, std::size_t index) {
  if (index < step.parts.size()) NarrowTo(d, VariablesNamed(d, NameList(step.parts[index])));
}

void ApplyStep(DataSet& d, const Step& step) {
  for (const Cleaning& c : kCleaning) {
    if (step.kind != c.kind) continue;
    // As in the table: the missing-value commands apply while a missing value
    // exists, the outlier commands to complete data holding an outlier.
    if (c.outliers) {
      RefuseMissing(d);
      if (!HasOutliers(d)) return;
    } else if (!HasMissingValues(d)) {
      return;
    }
    c.routine(d);
    return;
  }
  for (const Chosen& c : kChosen) {
    if (step.kind != c.kind) continue;
    Choose(d, step, 0);
    const bool missing = HasMissingValues(d);
    if (!missing) c.routine(d);
    WidenVariables(d);
    if (missing) throw CommandRefusal(RefusalKind::Choice, kMissingNotRemoved);
    return;
  }
  if (step.kind == "shift") {
    Choose(d, step, 1);
    if (!ShiftSeries(d, UserInteger(step.parts[0]))) throw CommandRefusal(RefusalKind::Choice, kNotEnoughForShift);
  } else if (step.kind == "replace") {
    const std::string from(TrimBlanks(step.parts[0]));
    const std::string to(TrimBlanks(step.parts[1]));
    if (from.empty() || to.empty()) throw CommandRefusal(RefusalKind::Choice, kNothingEntered);
    const int variable = step.parts.size() > 2 ? VariableNamed(d, step.parts[2]) : -1;
    double oldValue = 0, newValue = 0;
    try {
      oldValue = UserNumber(from);
    } catch (const ConversionError& e) {
      throw CommandRefusal(RefusalKind::Choice, std::string("Заменяемое значение: ") + e.what());
    }
    try {
      newValue = UserNumber(to);
    } catch (const ConversionError& e) {
      throw CommandRefusal(RefusalKind::Choice, std::string("Замещающее значение: ") + e.what());
    }
    ReplaceValues(d, oldValue, newValue, variable);
  } else if (step.kind == "arith") {
    const int a = VariableNamed(d, step.parts[0]);
    const int b = VariableNamed(d, step.parts[2]);
    const int r = VariableNamed(d, step.parts[3]);
    RefuseMissing(d);
    Arithmetic(d, a, step.parts[1][0], b, r);
  } else if (step.kind == "rename") {
    const int v = VariableNamed(d, step.parts[0]);
    std::vector<std::string> names(d.VarNames.begin(), d.VarNames.begin() + d.LastVar + 1);
    names[static_cast<std::size_t>(v)] = step.parts[1];
    RenameVariables(d, names);
  }
}

}  // namespace

int RunPrepare(const std::vector<std::string>& raw) {
  const Arguments args(raw, {}, {"--ini", "--missing"});
  const std::string& dataFile = args.Required(0, "файл данных");
  const std::string& outFile = args.Required(1, "файл для записи");
  if (args.Positional().size() < 3) throw UsageError("не указаны шаги");
  std::vector<Step> steps;
  for (std::size_t i = 2; i < args.Positional().size(); ++i) steps.push_back(ParseStep(args.Positional()[i]));
  Session session;
  LoadSettingsFor(args, session);
  LoadDataFor(args, dataFile, session);
  DataSet& d = session.data;
  CheckOutputFile(outFile, d);
  for (const Step& step : steps) ApplyStep(d, step);
  ComputeVarSteps(d, session.settings);
  SaveTableCommand(d, outFile, false, KeptFor(d), SystemDecimalPoint());
  std::cout << d.ProcessingNote << "\n";
  return 0;
}

}  // namespace tavrel::cli
