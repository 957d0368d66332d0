// graph dendrogram and graph cluster-dynamics: a cluster run, then its picture.
#include <QString>
#include <QTemporaryDir>

#include "cli/cli_common.h"
#include "core/cluster/dendrogram_layout.h"
#include "cli/commands.h"
#include "core/commands/command_refusal.h"
#include "core/data/session.h"
#include "core/data/dataset.h"
#include "cli/graph/graph_kinds.h"
#include "draw/graphs/dendrogram_painter.h"
#include "core/graphs/chart_model.h"
#include "core/graphs/chart_view.h"
#include "draw/graphs/picture_file.h"

namespace tavrel::cli {

namespace {

// Runs the cluster analysis of the data file with the cluster command's
// options; the report goes to a scratch file, as graphs write no results.
// Returns the picture's path.
QString ClusterForPicture(Session& session, const std::vector<std::string>& raw) {
  const Arguments args(raw, {}, kClusterAnalysisOptions);
  const std::string& dataFile = args.Required(0, "файл данных");
  const std::string& outFile = PictureFile(args);
  const QString path = QString::fromStdString(outFile);
  QTemporaryDir scratch;
  if (!scratch.isValid()) throw std::runtime_error("Не удалось создать временный каталог для отчета.");
  RunClusterFor(session, args, dataFile, (scratch.path() + "/cluster.out").toStdString(), true, outFile);
  return path;
}

}  // namespace

int RunDendrogramGraph(const std::vector<std::string>& raw) {
  Session session;
  const QString path = ClusterForPicture(session, raw);
  const DendrogramLayout layout =
      ComputeDendrogramLayout(session.data.Cluster.ClustArray, kDendrogramWidth, kDendrogramHeight);
  const QString failure = SaveDendrogram(path, layout);
  if (!failure.isEmpty()) throw CommandRefusal(RefusalKind::Output, failure.toStdString());
  return 0;
}

int RunClusterDynamicsGraph(const std::vector<std::string>& raw) {
  Session session;
  const QString path = ClusterForPicture(session, raw);
  WriteChart(path, ClusterDynamicsModel(session.data.Cluster), ChartView(), {});
  return 0;
}

}  // namespace tavrel::cli
