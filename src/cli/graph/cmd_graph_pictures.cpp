// graph distribution and graph scatter: the distribution graph of one variable
// and the scatter diagram of two, as picture files.
#include <QString>
#include <iostream>

#include "cli/cli_common.h"
#include "cli/graph/graph_kinds.h"
#include "core/base/text_codec.h"
#include "core/commands/command_refusal.h"
#include "core/data/dataset.h"
#include "draw/graphs/picture_file.h"
#include "draw/graphs/picture_painters.h"

namespace tavrel::cli {

namespace {

// Loads the data and checks the picture file; chooses the variables --vars
// names, which must be count of them, as the variable dialog does for mode.
void Prepare(const Arguments& args, std::size_t count, OperationModes mode, Session& session, std::string& outFile) {
  const std::string& dataFile = args.Required(0, "файл данных");
  outFile = PictureFile(args);
  if (!args.Has("--vars")) throw UsageError("не задана --vars");
  if (VarsOption(args).size() != count)
    throw UsageError(count == 1 ? "--vars: одна переменная" : "--vars: две переменные через запятую");
  LoadSettingsFor(args, session);
  LoadDataFor(args, dataFile, session);
  CheckOutputFile(outFile, session.data);
  ChooseVariablesFor(args, session, mode);
}

void Save(const std::string& outFile, const std::string& refusal, const PaintFunction& paint) {
  if (!refusal.empty()) throw CommandRefusal(RefusalKind::Choice, refusal);
  const QString failure = SavePicture(QString::fromStdString(outFile), QSize(kPictureWidth, kPictureHeight), paint);
  if (!failure.isEmpty()) throw CommandRefusal(RefusalKind::Output, failure.toStdString());
}

}  // namespace

int RunDistributionGraph(const std::vector<std::string>& raw) {
  const Arguments args(raw, {}, kDataOptions);
  std::string outFile;
  Session session;
  Prepare(args, 1, kModeDistributionGraph, session, outFile);
  const DataSet& d = session.data;
  const Variable variable = GetVariable(d, 0);
  // The data table offers the graph only for data without missing values.
  if (ContainsEmpty(variable.values, variable.last, d.EmptyValue))
    throw CommandRefusal(RefusalKind::Choice, "Переменная " + variable.name + " содержит пропуски");
  const DistributionLayout layout = ComputeDistributionLayout(variable, d.EmptyValue);
  Save(outFile, layout.refusal, [&layout](QPainter& p) { DrawDistributionPicture(p, layout); });
  return 0;
}

int RunScatterGraph(const std::vector<std::string>& raw) {
  const Arguments args(raw, {"--pairwise-missing", "--pairwise-outliers"}, kDataOptions);
  std::string outFile;
  Session session;
  Prepare(args, 2, kModeScatterDiagram, session, outFile);
  DataSet& d = session.data;
  // X, then Y, in the order given.
  const int x = TrimBlanks(d.VarNames[0]) == VarsOption(args)[0] ? 0 : 1;
  const ScatterLayout layout = ComputeScatterLayout(GetVariable(d, x), GetVariable(d, 1 - x), args.Has("--pairwise-missing"),
                                                    args.Has("--pairwise-outliers"), d.EmptyValue, d.ProcessingNote);
  Save(outFile, layout.refusal, [&layout](QPainter& p) { DrawScatterPicture(p, layout); });
  return 0;
}

}  // namespace tavrel::cli
