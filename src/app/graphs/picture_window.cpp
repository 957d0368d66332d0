#include "app/graphs/picture_window.h"

#include <QAction>
#include <QLabel>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/graphs/graph_widgets.h"
#include "app/shell/program_session.h"
#include "core/graphs/picture_layouts.h"
#include "app/graphs/picture_file_dialog.h"
#include "draw/graphs/picture_painters.h"
#include "app/graphs/print_image_graph.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"
#include "core/shell/settings.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tool_icons.h"

namespace tavrel {

PictureWindow::PictureWindow(const char* name, const QString& caption, QWidget* parent) : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(caption);
  QVBoxLayout* column = nullptr;
  toolBar = ToolBarColumn(this, column);
  pictureLabel = new QLabel(this);
  pictureLabel->setObjectName("pictureLabel");
  pictureLabel->setFixedSize(kPictureWidth, kPictureHeight);
  pictureLabel->setStyleSheet(QStringLiteral("background: white"));
  column->addWidget(pictureLabel);
  const auto tool = [this](const char* objectName, const QIcon& icon, const QString& text) {
    QAction* a = toolBar->addAction(icon, text);
    a->setObjectName(objectName);
    a->setToolTip(text);
    return a;
  };
  saveTool = tool("saveTool", style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Сохранить в файле"));
  tbtnPrint = tool("tbtnPrint", DrawToolIcon(ToolPicture::Printer), QStringLiteral("Печать"));
  printSetupTool =
      tool("printSetupTool", DrawToolIcon(ToolPicture::PrinterSetup), QStringLiteral("Настройка принтера"));
  toolBar->addSeparator();
  tbtnExit = tool("tbtnExit", style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Выход"));
  connect(saveTool, &QAction::triggered, this, Guarded([this] { SaveClick(); }));
  connect(tbtnPrint, &QAction::triggered, this, Guarded([this] { Print(); }));
  connect(printSetupTool, &QAction::triggered, this, Guarded([this] { ShowPrinterSetup(this); }));
  connect(tbtnExit, &QAction::triggered, this, &QDialog::accept);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void PictureWindow::Execute() {
  FormShow();
  exec();
}

void PictureWindow::FormShow() {
  picture_ = QImage(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  picture_.fill(Qt::white);
  drawn_ = false;
  std::string refusal;
  {
    BusyCursor busy;
    refusal = Layout();
    if (refusal.empty()) {
      picture_ = PaintedImage(picture_.size(), [this](QPainter& p) { Paint(p); });
      drawn_ = true;
    }
  }
  pictureLabel->setPixmap(QPixmap::fromImage(picture_));
  for (QAction* a : {saveTool, tbtnPrint}) a->setEnabled(drawn_);
  if (!refusal.empty()) ShowMessage(MessageKind::Warning, refusal, this);
}

bool PictureWindow::SavePictureAs(const QString& path) {
  QString failure;
  {
    BusyCursor busy;
    failure = SavePicture(path, picture_.size(), [this](QPainter& p) { Paint(p); });
  }
  if (failure.isEmpty()) return true;
  ShowMessage(MessageKind::Warning, failure, this);
  return false;
}

bool PictureWindow::Print() {
  return PrintImageGraph(this, picture_.size(), [this](QPainter& p) { Paint(p); });
}

void PictureWindow::SaveClick() {
  const QString path = ChoosePictureFile(this, QStringLiteral("Сохранение рисунка"),
                                         QString::fromStdString(EffectiveDirectory(Config().OutputCat)));
  if (!path.isEmpty()) SavePictureAs(path);
}

}  // namespace tavrel
