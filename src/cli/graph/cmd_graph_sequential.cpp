// graph sequential: the sequential graph of the chosen variables as a picture file.
#include <QString>
#include <iostream>

#include "cli/cli_common.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "cli/graph/graph_kinds.h"
#include "core/commands/command_refusal.h"
#include "core/graphs/graph_options.h"
#include "core/graphs/level_lines.h"
#include "draw/graphs/picture_file.h"
#include "draw/graphs/sequential_painter.h"

namespace tavrel::cli {

namespace {

}  // namespace

int RunSequentialGraph(const std::vector<std::string>& raw) {
  const Arguments args(raw, {"--levels", "--dates"}, {"--ini", "--missing", "--vars", "--smooth"});
  const std::string& dataFile = args.Required(0, "файл данных");
  const std::string& outFile = PictureFile(args);
  GraphOptions options;
  ApplySmoothOption(args, options);

  Session session;
  LoadSettingsFor(args, session);
  if (args.Has("--dates")) session.settings.IsData = true;
  LoadDataFor(args, dataFile, session);
  DataSet& d = session.data;
  CheckOutputFile(outFile, d);
  ChooseVariablesFor(args, session, kModeSequentialGraph);
  if (args.Has("--levels")) SetDefaultLevels(d, session.overlays);

  std::vector<std::string> messages;
  const QString path = QString::fromStdString(outFile);
  const SequentialSource source{d, session.settings, options, session.overlays};
  const QString title = QString::fromStdString(options.PrintTitle);
  const QString failure = PictureFormatOf(path) == PictureFormat::Pdf
                              ? SavePrintedSequential(path, source, title, messages)
                              : SaveSequentialPicture(path, source, messages);
  for (const std::string& m : messages) std::cerr << m << "\n";
  if (!failure.isEmpty()) throw CommandRefusal(RefusalKind::Output, failure.toStdString());
  return 0;
}

}  // namespace tavrel::cli
