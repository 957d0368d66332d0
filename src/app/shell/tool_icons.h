#pragma once
// Tool bar pictures drawn for the program where the icon theme has none.
#include <QIcon>

namespace tavrel {

enum class ToolPicture {
  SequentialGraph,
  CombinedGraph,
  ScatterDiagram,
  Statistics,
  Cluster,
  ClusterDynamics,
  ClusterTree,
  Table22,
  Diagnostics,
  Student,
  Configuration,
  Printer,
  PrinterSetup,
};

QIcon DrawToolIcon(ToolPicture picture);

}  // namespace tavrel
