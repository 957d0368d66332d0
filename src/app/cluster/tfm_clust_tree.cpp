#include "app/cluster/tfm_clust_tree.h"

#include <QAction>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/cluster/tfm_clust_tree1.h"
#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "draw/graphs/dendrogram_painter.h"
#include "app/graphs/graph_printer.h"
#include "app/graphs/graph_widgets.h"
#include "draw/graphs/picture_file.h"
#include "app/graphs/picture_file_dialog.h"
#include "app/graphs/print_image_graph.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"
#include "core/shell/settings.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tfm_main.h"
#include "app/shell/tool_icons.h"

namespace tavrel {

DendrogramView::DendrogramView(QWidget* parent) : QWidget(parent) {
  setObjectName("treeView");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DendrogramView::SetLayout(DendrogramLayout layout) {
  layout_ = std::move(layout);
  setFixedSize(layout_.width, layout_.height);
  update();
}

void DendrogramView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  DrawDendrogram(p, layout_, event->rect());
}

TfmClustTree::TfmClustTree(TfmMain* main, QWidget* parent) : QDialog(parent), main_(main) {
  setObjectName("TfmClustTree");
  setWindowTitle(QStringLiteral("Дендрограмма"));
  QVBoxLayout* column = nullptr;
  toolBar = ToolBarColumn(this, column);
  treeScroll = new QScrollArea(this);
  treeScroll->setObjectName("treeScroll");
  treeScroll->setFrameShape(QFrame::NoFrame);
  treeScroll->setBackgroundRole(QPalette::Base);
  treeView = new DendrogramView;
  treeScroll->setWidget(treeView);
  column->addWidget(treeScroll, 1);

  const auto tool = [this](const char* name, const QIcon& icon, const QString& hint) {
    QAction* a = toolBar->addAction(icon, hint);
    a->setObjectName(name);
    a->setToolTip(hint);
    return a;
  };
  const auto icon = [this](QStyle::StandardPixmap p) { return style()->standardIcon(p); };
  tbtnTree = tool("tbtnTree", DrawToolIcon(ToolPicture::ClusterTree), QStringLiteral("Дерево кластеров"));
  tbtnSaveToFile = tool("tbtnSaveToFile", icon(QStyle::SP_DialogSaveButton), QStringLiteral("Сохранить в файл"));
  tbtnPrint = tool("tbtnPrint", DrawToolIcon(ToolPicture::Printer), QStringLiteral("Печать"));
  tbtnPrintCfg = tool("tbtnPrintCfg", DrawToolIcon(ToolPicture::PrinterSetup), QStringLiteral("Настройка принтера"));
  toolBar->addSeparator();
  tbtnClose = tool("tbtnClose", icon(QStyle::SP_DialogCloseButton), QStringLiteral("Выход"));
  connect(tbtnTree, &QAction::triggered, this, Guarded([this] { TreeClick(); }));
  connect(tbtnSaveToFile, &QAction::triggered, this, Guarded([this] { SaveClick(); }));
  connect(tbtnPrint, &QAction::triggered, this, Guarded([this] { PrintClick(); }));
  connect(tbtnPrintCfg, &QAction::triggered, this, Guarded([this] { PrintCfgClick(); }));
  connect(tbtnClose, &QAction::triggered, this, &QDialog::reject);

  resize(kDendrogramWidth, kDendrogramHeight + toolBar->sizeHint().height());
}

void TfmClustTree::Rebuild() {
  BusyCursor busy;
  const Array<Clust>& history = Data().Cluster.ClustArray;
  const QSize room = treeScroll->viewport()->size();
  DendrogramLayout layout = LayDendrogram(history, room.width(), room.height());
  // A tree wider than the window leaves room below for the scroll bar.
  if (layout.width > room.width()) {
    const int bar = treeScroll->horizontalScrollBar()->sizeHint().height();
    layout = LayDendrogram(history, room.width(), std::max(1, room.height() - bar));
  }
  treeView->SetLayout(std::move(layout));
}

void TfmClustTree::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Rebuild();
}

void TfmClustTree::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (isVisible()) Rebuild();
}

bool TfmClustTree::SaveTree(const QString& path) {
  QString failure;
  {
    BusyCursor busy;
    failure = SaveDendrogram(path, treeView->Layout());
  }
  if (failure.isEmpty()) return true;
  ShowMessage(MessageKind::Warning, failure, this);
  return false;
}

QSize TfmClustTree::PictureSize() const { return QSize(treeView->Layout().width, treeView->Layout().height); }

void TfmClustTree::PaintTree(QPainter& p) const {
  DrawDendrogram(p, treeView->Layout(), QRect(QPoint(0, 0), PictureSize()));
}

bool TfmClustTree::PrintTo(QPrinter& printer) const {
  return PrintPicture(printer, PictureSize(), [this](QPainter& p) { PaintTree(p); }, logicalDpiX());
}

void TfmClustTree::SaveClick() {
  const QString path = ChoosePictureFile(this, QStringLiteral("Сохранить в файл"),
                                         QString::fromStdString(EffectiveDirectory(Config().OutputCat)));
  if (!path.isEmpty()) SaveTree(path);
}

void TfmClustTree::PrintClick() {
  PrintImageGraph(this, PictureSize(), [this](QPainter& p) { PaintTree(p); });
}

void TfmClustTree::PrintCfgClick() {
  QPrintDialog dialog(&GraphPrinter(), this);
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  dialog.exec();
}

void TfmClustTree::TreeClick() {
  TfmClustTree1 tree(main_, this);
  tree.exec();
}

}  // namespace tavrel
