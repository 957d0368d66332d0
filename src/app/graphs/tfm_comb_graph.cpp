#include "app/graphs/tfm_comb_graph.h"

#include <QAction>
#include <QApplication>
#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QClipboard>
#include <QFileInfo>
#include <QHideEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPercentBarSeries>
#include <QPrinter>
#include <QStackedBarSeries>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "draw/graphs/chart_scene_painter.h"
#include "app/graphs/chart_scene_view.h"
#include "app/graphs/graph_printer.h"
#include "draw/graphs/picture_file.h"
#include "app/graphs/picture_file_dialog.h"
#include "app/graphs/tfm_comb_graf_cfg.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tfm_main.h"
#include "app/shell/tool_icons.h"

namespace tavrel {

namespace {

QColor Rgb(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// A 7-pixel picture of a point symbol in colour.
QImage SymbolImage(PointSymbol symbol, const QColor& color) {
  QImage image(7, 7, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(QPen(color, 1));
  p.setBrush(color);
  switch (symbol) {
    case PointSymbol::Rectangle: p.drawRect(1, 1, 4, 4); break;
    case PointSymbol::Circle: p.setRenderHint(QPainter::Antialiasing); p.drawEllipse(QRectF(0.5, 0.5, 6, 6)); break;
    case PointSymbol::Triangle: p.drawPolygon(QPolygon({QPoint(3, 0), QPoint(6, 6), QPoint(0, 6)})); break;
    case PointSymbol::Star:
      p.drawLine(3, 0, 3, 6); p.drawLine(0, 3, 6, 3); p.drawLine(1, 1, 5, 5); p.drawLine(1, 5, 5, 1); break;
    case PointSymbol::Cross: p.drawLine(3, 0, 3, 6); p.drawLine(0, 3, 6, 3); break;
    case PointSymbol::DiagCross: p.drawLine(0, 0, 6, 6); p.drawLine(0, 6, 6, 0); break;
  }
  return image;
}

// The name of the pen-less lines whose point values stand over bars behind one another.
const QString kBarTops = QStringLiteral("BarTops");

QValueAxis* ValueAxis(QChart* chart, Qt::Orientation o) {
  const QList<QAbstractAxis*> axes = chart->axes(o);
  return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

}  // namespace

TfmCombGraph::TfmCombGraph(TfmMain* main, QWidget* parent) : QDialog(parent), main_(main) {
  setObjectName("TfmCombGraph");
  setWindowTitle(QStringLiteral("Graphics"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  ToolBar2 = new QToolBar(this);
  ToolBar2->setObjectName("ToolBar2");
  column->addWidget(ToolBar2);
  Chart1 = new QChart;
  // White to the window's edges, as saved and printed; the margins are the view's.
  Chart1->setBackgroundBrush(Qt::white);
  Chart1->setBackgroundRoundness(0);
  Chart1->layout()->setContentsMargins(0, 0, 0, 0);
  Chart1->legend()->setAlignment(Qt::AlignRight);
  // The points follow the plot's width: one column's extremes per pixel.
  connect(Chart1, &QChart::plotAreaChanged, this, [this] { UpdatePoints(); });
  // The margins are parts of the window and follow its size.
  connect(Chart1, &QChart::geometryChanged, this, [this] { ApplyMargins(); });
  ChartView1 = new QChartView(Chart1, this);
  ChartView1->setObjectName("Chart1");
  column->addWidget(ChartView1, 1);
  Chart3D = new ChartSceneView(
      [this](const QSizeF& size) {
        return LayoutChartScene(model_, stacked_, range3D_, view, cMarks, size.width(), size.height(),
                                ChartSceneTextMeasure());
      },
      this);
  Chart3D->setObjectName("Chart3D");
  Chart3D->hide();
  column->addWidget(Chart3D, 1);
  lblStat = new QLabel(this);
  lblStat->setObjectName("lblStat");
  lblStat->setContentsMargins(6, 3, 6, 3);
  column->addWidget(lblStat);

  const auto icon = [this](QStyle::StandardPixmap p) { return style()->standardIcon(p); };
  const auto tool = [this](const char* name, const QIcon& pic, const QString& hint) {
    QAction* a = ToolBar2->addAction(pic, hint);
    a->setObjectName(name);
    a->setToolTip(hint);
    return a;
  };
  tbtnLeft = tool("tbtnLeft", icon(QStyle::SP_ArrowLeft), QStringLiteral("Shift left"));
  tbtnRight = tool("tbtnRight", icon(QStyle::SP_ArrowRight), QStringLiteral("Shift right"));
  tbtnDown = tool("tbtnDown", icon(QStyle::SP_ArrowDown), QStringLiteral("Shift down"));
  tbtnUp = tool("tbtnUp", icon(QStyle::SP_ArrowUp), QStringLiteral("Shift up"));
  ToolBar2->addSeparator();
  tbtnZoomIn = tool("tbtnZoomIn", icon(QStyle::SP_TitleBarMaxButton), QStringLiteral("Zoom in"));
  tbtnZoomOut = tool("tbtnZoomOut", icon(QStyle::SP_TitleBarMinButton), QStringLiteral("Zoom Out"));
  tbtnUnZoom = tool("tbtnUnZoom", icon(QStyle::SP_TitleBarNormalButton), QStringLiteral("Unscaling"));
  tbtnNumbers = tool("tbtnNumbers", icon(QStyle::SP_FileDialogDetailedView), QStringLiteral("Значения"));
  ToolBar2->addSeparator();
  tbtbGraphSetup = tool("tbtbGraphSetup", DrawToolIcon(ToolPicture::Configuration), QStringLiteral("Graph setup"));
  tbtnPrint = tool("tbtnPrint", DrawToolIcon(ToolPicture::Printer), QStringLiteral("Print"));
  tbtnSaveToFile = tool("tbtnSaveToFile", icon(QStyle::SP_DialogSaveButton), QStringLiteral("Save to file"));
  tbtnPicToBuffer = tool("tbtnPicToBuffer", icon(QStyle::SP_FileLinkIcon), QStringLiteral("Image to buffer"));
  ToolBar2->addSeparator();
  tbtnClose = tool("tbtnClose", icon(QStyle::SP_DialogCloseButton), QStringLiteral("Exit"));

  connect(tbtnLeft, &QAction::triggered, this, [this] { HorizScroll(10); });
  connect(tbtnRight, &QAction::triggered, this, [this] { HorizScroll(-10); });
  connect(tbtnDown, &QAction::triggered, this, [this] { VertScroll(10); });
  connect(tbtnUp, &QAction::triggered, this, [this] { VertScroll(-10); });
  connect(tbtnZoomIn, &QAction::triggered, this, [this] { Zoom(1.05); });
  connect(tbtnZoomOut, &QAction::triggered, this, [this] { Zoom(0.95); });
  connect(tbtnUnZoom, &QAction::triggered, this, [this] { UndoZoom(); });
  connect(tbtnNumbers, &QAction::triggered, this, [this] { ShowValues(!cMarks); });
  connect(tbtbGraphSetup, &QAction::triggered, this, [this] {
    if (fmCombGrafCfg) fmCombGrafCfg->exec();
  });
  connect(tbtnPrint, &QAction::triggered, this, Guarded([this] { PrintClick(); }));
  connect(tbtnSaveToFile, &QAction::triggered, this, Guarded([this] { SaveClick(); }));
  connect(tbtnPicToBuffer, &QAction::triggered, this,
          [this] { QApplication::clipboard()->setPixmap(view.view3D ? Chart3D->grab() : ChartView1->grab()); });
  connect(tbtnClose, &QAction::triggered, this, &QDialog::reject);
  resize(900, 600);
}

void TfmCombGraph::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!fmCombGrafCfg) fmCombGrafCfg = new TfmCombGrafCfg(this, this);
  ShowValues(cMarks);
}

void TfmCombGraph::hideEvent(QHideEvent* event) {
  // Minimising hides the window too; "Setup" goes only when it closes.
  if (!event->spontaneous()) {
    delete fmCombGrafCfg;
    fmCombGrafCfg = nullptr;
  }
  QDialog::hideEvent(event);
}

void TfmCombGraph::Execute(ChartModel model, const QString& means) {
  SetModel(std::move(model));
  lblStat->setText(means);
  lblStat->setVisible(!means.isEmpty());
  exec();
  RemoveAllSeries();
}

void TfmCombGraph::RemoveAllSeries() {
  Chart1->removeAllSeries();
  for (QAbstractAxis* axis : Chart1->axes()) {
    Chart1->removeAxis(axis);
    delete axis;
  }
  model_ = {};
  stacked_.clear();
  fullRange3D_ = range3D_ = {};
}

void TfmCombGraph::SetModel(ChartModel model) {
  RemoveAllSeries();
  model_ = std::move(model);
  stacked_ = Stacked(model_);
  double firstX = 0;
  std::size_t points = 0;
  for (const ChartSeries& s : model_.series) {
    firstX = s.firstX;
    points = std::max(points, s.values.size());
  }

  auto* axisY = new QValueAxis;
  axisY->setGridLinePen(QPen(Qt::gray, 1, Qt::DashLine));
  QValueAxis* axisX;
  const bool bars = !model_.series.empty() && model_.series.front().kind == SeriesKind::Bar;
  if (bars && firstX != 0) {
    // Bars stand at 0, 1, ...; the axis names them by their own X.
    auto* categories = new QCategoryAxis;
    categories->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (std::size_t j = 0; j < points; ++j)
      categories->append(QString::number(firstX + static_cast<double>(j)), static_cast<double>(j));
    axisX = categories;
  } else {
    axisX = new QValueAxis;
    axisX->setLabelFormat(QStringLiteral("%.0f"));
    // Ticks at whole observations: 1, 2 or 5 times a power of ten apart.
    axisX->setTickType(QValueAxis::TicksDynamic);
    axisX->setTickAnchor(firstX);
    axisX->setTickInterval(std::max(1.0, TickStep(static_cast<double>(points), 8)));
  }
  axisX->setGridLinePen(QPen(Qt::gray, 1, Qt::DashLine));
  Chart1->addAxis(axisX, Qt::AlignBottom);
  Chart1->addAxis(axisY, Qt::AlignLeft);

  // The values' extent; bars and stacks stand on their bottoms, lines and
  // areas behind one another only on their values.
  const bool bottoms = bars || model_.mode == MultiMode::Stacked || model_.mode == MultiMode::Stacked100;
  double low = std::numeric_limits<double>::infinity(), high = -low;
  const auto extend = [&](double v) {
    if (!std::isfinite(v)) return;
    low = std::min(low, v);
    high = std::max(high, v);
  };
  for (const StackedSeries& s : stacked_) {
    for (std::size_t j = 0; j < s.top.size(); ++j) {
      extend(s.top[j]);
      if (bottoms) extend(s.bottom[j]);
    }
  }
  if (low > high) low = high = 0;
  if (high == low) high = low + 1;

  if (bars) {
    // All bar series of a chart stand side by side, so bars behind one another
    // are drawn as the parts each leaves uncovered, stacked from the last
    // series down, with their values shown over invisible points at the tops.
    const bool behind = model_.mode == MultiMode::None;
    QAbstractBarSeries* series;
    switch (model_.mode) {
      case MultiMode::Side: series = new QBarSeries; break;
      case MultiMode::Stacked100: series = new QPercentBarSeries; break;
      default: series = new QStackedBarSeries; break;
    }
    series->setBarWidth(0.9);
    const std::vector<std::vector<double>> parts = behind ? UncoveredParts(model_) : std::vector<std::vector<double>>();
    for (std::size_t i = 0; i < model_.series.size(); ++i) {
      const ChartSeries& s = model_.series[behind ? model_.series.size() - 1 - i : i];
      auto* set = new QBarSet(QString::fromStdString(s.title));
      set->setColor(Rgb(s.rgb));
      set->setBorderColor(Rgb(s.rgb).darker(130));
      QList<qreal> values;
      for (double v : behind ? parts[model_.series.size() - 1 - i] : s.values) values << v;
      set->append(values);
      for (const auto& [index, rgb] : s.pointColors) {
        set->setSelectedColor(Rgb(rgb));
        set->selectBar(index);
      }
      series->append(set);
    }
    Chart1->addSeries(series);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
    Chart1->legend()->setReverseMarkers(behind);
    for (std::size_t i = 0; behind && i < model_.series.size(); ++i) {
      // A line without a pen: unlike scattered points it makes no item per point.
      auto* tops = new QLineSeries;
      tops->setObjectName(kBarTops);
      tops->setPen(Qt::NoPen);
      const std::vector<double>& values = model_.series[i].values;
      for (std::size_t j = 0; j < values.size(); ++j) tops->append(static_cast<double>(j), values[j]);
      Chart1->addSeries(tops);
      tops->attachAxis(axisX);
      tops->attachAxis(axisY);
    }
    axisX->setRange(-0.5, static_cast<double>(points) - 0.5);
    if (model_.mode == MultiMode::Stacked100) high = 100;
  } else {
    for (std::size_t i = 0; i < model_.series.size(); ++i) {
      const ChartSeries& s = model_.series[i];
      const QColor color = Rgb(s.rgb);
      auto* upper = new QLineSeries;
      upper->setName(QString::fromStdString(s.title));
      upper->setPen(QPen(color, 1));
      if (s.kind == SeriesKind::Line) {
        if (s.symbolsShown) {
          const QImage symbol = SymbolImage(s.symbol, color);
          upper->setLightMarker(symbol);
          // The marker is drawn at the marker size, which follows the pen (1.5 pixels) unless set.
          upper->setMarkerSize(symbol.width());
        }
        Chart1->addSeries(upper);
        upper->attachAxis(axisX);
        upper->attachAxis(axisY);
        // The legend shows the line's symbol.
        for (QLegendMarker* marker : Chart1->legend()->markers(upper)) marker->setShape(QLegend::MarkerShapeFromSeries);
      } else {
        auto* lower = model_.mode == MultiMode::None ? nullptr : new QLineSeries;
        auto* area = new QAreaSeries(upper, lower);
        // The area series does not own its boundary lines: they go with it.
        upper->setParent(area);
        if (lower) lower->setParent(area);
        area->setName(QString::fromStdString(s.title));
        QColor fill = color;
        if (model_.mode == MultiMode::None) fill.setAlpha(160);
        area->setBrush(fill);
        area->setPen(QPen(color.darker(130), 1));
        Chart1->addSeries(area);
        area->attachAxis(axisX);
        area->attachAxis(axisY);
      }
    }
    axisX->setRange(firstX, firstX + std::max<double>(1, static_cast<double>(points) - 1));
    if (model_.mode == MultiMode::Stacked100) high = 100;
    connect(axisX, &QValueAxis::rangeChanged, this, [this] { UpdatePoints(); });
  }
  low_ = low;
  high_ = high;
  ApplyYRange();
  UpdatePoints();
  fullRange3D_ = range3D_ = FullChartRange(model_, stacked_, view.yFromZero);
  ShowValues(cMarks);
  ApplyView();
}

void TfmCombGraph::ApplyView() {
  ApplyMargins();
  for (QAbstractAxis* axis : Chart1->axes()) {
    const bool x = axis->orientation() == Qt::Horizontal;
    axis->setGridLineVisible(x ? view.gridX : view.gridY);
    QFont font = axis->labelsFont();
    font.setPointSize(x ? view.fontSizeX : view.fontSizeY);
    axis->setLabelsFont(font);
  }
  // The Y range is laid out anew only when its start changes, so a zoom stays.
  if (view.yFromZero != yFromZeroShown_) ApplyYRange();
  // A chart not zoomed follows a changed start of the Y axis.
  const ChartRange full = FullChartRange(model_, stacked_, view.yFromZero);
  const ChartRange& was = fullRange3D_;
  if (range3D_.xMin == was.xMin && range3D_.xMax == was.xMax && range3D_.yMin == was.yMin &&
      range3D_.yMax == was.yMax)
    range3D_ = full;
  fullRange3D_ = full;
  ChartView1->setVisible(!view.view3D);
  Chart3D->setVisible(view.view3D);
  if (view.view3D) Chart3D->Relayout();
}

void TfmCombGraph::Zoom(double factor) {
  if (!view.view3D) {
    Chart1->zoom(factor);
    return;
  }
  range3D_ = ZoomedRange(range3D_, factor);
  Chart3D->Relayout();
}

void TfmCombGraph::UndoZoom() {
  if (!view.view3D) {
    Chart1->zoomReset();
    return;
  }
  range3D_ = fullRange3D_;
  Chart3D->Relayout();
}

void TfmCombGraph::ApplyYRange() {
  QValueAxis* axisY = ValueAxis(Chart1, Qt::Vertical);
  if (!axisY) return;
  // From 0 unless values go below it, or from the lowest value.
  axisY->setRange(view.yFromZero ? std::min(0.0, low_) : low_, high_);
  axisY->applyNiceNumbers();
  yFromZeroShown_ = view.yFromZero;
}

void TfmCombGraph::ApplyMargins() {
  const QSizeF size = Chart1->size();
  const auto part = [](double length, int percent) { return static_cast<int>(length * percent / 100); };
  Chart1->setMargins(QMargins(part(size.width(), view.marginLeft), part(size.height(), view.marginTop),
                              part(size.width(), view.marginRight), part(size.height(), view.marginBottom)));
}

void TfmCombGraph::UpdatePoints() {
  QValueAxis* axisX = ValueAxis(Chart1, Qt::Horizontal);
  // Bars hold all their points.
  if (!axisX || model_.series.empty() || model_.series.front().kind == SeriesKind::Bar) return;
  const int columns = std::max(1, static_cast<int>(Chart1->plotArea().width()));
  const QList<QAbstractSeries*> all = Chart1->series();
  for (int i = 0; i < all.size() && i < static_cast<int>(model_.series.size()); ++i) {
    const ChartSeries& s = model_.series[static_cast<std::size_t>(i)];
    const StackedSeries& st = stacked_[static_cast<std::size_t>(i)];
    const auto toList = [&](const std::vector<double>& values, ColumnKeeps keeps) {
      QList<QPointF> list;
      for (const ChartXY& xy : VisiblePoints(values, s.firstX, axisX->min(), axisX->max(), columns, keeps))
        list << QPointF(xy.x, xy.y);
      return list;
    };
    if (auto* line = qobject_cast<QLineSeries*>(all[i])) {
      line->replace(toList(st.top, ColumnKeeps::Extremes));
    } else if (auto* area = qobject_cast<QAreaSeries*>(all[i])) {
      // A filled outline that zigzags in every column takes the painter long to fill.
      area->upperSeries()->replace(toList(st.top, ColumnKeeps::Highest));
      if (area->lowerSeries()) area->lowerSeries()->replace(toList(st.bottom, ColumnKeeps::Lowest));
    }
  }
}

void TfmCombGraph::ScrollAxis(QValueAxis* axis, double percent) {
  if (!axis) return;
  const ChartRange moved = ScrolledRange({axis->min(), axis->max(), 0, 1}, percent, 0);
  axis->setRange(moved.xMin, moved.xMax);
}

void TfmCombGraph::HorizScroll(double percent) {
  if (!view.view3D) {
    ScrollAxis(ValueAxis(Chart1, Qt::Horizontal), percent);
    return;
  }
  range3D_ = ScrolledRange(range3D_, percent, 0);
  Chart3D->Relayout();
}

void TfmCombGraph::VertScroll(double percent) {
  if (!view.view3D) {
    ScrollAxis(ValueAxis(Chart1, Qt::Vertical), percent);
    return;
  }
  range3D_ = ScrolledRange(range3D_, 0, percent);
  Chart3D->Relayout();
}

void TfmCombGraph::ShowValues(bool on) {
  cMarks = on;
  for (QAbstractSeries* s : Chart1->series()) {
    if (s->objectName() == kBarTops) {
      // The invisible tops of bars behind one another, drawn only for their values.
      s->setVisible(on);
      for (QLegendMarker* marker : Chart1->legend()->markers(s)) marker->setVisible(false);
    }
    if (auto* xy = qobject_cast<QXYSeries*>(s)) {
      xy->setPointLabelsVisible(on);
      xy->setPointLabelsFormat(QStringLiteral("@yPoint"));
    } else if (auto* area = qobject_cast<QAreaSeries*>(s)) {
      area->setPointLabelsVisible(on);
    } else if (auto* bars = qobject_cast<QAbstractBarSeries*>(s)) {
      // Bars behind one another show their values over their tops instead.
      bars->setLabelsVisible(on && model_.mode != MultiMode::None);
      bars->setLabelsPrecision(4);
      if (model_.mode == MultiMode::Side) {
        // Over the bars, where a bar too low for its number leaves room.
        bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        for (QBarSet* set : bars->barSets()) set->setLabelColor(Qt::black);
      }
    }
  }
  if (view.view3D) Chart3D->Relayout();
}

void TfmCombGraph::PaintChart(QPainter& p, const QRectF& target) {
  if (view.view3D) {
    DrawChart3D(p, target, QSizeF(Chart3D->size()), model_, stacked_, range3D_, view, cMarks);
    return;
  }
  p.save();
  p.fillRect(target, Qt::white);
  ChartView1->render(&p, target, ChartView1->viewport()->rect());
  p.restore();
}

bool TfmCombGraph::PrintTo(QPrinter& printer) {
  printer.setPageOrientation(QPageLayout::Landscape);
  QPainter p;
  if (!p.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  PaintChart(p, QRectF(10, 10, page.width() - 20, page.height() - 20));
  return p.end();
}

void TfmCombGraph::PrintClick() {
  bool printed;
  {
    BusyCursor busy;
    printed = PrintTo(GraphPrinter());
  }
  if (!printed) ShowMessage(MessageKind::Warning, QStringLiteral("Не удалось напечатать график."), this);
}

QString TfmCombGraph::WriteChart(const QString& path) {
  const QSize size = view.view3D ? Chart3D->size() : ChartView1->viewport()->size();
  return SavePicture(path, size, [&](QPainter& p) { PaintChart(p, QRectF(QPointF(0, 0), QSizeF(size))); });
}

bool TfmCombGraph::SaveChart(const QString& path) {
  QString failure;
  {
    BusyCursor busy;
    failure = WriteChart(path);
  }
  if (failure.isEmpty()) return true;
  ShowMessage(MessageKind::Warning, failure, this);
  return false;
}

void TfmCombGraph::SaveClick() {
  const QFileInfo proposed(st);
  const QString path = ChoosePictureFile(this, QStringLiteral("Save to file"), proposed.absolutePath(), proposed.fileName());
  if (!path.isEmpty()) SaveChart(path);
}

}  // namespace tavrel
