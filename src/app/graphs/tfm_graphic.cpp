#include "app/graphs/tfm_graphic.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "app/graphs/graph_printer.h"
#include "app/graphs/graph_run_options.h"
#include "app/graphs/picture_file_dialog.h"
#include "app/graphs/tfm_edit_mark_ax_x.h"
#include "app/graphs/tfm_level.h"
#include "app/graphs/tfm_print_cfg.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"
#include "app/shell/program_session.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tfm_main.h"
#include "app/shell/tool_icons.h"
#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/data/dataset.h"
#include "core/shell/settings.h"
#include "draw/graphs/picture_file.h"

namespace tavrel {

namespace {

const QString kCaption = QStringLiteral("Графика");

}  // namespace

GraphView::GraphView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("graphArea");
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  horizontalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setSingleStep(20);
}

void GraphView::SetGraph(SequentialLayout layout, const SequentialLook& look) {
  layout_ = std::move(layout);
  look_ = look;
  UpdateScrollRanges();
  viewport()->update();
}

void GraphView::UpdateScrollRanges() {
  const QSize view = viewport()->size();
  const auto range = [](long long extent, int page) {
    return static_cast<int>(std::clamp<long long>(extent - page, 0, std::numeric_limits<int>::max()));
  };
  horizontalScrollBar()->setRange(0, range(layout_.width, view.width()));
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setRange(0, range(layout_.height, view.height()));
  verticalScrollBar()->setPageStep(view.height());
}

QRect GraphView::VisibleRect() const {
  return QRect(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()), viewport()->size());
}

void GraphView::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  p.fillRect(event->rect(), Qt::white);
  const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
  p.translate(-offset);
  DrawGraph(p, layout_, look_, event->rect().translated(offset));
}

void GraphView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRanges();
}

TfmGraphic::TfmGraphic(TfmMain* main, TfmLevel* level, TfmEditMarkAxX* marks, QWidget* parent)
    : QDialog(parent), main_(main), level_(level), marks_(marks) {
  setObjectName("TfmGraphic");
  setWindowTitle(kCaption);
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  toolBar = new QToolBar(this);
  toolBar->setObjectName("toolBar");
  toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  column->addWidget(toolBar);
  graphArea = new GraphView(this);
  column->addWidget(graphArea, 1);
  contextMenu = new QMenu(this);
  contextMenu->setObjectName("contextMenu");

  const auto icon = [this](QStyle::StandardPixmap p) { return style()->standardIcon(p); };
  const auto tool = [this](const char* name, const QIcon& pic, const QString& text) {
    QAction* a = toolBar->addAction(pic, text.trimmed());
    a->setObjectName(name);
    a->setToolTip(text);
    return a;
  };
  const auto item = [this](const char* name, const QString& text) {
    QAction* a = contextMenu->addAction(text);
    a->setObjectName(name);
    return a;
  };
  tbtnDays = tool("tbtnDays", icon(QStyle::SP_ToolBarVerticalExtensionButton), QStringLiteral("Метка Х"));
  tbtnLevels = tool("tbtnLevels", icon(QStyle::SP_ToolBarHorizontalExtensionButton), QStringLiteral("Метка У"));
  toolBar->addSeparator();
  tbtnMax = tool("tbtnMax", icon(QStyle::SP_ArrowUp), QStringLiteral("Увеличить"));
  tbtnMin = tool("tbtnMin", icon(QStyle::SP_ArrowDown), QStringLiteral("Уменьшить"));
  toolBar->addSeparator();
  tbtnSave = tool("tbtnSave", icon(QStyle::SP_DialogSaveButton), QStringLiteral("Сохранить"));
  tbtnCfg = tool("tbtnCfg", DrawToolIcon(ToolPicture::PrinterSetup), QStringLiteral("Настройка печати "));
  tbtnPrint = tool("tbtnPrint", DrawToolIcon(ToolPicture::Printer), QStringLiteral("Печать"));
  toolBar->addSeparator();
  tbtnRectRound = tool("tbtnRectRound", icon(QStyle::SP_DialogCloseButton), QStringLiteral("Выход "));
  mnpDays = item("mnpDays", QStringLiteral("Метка Х"));
  mnpLevel = item("mnpLevel", QStringLiteral("Метка У"));
  mnpMax = item("mnpMax", QStringLiteral("Увеличить"));
  mnpMin = item("mnpMin", QStringLiteral("Уменьшить "));
  mnpSave = item("mnpSave", QStringLiteral("Сохранить график"));
  mnpCfg = item("mnpCfg", QStringLiteral("Настройка печати "));
  mnpPrint = item("mnpPrint", QStringLiteral("Печать"));
  mnpExit = item("mnpExit", QStringLiteral("Выход "));

  const auto both = [this](QAction* a, QAction* b, auto f) {
    connect(a, &QAction::triggered, this, Guarded(f));
    connect(b, &QAction::triggered, this, Guarded(f));
  };
  both(tbtnDays, mnpDays, [this] {
    marks_->Execute();
    Rebuild();
  });
  both(tbtnLevels, mnpLevel, [this] {
    level_->Execute();
    Rebuild();
  });
  both(tbtnMax, mnpMax, [this] { Zoom(1.05); });
  both(tbtnMin, mnpMin, [this] { Zoom(0.95); });
  both(tbtnCfg, mnpCfg, [this] { CfgClick(); });
  both(tbtnPrint, mnpPrint, [this] { PrintGraph(); });
  connect(tbtnSave, &QAction::triggered, this, Guarded([this] { SaveClick(true); }));
  connect(mnpSave, &QAction::triggered, this, Guarded([this] { SaveClick(false); }));
  connect(tbtnRectRound, &QAction::triggered, this, &QDialog::accept);
  connect(mnpExit, &QAction::triggered, this, &QDialog::accept);
  graphArea->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(graphArea, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { contextMenu->exec(graphArea->mapToGlobal(at)); });
  resize(1000, 700);
}

