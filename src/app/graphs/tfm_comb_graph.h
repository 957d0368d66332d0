#pragma once
// "Graphics": a chart of series (the combined chart, the cluster dynamics)
// with zoom, scrolling, point values, printing, saving and copying.
#include <QDialog>
#include <QString>

#include "core/graphs/chart_model.h"
#include "core/graphs/chart_scene.h"
#include "core/graphs/chart_view.h"

class QAction;
class QLabel;
class QPainter;
class QPrinter;
class QToolBar;
class QValueAxis;

class QChart;
class QChartView;

namespace tavrel {

class ChartSceneView;
class TfmCombGrafCfg;
class TfmMain;

class TfmCombGraph : public QDialog {
  Q_OBJECT
 public:
  explicit TfmCombGraph(TfmMain* main, QWidget* parent = nullptr);

  // Shows model modally under the line means; the series go when the window closes.
  void Execute(ChartModel model, const QString& means);
  // Builds the chart's series and axes from model.
  void SetModel(ChartModel model);
  const ChartModel& Model() const { return model_; }

  // Shows the chart as view now says: in 2-D on the chart component (with
  // its margins, axis fonts, grids and the Y axis's start) or in the 3-D picture.
  void ApplyView();

  // Moves the axis's range by percent of its width.
  static void ScrollAxis(QValueAxis* axis, double percent);
  void HorizScroll(double percent);
  void VertScroll(double percent);
  void ShowValues(bool on);
  // Zooms by factor (above 1 shows less), or back to the whole chart.
  void Zoom(double factor);
  void UndoZoom();
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

  QToolBar* ToolBar2;
  QAction* tbtnLeft;
  QAction* tbtnRight;
  QAction* tbtnDown;
  QAction* tbtnUp;
  QAction* tbtnZoomIn;
  QAction* tbtnZoomOut;
  QAction* tbtnUnZoom;
  QAction* tbtnNumbers;
  QAction* tbtbGraphSetup;
  QAction* tbtnPrint;
  QAction* tbtnSaveToFile;
  QAction* tbtnPicToBuffer;
  QAction* tbtnClose;
  QChart* Chart1;
  QChartView* ChartView1;
  ChartSceneView* Chart3D;  // shown in place of ChartView1 in the 3-D view
  QLabel* lblStat;
  TfmCombGrafCfg* fmCombGrafCfg = nullptr;  // "Setup", while the window is shown
  // The part of the chart the 3-D view shows.
  const ChartRange& Range3D() const { return range3D_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void RemoveAllSeries();
  void UpdatePoints();
  void PrintClick();
  void SaveClick();
  void ApplyMargins();
  void ApplyYRange();

  TfmMain* main_;
  ChartModel model_;
  std::vector<StackedSeries> stacked_;
  double low_ = 0;   // the values' range over all series, as stacked
  double high_ = 1;
  bool yFromZeroShown_ = true;
  ChartRange fullRange3D_;
  ChartRange range3D_;
};

}  // namespace tavrel
