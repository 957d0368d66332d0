// tavrel-cli-graph's graph command: draws a picture of a data file without a screen.
#include <QGuiApplication>
#include <QPainter>
#include <iostream>
#include <iterator>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/graph/graph_kinds.h"
#include "core/commands/command_refusal.h"
#include "core/graphs/graph_options.h"
#include "core/graphs/chart_scene.h"
#include "draw/graphs/chart_scene_painter.h"
#include "draw/graphs/picture_file.h"

namespace tavrel::cli {

namespace {

const GraphKind kGraphKinds[] = {
    {"sequential", RunSequentialGraph},     {"editor", RunEditorGraph},
    {"dendrogram", RunDendrogramGraph},     {"combined", RunCombinedGraph},
    {"cluster-dynamics", RunClusterDynamicsGraph}, {"distribution", RunDistributionGraph},
    {"scatter", RunScatterGraph},
};

// Qt's notices about the offscreen platform and the environment say nothing to
// a user of the batch tool; only its errors reach standard error.
void QtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << "\n";
}

// Fonts and painting need an application; it runs on the offscreen platform.
class OffscreenApplication {
 public:
  OffscreenApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QtErrorsOnly);
    app_ = new QGuiApplication(argc_, argv_);
  }
  ~OffscreenApplication() { delete app_; }
  OffscreenApplication(const OffscreenApplication&) = delete;
  OffscreenApplication& operator=(const OffscreenApplication&) = delete;

 private:
  int argc_ = 1;
  char name_[12] = "tavrel-cli";
  char* argv_[2] = {name_, nullptr};
  QGuiApplication* app_ = nullptr;
};

}  // namespace

const std::string& PictureFile(const Arguments& args) {
  const std::string& file = args.Required(1, "файл рисунка");
  if (args.Positional().size() > 2) throw UsageError("лишний аргумент " + args.Positional()[2]);
  if (PictureFormatOf(QString::fromStdString(file)) == PictureFormat::Unknown)
    throw UsageError("неизвестный формат рисунка " + file + " (.bmp, .png, .jpg, .svg, .pdf)");
  return file;
}

void WriteChart(const QString& path, const ChartModel& model, const ChartView& view, const std::string& means) {
  const std::vector<StackedSeries> stacked = Stacked(model);
  const std::string refusal = UndrawableRange(model, stacked);
  if (!refusal.empty()) throw CommandRefusal(RefusalKind::Choice, refusal);
  const ChartRange range = FullChartRange(model, stacked, view.yFromZero);
  const QSize size(kChartWidth, kChartHeight);
  const QString failure = SavePicture(path, size, [&](QPainter& p) {
    DrawChart(p, QRectF(QPointF(0, 0), QSizeF(size)), QSizeF(size), model, stacked, range, view, false, means);
  });
  if (!failure.isEmpty()) throw CommandRefusal(RefusalKind::Output, failure.toStdString());
}

void ApplySmoothOption(const Arguments& args, GraphOptions& options) {
  if (!args.Has("--smooth")) return;
  const std::string smooth = args.Value("--smooth");
  if (smooth != "3" && smooth != "5") throw UsageError("--smooth: 3 или 5, а не " + smooth);
  (smooth == "3" ? options.Smooth3 : options.Smooth5) = true;
}

int RunGraph(const std::vector<std::string>& args) {
  if (args.empty() || args[0].rfind("--", 0) == 0) throw UsageError("не задан вид графика");
  for (const GraphKind& k : kGraphKinds) {
    if (args[0] != k.name) continue;
    OffscreenApplication app;
    return k.run(std::vector<std::string>(std::next(args.begin()), args.end()));
  }
  throw UsageError("неизвестный вид графика " + args[0]);
}

}  // namespace tavrel::cli
