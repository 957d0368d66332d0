// graph distribution and graph scatter: the distribution graph of one variable
// and the scatter diagram of two, as picture files.
#include <QString>
#include <iostream>

#include "cli/cli_common.h"
#include "core/data/dataset.h"
#include "cli/graph/graph_kinds.h"
#include "draw/graphs/picture_file.h"
#include "draw/graphs/picture_painters.h"

namespace tavrel::cli {

namespace {

// The variables named by --vars, which must name exactly count of them.
std::vector<int> NamedVariables(const Arguments& args, std::size_t count) {
  std::vector<int> chosen;
  const std::string names = args.Value("--vars");
  std::size_t from = 0;
  while (from <= names.size()) {
    const std::size_t comma = names.find(',', from);
    const std::string name = names.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
    const std::size_t first = name.find_first_not_of(' '), lastChar = name.find_last_not_of(' ');
    if (first != std::string::npos) chosen.push_back(VariableByName(name.substr(first, lastChar - first + 1)));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  if (chosen.size() != count) {
    throw UsageError(count == 1 ? "--vars: одна переменная" : "--vars: две переменные через запятую");
  }
  return chosen;
}

// Loads the data and checks the picture file; returns the chosen variables.
std::vector<int> Prepare(const Arguments& args, std::size_t count, std::string& outFile) {
  const std::string& dataFile = args.Required(0, "файл данных");
  outFile = PictureFile(args);
  if (!args.Has("--vars")) throw UsageError("не задана --vars");
  LoadSettingsFor(args);
  LoadDataFor(args, dataFile);
  CheckOutputFile(outFile);
  return NamedVariables(args, count);
}

void Save(const std::string& outFile, const std::string& refusal, const PaintFunction& paint) {
  if (!refusal.empty()) throw CommandFailure(refusal);
  const QString failure = SavePicture(QString::fromStdString(outFile), QSize(kPictureWidth, kPictureHeight), paint);
  if (!failure.isEmpty()) throw CommandFailure(failure.toStdString());
}

}  // namespace

int RunDistributionGraph(const std::vector<std::string>& raw) {
  const Arguments args(raw, {}, kDataOptions);
  std::string outFile;
  const std::vector<int> chosen = Prepare(args, 1, outFile);
  const DataSet& d = Data();
  const Variable variable = GetVariable(d, chosen[0]);
  // The data table offers the graph only for data without missing values.
  if (ContainsEmpty(variable.values, variable.last, d.EmptyValue))
    throw CommandFailure("Переменная " + variable.name + " содержит пропуски");
  const DistributionLayout layout = ComputeDistributionLayout(variable, d.EmptyValue);
  Save(outFile, layout.refusal, [&layout](QPainter& p) { DrawDistributionPicture(p, layout); });
  return 0;
}

int RunScatterGraph(const std::vector<std::string>& raw) {
  const Arguments args(raw, {"--pairwise-missing", "--pairwise-outliers"}, kDataOptions);
  std::string outFile;
  const std::vector<int> chosen = Prepare(args, 2, outFile);
  const ScatterLayout layout = ComputeScatterLayout(GetVariable(Data(), chosen[0]), GetVariable(Data(), chosen[1]),
                                                    args.Has("--pairwise-missing"), args.Has("--pairwise-outliers"),
                                                    Data().EmptyValue, Data().ProcessingNote);
  Save(outFile, layout.refusal, [&layout](QPainter& p) { DrawScatterPicture(p, layout); });
  return 0;
}

}  // namespace tavrel::cli
