#include "app/graphs/print_image_graph.h"

#include <QApplication>
#include <QImage>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "app/graphs/graph_printer.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"
#include "app/shell/tfm_main.h"

namespace tavrel {

namespace {

TfmMain* MainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<TfmMain*>(w)) return main;
  }
  return nullptr;
}

double ScreenDpiOf(const QWidget* parent) { return parent ? parent->logicalDpiX() : kPictureDpi; }

// Clears the main window's status however printing ends.
class PrintingStatus {
 public:
  PrintingStatus() : main_(MainWindow()) {
    if (main_) main_->SetInform(QStringLiteral("Печатаю графику..."));
  }
  ~PrintingStatus() {
    if (main_) main_->SetInform({});
  }
  PrintingStatus(const PrintingStatus&) = delete;
  PrintingStatus& operator=(const PrintingStatus&) = delete;

 private:
  TfmMain* main_;
};

}  // namespace

bool PrintPicture(QPrinter& printer, const QSize& size, const PaintFunction& paint, double screenDpi) {
  if (size.isEmpty()) return false;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  const double byResolution = printer.resolution() / (screenDpi > 0 ? screenDpi : kPictureDpi);
  const double scale = std::min({byResolution, page.width() / size.width(), page.height() / size.height()});
  if (scale > 0) {
    painter.scale(scale, scale);
    painter.setClipRect(QRect(QPoint(0, 0), size));
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paint(painter);
  }
  return painter.end() && scale > 0;
}

bool PrintImageGraph(QWidget* parent, const QSize& size, const PaintFunction& paint) {
  bool printed = false;
  {
    PrintingStatus status;
    BusyCursor busy;
    printed = PrintPicture(GraphPrinter(), size, paint, ScreenDpiOf(parent));
  }
  if (!printed) ShowMessage(MessageKind::Warning, QStringLiteral("Не удалось напечатать график."), parent);
  return printed;
}

bool PrintImageGraph(QWidget* parent, const QImage& picture) {
  return PrintImageGraph(parent, picture.size(), [&picture](QPainter& p) { p.drawImage(0, 0, picture); });
}

void ShowPrinterSetup(QWidget* parent) {
  QPageSetupDialog dialog(&GraphPrinter(), parent);
  dialog.exec();
}

}  // namespace tavrel
