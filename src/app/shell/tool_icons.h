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

// The icon at size (and twice it) with a disabled look of its own, grey and
// faint, so a disabled button is plainly unlike an enabled one whatever the
// icon's colours.
QIcon WithFaintDisabled(const QIcon& icon, int size);

}  // namespace tavrel
