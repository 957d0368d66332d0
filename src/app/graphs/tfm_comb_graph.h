#pragma once
// "Graphics": a chart of series (the combined chart, the cluster dynamics)
// with zoom, scrolling, point values, printing, saving and copying. The chart
// is laid out by the engine and painted by the drawing library, flat or in
// its 3-D view, the same on screen, in files and on paper.
#include <QDialog>
#include <QString>

#include "core/graphs/chart_model.h"
#include "core/graphs/chart_scene.h"
#include "core/graphs/chart_view.h"

class QAction;
class QPainter;
class QPrinter;
class QToolBar;

namespace tavrel {

class ChartSceneView;
class TfmCombGrafCfg;
class TfmMain;

class TfmCombGraph : public QDialog {
  Q_OBJECT
 public:
  explicit TfmCombGraph(TfmMain* main, QWidget* parent = nullptr);

  // Shows model modally with the line of means under it, its series as
  // stacked (with the extremes AddBlockExtremes finds); they go when the
  // window closes.
  void Execute(ChartModel model, std::vector<StackedSeries> stacked, const QString& means);
  // Shows model and its means from now on, the whole of it.
  void SetModel(ChartModel model, const QString& means = {});
  void SetModel(ChartModel model, std::vector<StackedSeries> stacked, const QString& means);
  const ChartModel& Model() const { return model_; }
  // The line of means under the chart ("Mean:  A=..."), empty for none.
  const QString& Means() const { return means_; }

  // Lays the chart out again as view now says (3-D or flat, margins, axis
  // fonts, grids, the Y axis's start).
  void ApplyView();

  void HorizScroll(double percent);
  void VertScroll(double percent);
  void ShowValues(bool on);
  // Zooms by factor (above 1 shows less), or back to the whole chart.
  void Zoom(double factor);
  void UndoZoom();
  // The part of the chart on show.
  const ChartRange& Range() const { return range_; }
  // The chart as on screen, scaled into target.
  void PaintChart(QPainter& p, const QRectF& target);
  // The chart on one landscape page; false when it could not be printed.
  bool PrintTo(QPrinter& printer);
  // Writes the chart to path by its suffix; true when written, else says why.
  bool SaveChart(const QString& path);
  // The same without a word: returns the failure, or empty.
  QString WriteChart(const QString& path);

  QString st;          // the file name proposed for saving
  bool cMarks = false; // point values shown
  ChartView view;      // the chart's layout, kept for the run

  QToolBar* toolBar;
  QAction* tbtnLeft;
  QAction* tbtnRight;
  QAction* tbtnDown;
  QAction* tbtnUp;
  QAction* tbtnZoomIn;
  QAction* tbtnZoomOut;
  QAction* tbtnUnZoom;
  QAction* tbtnNumbers;
  QAction* graphSetupTool;
  QAction* tbtnPrint;
  QAction* tbtnSaveToFile;
  QAction* tbtnPicToBuffer;
  QAction* tbtnClose;
  ChartSceneView* chartView;  // the chart with its line of means
  TfmCombGrafCfg* fmCombGrafCfg = nullptr;  // "Setup", while the window is shown

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void PrintClick();
  void SaveClick();

  TfmMain* main_;
  ChartModel model_;
  std::vector<StackedSeries> stacked_;
  QString means_;
  ChartRange fullRange_;  // the whole chart
  ChartRange range_;      // the part on show
};

}  // namespace tavrel
