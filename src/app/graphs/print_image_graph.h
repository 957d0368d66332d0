#pragma once
// Printing a finished picture window (distribution graph, scatter diagram,
// cluster tree, graphic editor) on one page of the run's printer.
#include <QSize>
#include <QString>

#include "draw/graphs/picture_file.h"

class QImage;
class QPrinter;
class QWidget;

namespace tavrel {

// Prints the picture of size pixels, painted by paint, on one page of printer:
// as large as the ratio of printer to screen resolution (screenDpi) makes it,
// but never beyond the printable area. Returns false when the print job could
// not be started or finished.
bool PrintPicture(QPrinter& printer, const QSize& size, const PaintFunction& paint, double screenDpi);

// The print button of a picture window: prints on the run's printer with the
// main window's status "Печатаю графику..." for the time it takes, and says so
// when printing failed. Returns true when printed.
bool PrintImageGraph(QWidget* parent, const QSize& size, const PaintFunction& paint);
// The same for a picture already drawn into an image.
bool PrintImageGraph(QWidget* parent, const QImage& picture);

// The printer set-up button of a picture window: the platform's dialog for
// the run's printer.
void ShowPrinterSetup(QWidget* parent);

}  // namespace tavrel
