// graph sequential: the sequential graph of the chosen variables as a picture file.
#include <QString>
#include <iostream>

#include "cli/cli_common.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "cli/graph/graph_kinds.h"
#include "core/graphs/graph_options.h"
#include "core/graphs/level_lines.h"
#include "draw/graphs/picture_file.h"
#include "draw/graphs/sequential_painter.h"

namespace tavrel::cli {

namespace {

// The variable dialog's refusal of a data set with at most one observation.
constexpr const char* kTooFewObservations = "Недостаточно данных (0,1).";

}  // namespace

int RunSequentialGraph(const std::vector<std::string>& raw) {
  const Arguments args(raw, {"--levels"}, {"--ini", "--missing", "--vars", "--smooth"});
  const std::string& dataFile = args.Required(0, "файл данных");
  const std::string& outFile = PictureFile(args);
  GraphOptions options;
  ApplySmoothOption(args, options);

  LoadSettingsFor(args);
  LoadDataFor(args, dataFile);
  CheckOutputFile(outFile);
  Session& session = ProgramSession();
  DataSet& d = session.data;
  d.OperationMode = kModeSequentialGraph;
  if (d.NumObs <= 1) throw CommandFailure(kTooFewObservations);
  if (!RemoveEmptyVars(d)) std::cerr << kRemoveEmptyVarsFailed << "\n";
  SelectVariables(args);
  if (args.Has("--levels")) SetDefaultLevels(d, session.overlays);

  std::vector<std::string> messages;
  const QString path = QString::fromStdString(outFile);
  const SequentialSource source{d, session.settings, options, session.overlays};
  const QString title = QString::fromStdString(options.PrintTitle);
  const QString failure = PictureFormatOf(path) == PictureFormat::Pdf
                              ? SavePrintedSequential(path, source, title, messages)
                              : SaveSequentialPicture(path, source, messages);
  for (const std::string& m : messages) std::cerr << m << "\n";
  if (!failure.isEmpty()) throw CommandFailure(failure.toStdString());
  return 0;
}

}  // namespace tavrel::cli
