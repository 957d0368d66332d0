#include "app/graphs/graph_printer.h"

#include <QPrinter>

#include "draw/graphs/picture_file.h"

namespace tavrel {

QPrinter& GraphPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  static const bool resolutionSet = (printer.setResolution(kPrintDpi), true);
  (void)resolutionSet;
  return printer;
}

}  // namespace tavrel