void TfmGraphic::Execute() {
  FormShow();
  exec();
}

void TfmGraphic::FormShow() {
  stX = Config().StepX;
  stY = Config().StepY;
  Rebuild();
}

bool TfmGraphic::Rebuild() {
  ++rebuilds;
  const SequentialSource source = ProgramGraphSource();
  const SequentialLook look = ScreenLook(source.settings);
  SequentialLayout layout;
  try {
    layout =
        ComputeSequentialLayout(source, ScreenDevice(look, graphArea->viewport(), source.settings, source.options));
  } catch (const OverflowError& e) {
    ShowMessage(MessageKind::Warning, std::string(e.what()), this);
    return false;
  }
  const std::vector<std::string> messages = layout.messages;
  const QString smoothing = QString::fromStdString(layout.smoothing);
  setWindowTitle(smoothing.isEmpty() ? kCaption : kCaption + QStringLiteral(" — ") + smoothing);
  graphArea->SetGraph(std::move(layout), look);
  for (const std::string& m : messages) ShowMessage(MessageKind::Warning, m, this);
  return true;
}

void TfmGraphic::Zoom(double factor) {
  Settings& s = Config();
  const double oldX = stX, oldY = stY;
  const int oldStepX = s.StepX, oldStepY = s.StepY;
  // The steps never fall below one pixel, from which zooming in recovers at once.
  stX = std::max(1.0, stX * factor);
  stY = std::max(1.0, stY * factor);
  s.StepX = std::max(1, RoundInt(stX));
  s.StepY = std::max(1, RoundInt(stY));
  if (!Rebuild()) {
    stX = oldX;
    stY = oldY;
    s.StepX = oldStepX;
    s.StepY = oldStepY;
    Rebuild();
  }
}

bool TfmGraphic::SaveGraph(const QString& path) {
  const SequentialLayout& layout = graphArea->Layout();
  const SequentialLook& look = graphArea->Look();
  QString failure;
  {
    BusyCursor busy;
    const PictureFormat format = PictureFormatOf(path);
    if (format == PictureFormat::Svg || format == PictureFormat::Pdf) {
      const QSize whole(static_cast<int>(layout.width), static_cast<int>(layout.height));
      failure = SavePicture(path, whole, [&](QPainter& p) { DrawGraph(p, layout, look, QRect(QPoint(0, 0), whole)); });
    } else {
      const QRect visible = graphArea->VisibleRect();
      failure = SavePicture(path, visible.size(), [&](QPainter& p) {
        p.translate(-visible.topLeft());
        DrawGraph(p, layout, look, visible);
      });
    }
  }
  if (failure.isEmpty()) return true;
  ShowMessage(MessageKind::Warning, failure, this);
  return false;
}

void TfmGraphic::SaveClick(bool fromToolBar) {
  if (fromToolBar) saveDir_ = QString::fromStdString(EffectiveDirectory(Config().OutputCat));
  const QString path = ChoosePictureFile(this, QStringLiteral("Сохранение графика видимой части окна"), saveDir_, {},
                                         QStringLiteral(", весь график"));
  if (path.isEmpty()) return;
  saveDir_ = QFileInfo(path).absolutePath();
  SaveGraph(path);
}

void TfmGraphic::CfgClick() {
  TfmPrintCfg dialog(this, this);
  dialog.exec();
}

void TfmGraphic::PrintGraph() {
  if (main_) main_->SetInform(QStringLiteral("Печатаю графику..."));
  bool printed = false;
  {
    BusyCursor busy;
    QPrinter& printer = GraphPrinter();
    const SequentialSource source = ProgramGraphSource();
    const SequentialLook look = PrintLook(source.settings);
    try {
      const SequentialLayout layout = ComputeSequentialLayout(source, PrintDevice(look, printer, source.settings));
      printed = DrawPrintedGraph(printer, layout, look, QString::fromStdString(source.options.PrintTitle));
    } catch (const OverflowError&) {
      printed = false;
    }
  }
  if (main_) main_->SetInform({});
  if (!printed) ShowMessage(MessageKind::Warning, QStringLiteral("Не удалось напечатать график."), this);
}

void TfmGraphic::done(int result) {
  WidenUnlessKept(Data());
  QDialog::done(result);
}

}  // namespace tavrel
