#include "app/graphs/tfm_comb_graph.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHideEvent>
#include <QPainter>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/graphs/chart_scene_view.h"
#include "app/graphs/graph_printer.h"
#include "app/graphs/picture_file_dialog.h"
#include "app/graphs/tfm_comb_graf_cfg.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tfm_main.h"
#include "app/shell/tool_icons.h"
#include "draw/graphs/chart_scene_painter.h"
#include "draw/graphs/picture_file.h"

namespace tavrel {

TfmCombGraph::TfmCombGraph(TfmMain* main, QWidget* parent) : QDialog(parent), main_(main) {
  setObjectName("TfmCombGraph");
  setWindowTitle(QStringLiteral("Графика"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  toolBar = new QToolBar(this);
  toolBar->setObjectName("toolBar");
  column->addWidget(toolBar);
  chartView = new ChartSceneView(
      [this](const QSizeF& size) {
        return LayoutChartScene(model_, stacked_, range_, view, cMarks, means_.toStdString(), size.width(),
                                size.height(), ChartSceneTextMeasure());
      },
      this);
  chartView->setObjectName("chartView");
  column->addWidget(chartView, 1);

  const auto icon = [this](QStyle::StandardPixmap p) { return style()->standardIcon(p); };
  const auto tool = [this](const char* name, const QIcon& pic, const QString& hint) {
    QAction* a = toolBar->addAction(pic, hint);
    a->setObjectName(name);
    a->setToolTip(hint);
    return a;
  };
  tbtnLeft = tool("tbtnLeft", icon(QStyle::SP_ArrowLeft), QStringLiteral("Сдвиг влево"));
  tbtnRight = tool("tbtnRight", icon(QStyle::SP_ArrowRight), QStringLiteral("Сдвиг вправо"));
  tbtnDown = tool("tbtnDown", icon(QStyle::SP_ArrowDown), QStringLiteral("Сдвиг вниз"));
  tbtnUp = tool("tbtnUp", icon(QStyle::SP_ArrowUp), QStringLiteral("Сдвиг вверх"));
  toolBar->addSeparator();
  tbtnZoomIn = tool("tbtnZoomIn", icon(QStyle::SP_TitleBarMaxButton), QStringLiteral("Увеличить"));
  tbtnZoomOut = tool("tbtnZoomOut", icon(QStyle::SP_TitleBarMinButton), QStringLiteral("Уменьшить"));
  tbtnUnZoom = tool("tbtnUnZoom", icon(QStyle::SP_TitleBarNormalButton), QStringLiteral("Исходный масштаб"));
  tbtnNumbers = tool("tbtnNumbers", icon(QStyle::SP_FileDialogDetailedView), QStringLiteral("Значения"));
  toolBar->addSeparator();
  graphSetupTool = tool("graphSetupTool", DrawToolIcon(ToolPicture::Configuration), QStringLiteral("Вид графика"));
  tbtnPrint = tool("tbtnPrint", DrawToolIcon(ToolPicture::Printer), QStringLiteral("Печать"));
  tbtnSaveToFile = tool("tbtnSaveToFile", icon(QStyle::SP_DialogSaveButton), QStringLiteral("Сохранить в файл"));
  tbtnPicToBuffer = tool("tbtnPicToBuffer", icon(QStyle::SP_FileLinkIcon), QStringLiteral("Копировать в буфер"));
  toolBar->addSeparator();
  tbtnClose = tool("tbtnClose", icon(QStyle::SP_DialogCloseButton), QStringLiteral("Выход"));

  connect(tbtnLeft, &QAction::triggered, this, [this] { HorizScroll(10); });
  connect(tbtnRight, &QAction::triggered, this, [this] { HorizScroll(-10); });
  connect(tbtnDown, &QAction::triggered, this, [this] { VertScroll(10); });
  connect(tbtnUp, &QAction::triggered, this, [this] { VertScroll(-10); });
  connect(tbtnZoomIn, &QAction::triggered, this, [this] { Zoom(1.05); });
  connect(tbtnZoomOut, &QAction::triggered, this, [this] { Zoom(0.95); });
  connect(tbtnUnZoom, &QAction::triggered, this, [this] { UndoZoom(); });
  connect(tbtnNumbers, &QAction::triggered, this, [this] { ShowValues(!cMarks); });
  connect(graphSetupTool, &QAction::triggered, this, [this] {
    if (fmCombGrafCfg) fmCombGrafCfg->exec();
  });
  connect(tbtnPrint, &QAction::triggered, this, Guarded([this] { PrintClick(); }));
  connect(tbtnSaveToFile, &QAction::triggered, this, Guarded([this] { SaveClick(); }));
  connect(tbtnPicToBuffer, &QAction::triggered, this,
          [this] { QApplication::clipboard()->setPixmap(chartView->grab()); });
  connect(tbtnClose, &QAction::triggered, this, &QDialog::reject);
  resize(900, 600);
}

void TfmCombGraph::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!fmCombGrafCfg) fmCombGrafCfg = new TfmCombGrafCfg(this, this);
  ShowValues(cMarks);
}

void TfmCombGraph::hideEvent(QHideEvent* event) {
  // Minimising hides the window too; "Вид графика" goes only when it closes.
  if (!event->spontaneous()) {
    delete fmCombGrafCfg;
    fmCombGrafCfg = nullptr;
  }
  QDialog::hideEvent(event);
}

void TfmCombGraph::Execute(ChartModel model, std::vector<StackedSeries> stacked, const QString& means) {
  SetModel(std::move(model), std::move(stacked), means);
  exec();
  SetModel({});
}

void TfmCombGraph::SetModel(ChartModel model, const QString& means) {
  std::vector<StackedSeries> stacked = StackedWithBlocks(model);
  SetModel(std::move(model), std::move(stacked), means);
}

void TfmCombGraph::SetModel(ChartModel model, std::vector<StackedSeries> stacked, const QString& means) {
  model_ = std::move(model);
  stacked_ = std::move(stacked);
  means_ = means;
  fullRange_ = range_ = FullChartRange(model_, stacked_, view.yFromZero);
  chartView->Relayout();
}

void TfmCombGraph::ApplyView() {
  // A chart not zoomed or shifted follows a changed start of the Y axis.
  const ChartRange full = FullChartRange(model_, stacked_, view.yFromZero);
  if (range_.xMin == fullRange_.xMin && range_.xMax == fullRange_.xMax && range_.yMin == fullRange_.yMin &&
      range_.yMax == fullRange_.yMax)
    range_ = full;
  fullRange_ = full;
  chartView->Relayout();
}

void TfmCombGraph::Zoom(double factor) {
  range_ = ZoomedRange(range_, factor);
  chartView->Relayout();
}

void TfmCombGraph::UndoZoom() {
  range_ = fullRange_;
  chartView->Relayout();
}

void TfmCombGraph::HorizScroll(double percent) {
  range_ = ScrolledRange(range_, percent, 0);
  chartView->Relayout();
}

void TfmCombGraph::VertScroll(double percent) {
  range_ = ScrolledRange(range_, 0, percent);
  chartView->Relayout();
}

void TfmCombGraph::ShowValues(bool on) {
  cMarks = on;
  chartView->Relayout();
}

void TfmCombGraph::PaintChart(QPainter& p, const QRectF& target) {
  DrawChart(p, target, QSizeF(chartView->size()), model_, stacked_, range_, view, cMarks, means_.toStdString());
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
  const QSize size = chartView->size();
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
  const QString path = ChoosePictureFile(this, QStringLiteral("Сохранить в файл"), proposed.absolutePath(), proposed.fileName());
  if (!path.isEmpty()) SaveChart(path);
}

}  // namespace tavrel
