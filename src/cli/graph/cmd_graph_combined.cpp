// graph combined: the combined chart of the chosen variables as a picture file.
#include <QString>

#include "cli/cli_common.h"
#include "core/data/dataset.h"
#include "cli/graph/graph_kinds.h"
#include "core/commands/command_refusal.h"
#include "core/graphs/chart_model.h"
#include "core/graphs/chart_view.h"

namespace tavrel::cli {

int RunCombinedGraph(const std::vector<std::string>& raw) {
  const Arguments args(raw, {"--3d", "--dates"},
                       {"--ini", "--missing", "--vars", "--type", "--mode", "--elevation", "--rotation", "--depth"});
  const std::string& dataFile = args.Required(0, "файл данных");
  const std::string& outFile = PictureFile(args);
  const QString path = QString::fromStdString(outFile);
  const std::string type = args.Value("--type", "line");
  SeriesKind kind;
  if (type == "line") kind = SeriesKind::Line;
  else if (type == "bar") kind = SeriesKind::Bar;
  else if (type == "area") kind = SeriesKind::Area;
  else throw UsageError("--type: line, bar или area, а не " + type);
  const std::string modeText = args.Value("--mode", kind == SeriesKind::Bar ? "side" : "none");
  MultiMode mode;
  if (modeText == "none") mode = MultiMode::None;
  else if (modeText == "side" && kind == SeriesKind::Bar) mode = MultiMode::Side;
  else if (modeText == "stacked") mode = MultiMode::Stacked;
  else if (modeText == "stacked100") mode = MultiMode::Stacked100;
  else throw UsageError("--mode: none, side (только столбцы), stacked или stacked100, а не " + modeText);

  // The 3-D view (also when its angles or depth are given): seen straight
  // unless an elevation or rotation tilts it.
  ChartView view;
  view.view3D = args.Has("--3d") || args.Has("--elevation") || args.Has("--rotation") || args.Has("--depth");
  const auto setting = [&](const char* name, int fallback, int most) {
    const int value = args.IntValue(name, fallback);
    if (value < 1 || value > most)
      throw UsageError(std::string(name) + ": от 1 до " + std::to_string(most) + ", а не " + std::to_string(value));
    return value;
  };
  view.elevation = setting("--elevation", view.elevation, 600);
  view.rotation = setting("--rotation", view.rotation, 600);
  view.depthPercent = setting("--depth", view.depthPercent, 50);
  view.orthogonal = !args.Has("--elevation") && !args.Has("--rotation");

  Session session;
  LoadSettingsFor(args, session);
  if (args.Has("--dates")) session.settings.IsData = true;
  LoadDataFor(args, dataFile, session);
  const DataSet& d = session.data;
  CheckOutputFile(outFile, d);
  ChooseVariablesFor(args, session, kModeSequentialGraph);
  if (kind == SeriesKind::Bar) {
    const std::string refusal = TooManyBars(d);
    if (!refusal.empty()) throw CommandRefusal(RefusalKind::Choice, refusal);
  }

  // The same seed draws the same colours each time.
  WriteChart(path, CombinedModel(d, kind, mode, view.view3D, 1, session.settings.IsData), view, MeansLine(d));
  return 0;
}

}  // namespace tavrel::cli
