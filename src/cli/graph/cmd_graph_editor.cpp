// graph editor: the graph of one variable as the graphic editor first draws it, as a picture file.
#include <QPainter>
#include <QString>
#include <cstdio>
#include <iostream>

#include "cli/cli_common.h"
#include "cli/graph/graph_kinds.h"
#include "core/base/text_codec.h"
#include "core/commands/command_refusal.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/graphs/graph_options.h"
#include "core/graphs/level_lines.h"
#include "draw/graphs/editor_graph_painter.h"
#include "draw/graphs/picture_file.h"

namespace tavrel::cli {

namespace {

constexpr int kLargestSide = 20000;

// "WIDTHxHEIGHT" in pixels.
QSize PictureSize(const std::string& text) {
  int width = 0, height = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &end) != 2 || width < 1 || height < 1 ||
      width > kLargestSide || height > kLargestSide)
    throw UsageError("--size: ШИРИНАxВЫСОТА от 1 до " + std::to_string(kLargestSide) + " точек, а не " + text);
  return {width, height};
}

}  // namespace

int RunEditorGraph(const std::vector<std::string>& raw) {
  const Arguments args(raw, {"--levels", "--dates"}, {"--ini", "--missing", "--var", "--smooth", "--size"});
  const std::string& dataFile = args.Required(0, "файл данных");
  const std::string& outFile = PictureFile(args);
  GraphOptions options;
  ApplySmoothOption(args, options);
  const QSize size = args.Has("--size") ? PictureSize(args.Value("--size")) : QSize(960, 600);
  const QString path = QString::fromStdString(outFile);

  Session session;
  LoadSettingsFor(args, session);
  if (args.Has("--dates")) session.settings.IsData = true;
  LoadDataFor(args, dataFile, session);
  DataSet& d = session.data;
  CheckOutputFile(outFile, d);
  // The named variable, or the first one.
  std::vector<std::string> names = VarsOption(args, "--var");
  if (names.size() > 1) throw UsageError("--var: одна переменная");
  if (names.empty()) names.push_back(std::string(TrimBlanks(d.VarNames[0])));
  PrintedNotes printed;
  ChooseVariables(d, session.settings, kModeGraphicEditor, names, printed.notes);
  if (args.Has("--levels")) SetDefaultLevels(d, session.overlays);

  std::vector<std::string> messages;
  const QString failure = SavePicture(path, size, [&](QPainter& p) {
    messages = DrawEditorGraph(p, size, ScreenLook(session.settings), {d, session.settings, options, session.overlays});
  });
  for (const std::string& m : messages) std::cerr << m << "\n";
  if (!failure.isEmpty()) throw CommandRefusal(RefusalKind::Output, failure.toStdString());
  return 0;
}

}  // namespace tavrel::cli
